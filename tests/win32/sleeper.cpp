// A stand-in process for the platform tests. Without arguments it sleeps (long
// enough for any test, short enough not to linger when a test fails); with
// "--touch PATH" it creates PATH and ends, so a test can see that a command
// line reached it intact.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && lstrcmpW(argv[1], L"--touch") == 0) {
        HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        CloseHandle(file);
        return 0;
    }
    Sleep(120 * 1000);
    return 0;
}

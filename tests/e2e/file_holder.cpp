// Holds files open the way a running program holds its working files: each
// PATH is created and kept open without delete sharing, so DeleteFile fails
// on it until this process ends. Writes READY_FILE once all are open, then
// sleeps (long enough for any test, short enough not to linger).
//   kv_e2e_file_holder READY_FILE PATH...
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    for (int i = 2; i < argc; ++i) {
        HANDLE file = CreateFileW(argv[i], GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
        DWORD written = 0;
        WriteFile(file, "held", 4, &written, nullptr);
    }
    HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
    Sleep(120 * 1000);
    return 0;
}

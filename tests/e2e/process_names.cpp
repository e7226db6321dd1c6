// Lists the names of the running processes, one a line, as a Toolhelp
// snapshot sees them (the means the program under test uses), so a case can
// wait until a process it started is there and check that one has ended.
#include <windows.h>
// (windows.h first: tlhelp32.h builds on it)
#include <tlhelp32.h>

#include <string>

namespace {

void WriteLine(HANDLE out, const wchar_t* name) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, name, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    std::string line(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, name, -1, &line[0], size, nullptr, nullptr);
    line.back() = '\n';  // in place of the terminating zero
    DWORD written = 0;
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

int wmain() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL found = Process32FirstW(snapshot, &entry); found; found = Process32NextW(snapshot, &entry)) {
        WriteLine(out, entry.szExeFile);
    }
    CloseHandle(snapshot);
    return 0;
}

// The yardstick for the device-disinfection benchmark: the changes a
// disinfection of the benchmark stick makes, and nothing else. It clears the
// attributes of every entry at the root (SetFileAttributesW 0) and deletes
// every shortcut there (DeleteFileW), then prints the counts.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

bool IsShortcutName(const std::wstring& name) {
    return name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".lnk") == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: bare_disinfect ROOT\n");
        return 2;
    }
    std::wstring root = argv[1];
    if (root.empty() || root.back() != L'\\') root += L'\\';

    std::vector<std::wstring> shortcuts;
    unsigned long long cleared = 0;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((root + L"*.*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (IsDotOrDotDot(entry.cFileName)) continue;
            const std::wstring path = root + entry.cFileName;
            if (SetFileAttributesW(path.c_str(), 0)) ++cleared;
            const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (!isFolder && IsShortcutName(entry.cFileName)) shortcuts.push_back(path);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    unsigned long long deleted = 0;
    for (const std::wstring& path : shortcuts) {
        if (DeleteFileW(path.c_str())) ++deleted;
    }
    std::fwprintf(stdout, L"cleared %llu deleted %llu\n", cleared, deleted);
    return 0;
}

// The yardstick for the device-check benchmark: a bare recursive walk of a
// folder tree with FindFirstFileW/FindNextFileW, nothing else. It prints the
// counts (and, with --list, every path in search order) so a run can be
// checked against the tree it walked.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct WalkCounts {
    unsigned long long files = 0;
    unsigned long long folders = 0;
};

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

void Walk(const std::wstring& folder, bool list, WalkCounts& counts) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (IsDotOrDotDot(entry.cFileName)) continue;
        const std::wstring path = folder + entry.cFileName;
        if (list) std::fwprintf(stdout, L"%ls\n", path.c_str());
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool isLink = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (isFolder) {
            ++counts.folders;
            if (!isLink) Walk(path + L"\\", list, counts);
        } else {
            ++counts.files;
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: walker FOLDER [--list]\n");
        return 2;
    }
    std::wstring root = argv[1];
    if (root.empty() || root.back() != L'\\') root += L'\\';
    const bool list = argc > 2 && std::wstring(argv[2]) == L"--list";
    WalkCounts counts;
    Walk(root, list, counts);
    std::fwprintf(stdout, L"files %llu folders %llu\n", counts.files, counts.folders);
    return 0;
}

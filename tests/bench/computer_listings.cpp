// The yardstick for the computer-check benchmark: the folder searches Check
// Computer makes, each folder and mask searched once with
// FindFirstFileW/FindNextFileW, and nothing else (no report, no registry, no
// process list). The folders come from SHGetFolderPathW as the check takes
// them; every entry of the profile and of the roaming application data is
// searched for programs and scripts. Prints the number of searches and
// entries seen.
#include <windows.h>
// (windows.h first: shlobj.h builds on it)
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Counts {
    unsigned long long searches = 0;
    unsigned long long entries = 0;
};

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// Searches pattern; returns the names found ("." and ".." left out).
std::vector<std::wstring> Search(const std::wstring& pattern, Counts& counts) {
    std::vector<std::wstring> names;
    ++counts.searches;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (IsDotOrDotDot(entry.cFileName)) continue;
        ++counts.entries;
        names.emplace_back(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) path[0] = 0;
    return std::wstring(path) + L"\\";
}

// Every entry of folder searched for the masks given, one level down.
void SearchEachEntry(const std::wstring& folder, const std::vector<const wchar_t*>& masks, Counts& counts) {
    for (const std::wstring& name : Search(folder + L"*.*", counts)) {
        for (const wchar_t* mask : masks) Search(folder + name + L"\\" + mask, counts);
    }
}

}  // namespace

int wmain() {
    Counts counts;
    const std::wstring appData = SpecialFolder(CSIDL_APPDATA);
    const std::wstring localAppData = SpecialFolder(CSIDL_LOCAL_APPDATA);
    const std::wstring commonAppData = SpecialFolder(CSIDL_COMMON_APPDATA);
    const std::wstring startup = SpecialFolder(CSIDL_STARTUP);
    const std::wstring commonStartup = SpecialFolder(CSIDL_COMMON_STARTUP);
    const std::wstring programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
    const std::wstring winTemp = SpecialFolder(CSIDL_WINDOWS) + L"temp\\";
    wchar_t tempBuffer[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, tempBuffer);
    const std::wstring temp = tempBuffer;

    SearchEachEntry(SpecialFolder(CSIDL_PROFILE), {L"*.exe", L"*.js"}, counts);
    SearchEachEntry(appData, {L"*.exe", L"*.js"}, counts);
    SearchEachEntry(programFiles, {L"*.js"}, counts);
    Search(appData + L"Microsoft Office\\*.WsF", counts);
    Search(SpecialFolder(CSIDL_SYSTEMX86) + L"install\\win32.exe", counts);
    Search(temp + L"SysinfY2X.db", counts);
    Search(commonAppData + L"*.exe", counts);
    Search(appData + L"*.exe", counts);
    Search(localAppData + L"*.exe", counts);
    for (const wchar_t* mask : {L"*.js", L"*.vbs", L"*.vbe"}) {
        for (const std::wstring& folder :
             {startup, commonStartup, appData, localAppData, commonAppData, programFiles, temp, winTemp}) {
            Search(folder + mask, counts);
        }
    }
    std::fwprintf(stdout, L"searches %llu entries %llu\n", counts.searches, counts.entries);
    return 0;
}

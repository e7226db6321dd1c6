#include "core/win32/win32_platform.h"

#include <windows.h>
// (windows.h first: the headers below build on it)
#include <objbase.h>
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <utility>

#include "core/text.h"
#include "core/win32/handle_file_calls.h"
#include "core/win32/wide.h"

namespace kv {
namespace {

// ---- Paths ---------------------------------------------------------------------

// The wide path handed to the file calls. An absolute drive path goes with the
// "\\?\" prefix, which turns off Win32's path clean-up: without it a name
// ending in a blank or a dot ("Fotos ", "nota.") cannot be reached, and
// malware uses exactly such names to keep its files out of a cleaner's hands.
// The prefix also lifts the MAX_PATH limit. Paths with "." or ".." components
// or forward slashes, which need the clean-up, go as they are.
std::wstring FileApiPath(const std::string& path) {
    const bool isDrivePath = path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
                             ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!isDrivePath || path.find('/') != std::string::npos) return Widen(path);
    std::string cleaned;
    std::string component;
    const auto componentIsPlain = [&component]() { return component != "." && component != ".."; };
    for (const char c : path) {
        if (c == '\\') {
            if (!componentIsPlain()) return Widen(path);
            component.clear();
            if (!cleaned.empty() && cleaned.back() == '\\') continue;  // a doubled separator counts once
        } else {
            component += c;
        }
        cleaned += c;
    }
    if (!componentIsPlain()) return Widen(path);
    return L"\\\\?\\" + Widen(cleaned);
}

// ---- Handles -------------------------------------------------------------------

// Owns a kernel handle; both null and INVALID_HANDLE_VALUE mean "none", since
// the calls disagree on which one reports a failure.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Closes now and tells whether the close succeeded (for files, the last
    // chance to hear about a failed write).
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_) != FALSE;
        handle_ = nullptr;
        return closed;
    }
    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

class ScopedFind {
public:
    ScopedFind(const std::string& pattern, WIN32_FIND_DATAW& data)
        : handle_(FindFirstFileW(FileApiPath(pattern).c_str(), &data)) {}
    ~ScopedFind() {
        if (Found()) FindClose(handle_);
    }
    ScopedFind(const ScopedFind&) = delete;
    ScopedFind& operator=(const ScopedFind&) = delete;

    bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(handle_, &data) != FALSE; }

private:
    HANDLE handle_;
};

class ScopedKey {
public:
    ScopedKey() = default;
    ~ScopedKey() { Close(); }
    ScopedKey(ScopedKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ScopedKey& operator=(ScopedKey&&) = delete;

    explicit operator bool() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }
    HKEY* Receive() { return &key_; }
    // After a failed open or create the variable holds no handle to close.
    void Forget() { key_ = nullptr; }
    void Close() {
        if (key_ != nullptr) RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

// ---- Registry helpers ------------------------------------------------------------

HKEY RootKey(RegRoot root) { return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// Callers write key paths with or without a leading or trailing backslash;
// the registry wants neither.
std::wstring KeyPath(const std::string& key) {
    std::wstring path = Widen(key);
    const std::size_t first = path.find_first_not_of(L'\\');
    if (first == std::wstring::npos) return std::wstring();
    const std::size_t last = path.find_last_not_of(L'\\');
    return path.substr(first, last - first + 1);
}

ScopedKey OpenKey(HKEY parent, const std::wstring& path, REGSAM access) {
    ScopedKey key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, access, key.Receive()) != ERROR_SUCCESS) key.Forget();
    return key;
}

ScopedKey CreateKey(HKEY parent, const std::wstring& path) {
    ScopedKey key;
    if (RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                        key.Receive(), nullptr) != ERROR_SUCCESS) {
        key.Forget();
    }
    return key;
}

// A key the caller may not open still exists.
bool KeyExists(HKEY parent, const std::wstring& path, REGSAM view = 0) {
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | view, &key);
    if (result == ERROR_SUCCESS) RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

// ---- Registry views ------------------------------------------------------------
// On 64-bit Windows, HKEY_LOCAL_MACHINE\Software has two views: 32-bit
// programs write to the 32-bit one (Wow6432Node) and 64-bit programs to the
// 64-bit one, and Windows starts the Run values of both at logon. So every
// key under HKLM\Software is read and changed in both views, the 64-bit view
// first, whichever build this is. A key Windows (or Wine) shares between the
// views shows the same values in both; the callers below never yield a value
// twice. On 32-bit Windows there is one view and nothing changes.

// True when this process runs on 64-bit Windows. The 32-bit build asks
// IsWow64Process, looked up by name since the first XP releases lack it.
bool OnWindows64() {
#ifdef _WIN64
    return true;
#else
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    if (kernel32 == nullptr) return false;
    // Casting through void* keeps GCC's function-type cast warning quiet.
    const auto isWow64Process =
        reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel32, "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

// The access flags naming each view a key is seen in: both views, 64-bit
// first, for HKLM\Software and below on 64-bit Windows; the process's own
// view (no flag) otherwise.
std::vector<REGSAM> KeyViews(HKEY root, const std::wstring& path) {
    const wchar_t software[] = L"software";
    const std::size_t length = std::size(software) - 1;
    const bool underSoftware = path.size() >= length && _wcsnicmp(path.c_str(), software, length) == 0 &&
                               (path.size() == length || path[length] == L'\\');
    if (root == HKEY_LOCAL_MACHINE && underSoftware && OnWindows64()) return {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    return {0};
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    wchar_t name[256];  // key names are at most 255 characters
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(name));
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

bool CopyValues(HKEY source, HKEY target) {
    DWORD maxNameLength = 0;
    DWORD maxDataLength = 0;
    if (RegQueryInfoKeyW(source, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxNameLength,
                         &maxDataLength, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<wchar_t> name(maxNameLength + 1);
    std::vector<BYTE> data(maxDataLength + 1);
    for (DWORD index = 0;;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG result =
            RegEnumValueW(source, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength);
        if (result == ERROR_NO_MORE_ITEMS) return true;
        if (result == ERROR_MORE_DATA) {  // a value grew while we copied: make room and read it again
            name.resize(name.size() * 2);
            data.resize(std::max<std::size_t>(data.size() * 2, dataLength));
            continue;
        }
        if (result != ERROR_SUCCESS) return false;
        if (RegSetValueExW(target, name.data(), 0, type, data.data(), dataLength) != ERROR_SUCCESS) return false;
        ++index;
    }
}

// Copies every value and subkey of source into target, depth first. (Windows
// XP has no RegCopyTree.)
bool CopyKeyTree(HKEY source, HKEY target) {
    if (!CopyValues(source, target)) return false;
    for (const std::wstring& name : SubkeyNames(source)) {
        ScopedKey sourceChild = OpenKey(source, name, KEY_READ);
        if (!sourceChild) return false;
        ScopedKey targetChild = CreateKey(target, name);
        if (!targetChild || !CopyKeyTree(sourceChild.Get(), targetChild.Get())) return false;
    }
    return true;
}

// Deletes path and everything under it. (Windows XP has no RegDeleteTree.)
bool DeleteKeyTree(HKEY parent, const std::wstring& path) {
    std::vector<std::wstring> subkeys;
    {
        ScopedKey key = OpenKey(parent, path, KEY_READ);
        if (!key) return false;
        subkeys = SubkeyNames(key.Get());
    }
    bool deletedAll = true;
    for (const std::wstring& name : subkeys) deletedAll = DeleteKeyTree(parent, path + L"\\" + name) && deletedAll;
    return RegDeleteKeyW(parent, path.c_str()) == ERROR_SUCCESS && deletedAll;
}

// The text of a value of an open key; present tells whether the value exists
// at all (whatever its type).
std::string ReadString(HKEY key, const std::wstring& valueName, bool& present) {
    DWORD type = 0;
    DWORD size = 0;
    present = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (!present) return std::string();
    // Asked again while the value may change: a few rounds, then give up.
    for (int round = 0; round < 4; ++round) {
        if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
        // One unit more than the data, so text stored without its null still ends in one.
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        DWORD capacity = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
        const LONG result =
            RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &capacity);
        if (result == ERROR_SUCCESS) {
            return (type == REG_SZ || type == REG_EXPAND_SZ) ? Narrow(data.data()) : std::string();
        }
        if (result != ERROR_MORE_DATA) return std::string();
        size = capacity;
    }
    return std::string();
}

// ---- Other helpers -------------------------------------------------------------

DirEntry ToDirEntry(const WIN32_FIND_DATAW& data) {
    DirEntry entry;
    entry.name = Narrow(data.cFileName);
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return entry;
}

std::string VolumeLabel(const wchar_t* root) {
    // A disconnected network drive can keep the call waiting on the network
    // for a long time; such drives are listed without a label.
    if (GetDriveTypeW(root) == DRIVE_REMOTE) return std::string();
    // An empty floppy, card reader or CD drive would otherwise put up the
    // "insert a disk" box; with critical errors failed the call returns at once.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetErrorMode(previousMode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    wchar_t label[MAX_PATH + 1] = L"";
    const BOOL known =
        GetVolumeInformationW(root, label, static_cast<DWORD>(std::size(label)), nullptr, nullptr, nullptr, nullptr, 0);
    SetErrorMode(previousMode);
    return known ? Narrow(label) : std::string();
}

// format(buffer, size) is a Get…FormatW call: asked with size 0 it tells the
// size it needs, null included.
template <typename Format>
std::string FormattedText(Format format) {
    const int length = format(nullptr, 0);
    if (length <= 0) return std::string();
    std::vector<wchar_t> text(length);
    if (format(text.data(), length) <= 0) return std::string();
    return Narrow(text.data());
}

}  // namespace

// ---- Processes -------------------------------------------------------------------

std::vector<ProcessEntry> Win32Platform::SnapshotProcesses() {
    std::vector<ProcessEntry> processes;
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid()) return processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        processes.push_back({Narrow(entry.szExeFile), entry.th32ProcessID});
    }
    return processes;
}

// TerminateProcess only starts the ending: the program's file stays in use
// until the process is gone, and the caller usually deletes that file next.
// So wait (briefly) for the end; a process that will not end in that time is
// still reported as terminated, as TerminateProcess itself reported it.
bool Win32Platform::TerminateProcessById(std::uint32_t processId) {
    constexpr DWORD kEndWaitMs = 5000;
    // The program never ends itself: "Finalizar Processo" on its own entry
    // ends its other copies and reports that this one could not be ended.
    if (processId == GetCurrentProcessId()) return false;
    // Without the right to wait, terminate anyway (the wait then returns at once).
    HANDLE opened = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (opened == nullptr) opened = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    ScopedHandle process(opened);
    if (!process.Valid() || TerminateProcess(process.Get(), 0) == FALSE) return false;
    WaitForSingleObject(process.Get(), kEndWaitMs);
    return true;
}

std::uint32_t Win32Platform::CurrentProcessId() { return GetCurrentProcessId(); }

// ---- Files and folders -----------------------------------------------------------

std::vector<DirEntry> Win32Platform::FindEntries(const std::string& pattern) {
    std::vector<DirEntry> entries;
    WIN32_FIND_DATAW data;
    ScopedFind find(pattern, data);
    if (!find.Found()) return entries;
    do {
        entries.push_back(ToDirEntry(data));
    } while (find.Next(data));
    return entries;
}

// Any entry that is not a folder counts, whatever its time stamp: a file
// dated before 1980 (which the DOS date format cannot hold) still exists.
bool Win32Platform::FileExists(const std::string& path) {
    WIN32_FIND_DATAW data;
    ScopedFind find(path, data);
    return find.Found() && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Platform::FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(FileApiPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::uint32_t> Win32Platform::ReadAttributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(FileApiPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

// FILE_ATTRIBUTE_NORMAL is the documented way to say "no attribute"; Windows
// and Wine treat the value 0 the same.
bool Win32Platform::ClearAttributes(const std::string& path) {
    return SetFileAttributesW(FileApiPath(path).c_str(), FILE_ATTRIBUTE_NORMAL) != FALSE;
}

bool Win32Platform::RemoveFile(const std::string& path) { return DeleteFileW(FileApiPath(path).c_str()) != FALSE; }

bool Win32Platform::RemoveFolder(const std::string& path) { return RemoveDirectoryW(FileApiPath(path).c_str()) != FALSE; }

bool Win32Platform::CreateFolder(const std::string& path) {
    return CreateDirectoryW(FileApiPath(path).c_str(), nullptr) != FALSE;
}

bool Win32Platform::Rename(const std::string& oldPath, const std::string& newPath) {
    return MoveFileW(FileApiPath(oldPath).c_str(), FileApiPath(newPath).c_str()) != FALSE;
}

bool Win32Platform::CopyFileOver(const std::string& source, const std::string& target) {
    return CopyFileW(FileApiPath(source).c_str(), FileApiPath(target).c_str(), FALSE) != FALSE;
}

// The new content goes to a file of its own beside the target, which replaces
// the target only once the content is complete and on the disk: a write that
// fails half way (a full stick, a quota) leaves the old file whole. On
// failure the half-written file is removed and error holds the system's
// message for the step that failed.
bool Win32Platform::WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) {
    const auto fail = [&error](DWORD code) {
        error = SystemErrorMessage(code);
        return false;
    };
    // A name no other writer uses: the process id and a counter, with the
    // file made only when no file of that name exists yet.
    static std::atomic<unsigned> counter{0};
    std::wstring temporary;
    ScopedHandle file;
    for (int attempt = 0; attempt < 100 && !file.Valid(); ++attempt) {
        temporary = FileApiPath(path) + L".~kv" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(counter.fetch_add(1)) + L".tmp";
        file.Reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
        if (!file.Valid() && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (!file.Valid()) return fail(GetLastError());
    const auto discard = [&](DWORD code) {
        file.Close();
        DeleteFileW(temporary.c_str());
        return fail(code);
    };
    constexpr std::size_t kChunk = 1 << 20;
    for (std::size_t written = 0; written < bytes.size();) {
        const DWORD wanted = static_cast<DWORD>(std::min(kChunk, bytes.size() - written));
        DWORD done = 0;
        if (!WriteFile(file.Get(), bytes.data() + written, wanted, &done, nullptr)) return discard(GetLastError());
        if (done == 0) return discard(ERROR_WRITE_FAULT);  // no progress: never loop for ever
        written += done;
    }
    if (!FlushFileBuffers(file.Get())) return discard(GetLastError());
    if (!file.Close()) return discard(GetLastError());
    if (!MoveFileExW(temporary.c_str(), FileApiPath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return discard(GetLastError());
    }
    error.clear();
    return true;
}

std::optional<std::string> Win32Platform::ReadWholeFile(const std::string& path) {
    ScopedHandle file(CreateFileW(FileApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    std::string content;
    char chunk[64 * 1024];
    for (;;) {
        DWORD done = 0;
        if (!ReadFile(file.Get(), chunk, sizeof(chunk), &done, nullptr)) return std::nullopt;
        if (done == 0) return content;
        content.append(chunk, done);
    }
}

std::string Win32Platform::TempPath() {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length > buffer.size()) {  // the answer is the size it needs
        buffer.resize(length + 1);
        length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (length == 0 || length >= buffer.size()) return std::string();
    return Narrow(buffer.data(), length);
}

// ---- Drives ------------------------------------------------------------------------

std::vector<LogicalDrive> Win32Platform::LogicalDrives() {
    std::vector<LogicalDrive> drives;
    std::vector<wchar_t> roots(4 * 26 + 1);
    DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    if (length >= roots.size()) {
        roots.resize(length + 1);
        length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    }
    if (length == 0 || length >= roots.size()) return drives;
    for (const wchar_t* root = roots.data(); *root != L'\0'; root += std::wcslen(root) + 1) {
        if (!((root[0] >= L'A' && root[0] <= L'Z') || (root[0] >= L'a' && root[0] <= L'z'))) continue;
        LogicalDrive drive;
        drive.letter = AsciiUpper(std::string(1, static_cast<char>(root[0])))[0];
        drive.label = VolumeLabel(root);
        drives.push_back(drive);
    }
    return drives;
}

// Callers pass "E:" as often as "E:\"; GetDriveType wants the backslash.
DriveKind Win32Platform::GetDriveKind(const std::string& root) {
    if (root.empty()) return DriveKind::NoRootDir;
    std::wstring wideRoot = Widen(root);
    if (wideRoot.back() != L'\\') wideRoot += L'\\';
    return static_cast<DriveKind>(GetDriveTypeW(wideRoot.c_str()));
}

// ---- Special folders, executable, clock ----------------------------------------------

std::string Win32Platform::GetSpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return std::string();
    std::wstring folder(path);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return Narrow(folder);
}

std::string Win32Platform::ExecutablePath() {
    constexpr std::size_t kLongestPath = 32768;
    for (std::vector<wchar_t> buffer(MAX_PATH); buffer.size() <= kLongestPath; buffer.resize(buffer.size() * 2)) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        // A cut path fills the whole buffer (Windows XP says nothing more).
        if (length < buffer.size()) return Narrow(buffer.data(), length);
    }
    return std::string();
}

// Both texts describe one moment, so a report started at midnight cannot
// show one day's date with the next day's time.
DateTimeTexts Win32Platform::CurrentDateTimeTexts() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    DateTimeTexts texts;
    texts.shortDate = FormattedText([&now](wchar_t* text, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text, size);
    });
    texts.longTime = FormattedText(
        [&now](wchar_t* text, int size) { return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, text, size); });
    return texts;
}

// ---- Registry ------------------------------------------------------------------------
// Keys are opened for reading to read or list, and for setting values only to
// delete one: without administrator rights HKEY_LOCAL_MACHINE can be read but
// not written, and a probe must still see what is there.

bool Win32Platform::RegValueExists(RegRoot root, const std::string& key, const std::string& name) {
    const HKEY rootKey = RootKey(root);
    const std::wstring path = KeyPath(key);
    const std::wstring valueName = Widen(name);
    for (const REGSAM view : KeyViews(rootKey, path)) {
        ScopedKey opened = OpenKey(rootKey, path, KEY_READ | view);
        if (opened &&
            RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            return true;
        }
    }
    return false;
}

// Deleted from every view that holds it; true when it was deleted somewhere
// and no view that may hold it refused.
bool Win32Platform::RegRemoveValue(RegRoot root, const std::string& key, const std::string& name) {
    const HKEY rootKey = RootKey(root);
    const std::wstring path = KeyPath(key);
    const std::wstring valueName = Widen(name);
    bool deleted = false;
    bool refused = false;
    for (const REGSAM view : KeyViews(rootKey, path)) {
        ScopedKey opened;
        const LONG openResult = RegOpenKeyExW(rootKey, path.c_str(), 0, KEY_SET_VALUE | view, opened.Receive());
        if (openResult != ERROR_SUCCESS) {
            opened.Forget();
            refused = refused || openResult != ERROR_FILE_NOT_FOUND;
            continue;
        }
        const LONG result = RegDeleteValueW(opened.Get(), valueName.c_str());
        deleted = deleted || result == ERROR_SUCCESS;
        refused = refused || (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND);
    }
    return deleted && !refused;
}

// The data of the first view that holds the value.
std::string Win32Platform::RegReadString(RegRoot root, const std::string& key, const std::string& name) {
    const HKEY rootKey = RootKey(root);
    const std::wstring path = KeyPath(key);
    const std::wstring valueName = Widen(name);
    for (const REGSAM view : KeyViews(rootKey, path)) {
        ScopedKey opened = OpenKey(rootKey, path, KEY_READ | view);
        if (!opened) continue;
        bool present = false;
        std::string text = ReadString(opened.Get(), valueName, present);
        if (present) return text;
    }
    return std::string();
}

// The first view's names, then each further view's names not listed yet
// (value names compare without regard to case, as the registry compares them).
std::vector<std::string> Win32Platform::RegValueNames(RegRoot root, const std::string& key) {
    const HKEY rootKey = RootKey(root);
    const std::wstring path = KeyPath(key);
    std::vector<std::string> names;
    std::vector<std::string> folded;
    std::vector<wchar_t> name(16384);  // value names are at most 16,383 characters
    for (const REGSAM view : KeyViews(rootKey, path)) {
        ScopedKey opened = OpenKey(rootKey, path, KEY_READ | view);
        if (!opened) continue;
        for (DWORD index = 0;; ++index) {
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumValueW(opened.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            std::string listed = Narrow(name.data(), length);
            std::string foldedName = FoldCase(listed);
            if (std::find(folded.begin(), folded.end(), foldedName) != folded.end()) continue;
            folded.push_back(std::move(foldedName));
            names.push_back(std::move(listed));
        }
    }
    return names;
}

bool Win32Platform::RegKeyExists(RegRoot root, const std::string& key) {
    const HKEY rootKey = RootKey(root);
    const std::wstring path = KeyPath(key);
    for (const REGSAM view : KeyViews(rootKey, path)) {
        if (KeyExists(rootKey, path, view)) return true;
    }
    return false;
}

// Moves nothing when the new key already exists. The key is moved in this
// process's own view: the program moves keys of HKEY_CURRENT_USER only. A copy that fails half way is
// taken back, and the old key is deleted only after a complete copy.
bool Win32Platform::RegMoveKey(RegRoot root, const std::string& oldKey, const std::string& newKey, bool deleteOld) {
    const HKEY rootKey = RootKey(root);
    const std::wstring oldPath = KeyPath(oldKey);
    const std::wstring newPath = KeyPath(newKey);
    if (oldPath.empty() || newPath.empty()) return false;
    // A key copied into its own subtree would keep finding the copy it is making.
    if (StartsWith(FoldCase(Narrow(newPath)), FoldCase(Narrow(oldPath)) + "\\")) return false;
    ScopedKey source = OpenKey(rootKey, oldPath, KEY_READ);
    if (!source || KeyExists(rootKey, newPath)) return false;
    {
        ScopedKey target = CreateKey(rootKey, newPath);
        if (!target) return false;
        if (!CopyKeyTree(source.Get(), target.Get())) {
            target.Close();
            DeleteKeyTree(rootKey, newPath);
            return false;
        }
    }
    if (!deleteOld) return true;
    source.Close();
    return DeleteKeyTree(rootKey, oldPath);
}

// ---- Shell and session ---------------------------------------------------------------

void Win32Platform::ShellOpen(const std::string& target, bool explore) {
    // The shell may hand the verb to COM-based extensions: they need COM on
    // this thread. A thread that already has another COM model keeps it.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ShellExecuteW(nullptr, explore ? L"explore" : nullptr, Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (SUCCEEDED(com)) CoUninitialize();
}

// CreateProcessW instead of WinExec: WinExec takes an ANSI command line, which
// would turn any character outside the system code page into "?".
void Win32Platform::RunCommandLine(const std::string& commandLine) {
    const std::wstring wide = Widen(commandLine);
    std::vector<wchar_t> line(wide.begin(), wide.end());  // CreateProcessW may write into it
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
}

void Win32Platform::ExitWindowsWithPrivilege(unsigned flags) {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        }
        CloseHandle(token);
    }
    ExitWindowsEx(flags, 0);
}

// ---- Tools ---------------------------------------------------------------------------

// Opened for query and read access, as reading another process's module list
// needs; a process of another user or a protected one answers "".
std::string Win32Platform::ProcessImagePath(std::uint32_t processId) {
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process.Valid()) return std::string();
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameExW(process.Get(), nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return Narrow(path, length);
}

NumberSeparators Win32Platform::RegionalNumberSeparators() {
    const auto localeText = [](LCTYPE item, const char* fallback) {
        wchar_t text[8] = L"";  // at most four characters, null included, by the locale rules
        const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, text, static_cast<int>(std::size(text)));
        return length > 0 ? Narrow(text) : std::string(fallback);
    };
    NumberSeparators separators;
    separators.decimal = localeText(LOCALE_SDECIMAL, ".");
    separators.thousands = localeText(LOCALE_STHOUSAND, ",");
    return separators;
}

// IsWow64Process answers whether a 32-bit program runs on 64-bit Windows; a
// 64-bit program is never under WOW64, so for it the call says nothing about
// the system, which is 64-bit by the program's own existence.
WindowsBitness Win32Platform::GetWindowsBitness() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = LoadLibraryW(L"kernel32.dll");
    if (kernel == nullptr) return WindowsBitness::Unknown;
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "IsWow64Process")));
    WindowsBitness bitness = WindowsBitness::Bits32;  // a Windows without the function
    if (isWow64Process != nullptr) {
        BOOL underWow64 = FALSE;
        if (!isWow64Process(GetCurrentProcess(), &underWow64)) {
            bitness = WindowsBitness::Unknown;
        } else if (underWow64 || sizeof(void*) == 8) {
            bitness = WindowsBitness::Bits64;
        }
    }
    FreeLibrary(kernel);
    return bitness;
}

bool Win32Platform::CopyFileOverReporting(const std::string& source, const std::string& target, std::string& error) {
    if (CopyFileW(FileApiPath(source).c_str(), FileApiPath(target).c_str(), FALSE) != FALSE) {
        error.clear();
        return true;
    }
    error = SystemErrorMessage(GetLastError());
    return false;
}

// ---- Computer disinfection: the user's shell folders ------------------------

namespace {

// SHGetKnownFolderPath (Vista and later), looked up at run time: Windows XP
// has neither the function nor the folders only it knows.
using GetKnownFolderPathFn = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);

GetKnownFolderPathFn KnownFolderPathFunction() {
    HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
    if (shell32 == nullptr) return nullptr;
    // Casting through void* keeps GCC's function-type cast warning quiet.
    return reinterpret_cast<GetKnownFolderPathFn>(
        reinterpret_cast<void*>(GetProcAddress(shell32, "SHGetKnownFolderPath")));
}

// Known folders without a CSIDL: Downloads, Links, Contacts, Saved Games,
// Searches, OneDrive, LocalLow and 3D Objects.
const GUID kKnownFoldersWithoutCsidl[] = {
    {0x374DE290, 0x123F, 0x4565, {0x91, 0x64, 0x39, 0xC4, 0x92, 0x5E, 0x46, 0x7B}},
    {0xBFB9D5E0, 0xC6A9, 0x404C, {0xB2, 0xB2, 0xAE, 0x6D, 0xB6, 0xAF, 0x49, 0x68}},
    {0x56784854, 0xC6CB, 0x462B, {0x81, 0x69, 0x88, 0xE3, 0x50, 0xAC, 0xB8, 0x82}},
    {0x4C5C32FF, 0xBB9D, 0x43B0, {0xB5, 0xB4, 0x2D, 0x72, 0xE5, 0x4E, 0xAA, 0xA4}},
    {0x7D1D3A04, 0xDEBB, 0x4115, {0x95, 0xCF, 0x2F, 0x29, 0xDA, 0x29, 0x20, 0xDA}},
    {0xA52BBA46, 0xE9E1, 0x435F, {0xB3, 0xD9, 0x28, 0xDA, 0xA6, 0x48, 0xC0, 0xF6}},
    {0xA520A1A4, 0x1780, 0x4FF6, {0xBD, 0x18, 0x16, 0x73, 0x43, 0xC5, 0xAF, 0x16}},
    {0x31C0DD25, 0x9439, 0x4F12, {0xBF, 0x41, 0x7F, 0xF4, 0xED, 0xA3, 0x87, 0x22}},
};

}  // namespace

std::vector<std::string> Win32Platform::UserShellFolders() {
    static const int kCsidls[] = {
        CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL,  CSIDL_MYPICTURES, CSIDL_MYMUSIC,        CSIDL_MYVIDEO,
        CSIDL_FAVORITES,        CSIDL_STARTMENU, CSIDL_PROGRAMS,   CSIDL_STARTUP,        CSIDL_APPDATA,
        CSIDL_LOCAL_APPDATA,    CSIDL_TEMPLATES, CSIDL_SENDTO,     CSIDL_RECENT,         CSIDL_NETHOOD,
        CSIDL_PRINTHOOD,        CSIDL_COOKIES,   CSIDL_HISTORY,    CSIDL_INTERNET_CACHE, CSIDL_CDBURN_AREA,
        CSIDL_ADMINTOOLS,
    };
    std::vector<std::string> folders;
    for (const int csidl : kCsidls) {
        std::string folder = GetSpecialFolder(csidl);
        if (!folder.empty()) folders.push_back(std::move(folder));
    }
    if (GetKnownFolderPathFn knownFolderPath = KnownFolderPathFunction()) {
        for (const GUID& id : kKnownFoldersWithoutCsidl) {
            PWSTR path = nullptr;
            if (knownFolderPath(id, 0, nullptr, &path) == S_OK && path != nullptr) {
                std::wstring folder(path);
                while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
                if (!folder.empty()) folders.push_back(Narrow(folder));
            }
            CoTaskMemFree(path);
        }
    }
    return folders;
}

// ---- Shortcut reading ----------------------------------------------------------------

namespace {

// Up to maxBytes from the current position of an open file.
std::optional<std::string> ReadHeadOfHandle(HANDLE file, std::size_t maxBytes) {
    std::string content;
    char chunk[16 * 1024];
    while (content.size() < maxBytes) {
        const DWORD wanted = static_cast<DWORD>(std::min(sizeof(chunk), maxBytes - content.size()));
        DWORD done = 0;
        if (!ReadFile(file, chunk, wanted, &done, nullptr)) return std::nullopt;
        if (done == 0) break;
        content.append(chunk, done);
    }
    return content;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

std::optional<std::string> Win32Platform::ReadFileHead(const std::string& path, std::size_t maxBytes) {
    ScopedHandle file(CreateFileW(FileApiPath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    return ReadHeadOfHandle(file.Get(), maxBytes);
}

// The folder is opened as itself (a link is never followed: its own
// attributes are what ClearAttributes changes). When it cannot be opened for
// both, the two separate calls decide, as they would without this one.
PlatformOps::ClearedFolder Win32Platform::ClearFolderAttributesAndSearch(const std::string& folder,
                                                                        const std::string& mask) {
    ScopedHandle handle(CreateFileW(FileApiPath(folder).c_str(),
                                    FILE_WRITE_ATTRIBUTES | FILE_LIST_DIRECTORY | SYNCHRONIZE, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle.Valid()) return PlatformOps::ClearFolderAttributesAndSearch(folder, mask);
    ClearedFolder result;
    result.cleared = SetAttributesOfHandle(handle.Get(), 0);
    result.entries = SearchFolderOfHandle(handle.Get(), Widen(mask));
    return result;
}

PlatformOps::ClearedFile Win32Platform::ClearFileAttributesAndReadHead(const std::string& path, std::size_t maxBytes) {
    ScopedHandle handle(CreateFileW(FileApiPath(path).c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle.Valid()) return PlatformOps::ClearFileAttributesAndReadHead(path, maxBytes);
    ClearedFile result;
    result.head = ReadHeadOfHandle(handle.Get(), maxBytes);
    result.cleared = SetAttributesOfHandle(handle.Get(), 0);
    return result;
}

}  // namespace kv

// Every effect the program has on the machine goes through PlatformOps: the
// actions are plain C++ over this interface, the Windows implementation lives
// in core/win32, and tests use an in-memory one. (Member names avoid the
// names that <windows.h> turns into macros, such as DeleteFile.) Texts are UTF-8; paths are in
// Windows form (drive letter, colon, backslash-separated components). Failures
// come back as false or empty results, never as exceptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// Windows file-attribute bits the program looks at.
namespace attr {
constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kSystem = 0x4;
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kArchive = 0x20;
constexpr std::uint32_t kNormal = 0x80;
constexpr std::uint32_t kReparsePoint = 0x400;
}  // namespace attr

// GetDriveType answers.
enum class DriveKind : unsigned {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// CSIDL numbers of the special folders the program uses.
namespace csidl {
constexpr int kStartup = 7;
constexpr int kDesktopDirectory = 16;
constexpr int kCommonStartup = 24;
constexpr int kAppData = 26;
constexpr int kLocalAppData = 28;
constexpr int kAltStartup = 29;
constexpr int kCommonAltStartup = 30;
constexpr int kCommonAppData = 35;
constexpr int kWindows = 36;
constexpr int kProgramFiles = 38;
constexpr int kProfile = 40;
constexpr int kSystemX86 = 41;
}  // namespace csidl

enum class RegRoot { CurrentUser, LocalMachine };

// One entry yielded by a directory search.
struct DirEntry {
    std::string name;              // no folder part
    std::uint32_t attributes = 0;  // Windows attribute word; directory bit is 16
    std::uint64_t size = 0;        // full size in bytes (high and low words)
    bool IsDirectory() const { return (attributes & attr::kDirectory) != 0; }
    bool IsDotOrDotDot() const { return name == "." || name == ".."; }
};

struct ProcessEntry {
    std::string exeEntry;  // the snapshot's exe entry (a name, sometimes a path)
    std::uint32_t processId = 0;
};

// Wall-clock texts in the user's regional formats.
struct DateTimeTexts {
    std::string shortDate;  // e.g. 07/12/2026
    std::string longTime;   // e.g. 09:20:28
};

// The decimal and thousands separators of the user's regional settings.
struct NumberSeparators {
    std::string decimal = ".";
    std::string thousands = ",";
};

// Whether Windows itself is a 32- or a 64-bit edition; Unknown when the
// system could not say.
enum class WindowsBitness { Unknown, Bits32, Bits64 };

// A volume as the drive lists show it.
struct LogicalDrive {
    char letter = 0;    // upper case
    std::string label;  // volume label or network name, may be empty
};

class PlatformOps {
public:
    virtual ~PlatformOps() = default;

    // Processes.
    virtual std::vector<ProcessEntry> SnapshotProcesses() = 0;
    virtual bool TerminateProcessById(std::uint32_t processId) = 0;
    // The id of the process running this program (never ended by name).
    virtual std::uint32_t CurrentProcessId() = 0;

    // Files and folders.
    // Entries matching pattern (folder + mask); every attribute class admitted.
    // "." and ".." come back where Windows yields them; callers skip them.
    virtual std::vector<DirEntry> FindEntries(const std::string& pattern) = 0;
    // True only for an existing entry that is not a directory.
    virtual bool FileExists(const std::string& path) = 0;
    // True when the path exists and is a directory.
    virtual bool FolderExists(const std::string& path) = 0;
    // Attribute word, or nothing when the path cannot be read.
    virtual std::optional<std::uint32_t> ReadAttributes(const std::string& path) = 0;
    // Removes read-only, hidden, system and archive.
    virtual bool ClearAttributes(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;  // fails for a folder, a locked or read-only file
    virtual bool RemoveFolder(const std::string& path) = 0;  // empty folders only
    virtual bool CreateFolder(const std::string& path) = 0;
    virtual bool Rename(const std::string& oldPath, const std::string& newPath) = 0;  // fails if new exists
    virtual bool CopyFileOver(const std::string& source, const std::string& target) = 0;  // overwrites
    // Writes bytes as the whole content of path, replacing an existing file.
    // On failure returns false and sets error to the system's message.
    virtual bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) = 0;
    virtual std::optional<std::string> ReadWholeFile(const std::string& path) = 0;
    // The user's temporary folder, ending with a backslash.
    virtual std::string TempPath() = 0;

    // Drives.
    virtual std::vector<LogicalDrive> LogicalDrives() = 0;
    virtual DriveKind GetDriveKind(const std::string& root) = 0;

    // Special folder without a trailing backslash, or "" when unknown.
    virtual std::string GetSpecialFolder(int csidl) = 0;
    // Full path of the running executable.
    virtual std::string ExecutablePath() = 0;
    // The current date and time in the regional short-date and long-time
    // formats; the date is read first, then the time.
    virtual DateTimeTexts CurrentDateTimeTexts() = 0;

    // Registry. Key paths are relative to the root; a key that cannot be
    // opened behaves as a key without values.
    virtual bool RegValueExists(RegRoot root, const std::string& key, const std::string& name) = 0;
    virtual bool RegRemoveValue(RegRoot root, const std::string& key, const std::string& name) = 0;
    // Text data of a REG_SZ or REG_EXPAND_SZ value, or "" when missing.
    virtual std::string RegReadString(RegRoot root, const std::string& key, const std::string& name) = 0;
    virtual std::vector<std::string> RegValueNames(RegRoot root, const std::string& key) = 0;
    virtual bool RegKeyExists(RegRoot root, const std::string& key) = 0;
    // Copies old to new (creating it) and deletes old when asked.
    virtual bool RegMoveKey(RegRoot root, const std::string& oldKey, const std::string& newKey, bool deleteOld) = 0;

    // Shortcut reading: at most maxBytes bytes from the start of path, or
    // nothing when it cannot be read. The default reads the whole file; the
    // Windows platform stops at maxBytes, so a huge file costs nothing.
    virtual std::optional<std::string> ReadFileHead(const std::string& path, std::size_t maxBytes);

    // Clearing and reading in one go. Opening a file or folder is the costly
    // part of a change (under Wine it is a round trip to the server, on a
    // stick it is a directory look-up), so where one entry is both cleared and
    // read the Windows platform opens it once. Each call clears exactly as
    // ClearAttributes does; what it reads is what a separate read would give,
    // or nothing when it could not be read. The defaults make the two calls.
    struct ClearedFolder {
        bool cleared = false;
        // The entries of the search, as FindEntries(folder + "\\" + mask).
        std::optional<std::vector<DirEntry>> entries;
    };
    // mask: "*" or "*." followed by an extension without wildcards.
    virtual ClearedFolder ClearFolderAttributesAndSearch(const std::string& folder, const std::string& mask);
    struct ClearedFile {
        bool cleared = false;
        std::optional<std::string> head;  // as ReadFileHead(path, maxBytes)
    };
    virtual ClearedFile ClearFileAttributesAndReadHead(const std::string& path, std::size_t maxBytes);

    // Shell and session.
    virtual void ShellOpen(const std::string& target, bool explore) = 0;
    virtual void RunCommandLine(const std::string& commandLine) = 0;
    virtual void ExitWindowsWithPrivilege(unsigned flags) = 0;

    // Tools.
    // Full path of the process's main executable image, or "" when the
    // process cannot be opened for query and read access or the path cannot
    // be read.
    virtual std::string ProcessImagePath(std::uint32_t processId) = 0;
    virtual NumberSeparators RegionalNumberSeparators() = 0;
    // Asks IsWow64Process, looked up at run time; a Windows that lacks the
    // function has no 64-bit edition.
    virtual WindowsBitness GetWindowsBitness() = 0;
    // CopyFileOver that tells why it failed: the system's message in error.
    virtual bool CopyFileOverReporting(const std::string& source, const std::string& target, std::string& error) = 0;

    // Computer disinfection: the folders the shell keeps for the user
    // (desktop, documents, downloads, pictures, music, videos, favorites,
    // links, contacts, saved games, searches, start menu, application data,
    // a cloud-drive folder...), as the shell resolves them, without trailing
    // backslashes. Folders the system does not have are left out.
    virtual std::vector<std::string> UserShellFolders() = 0;
};

// Portable operations built on the snapshot: the name rule is in name_match.h.
// The program's own process is never among the matches, whatever its name:
// a copy of the program on a stick bears the name of a file being cleaned.
// Ends every process that matches; returns the outcome of the last attempt
// (false when none matched).
bool KillProcessByName(PlatformOps& os, const std::string& exeName);
bool IsProcessRunning(PlatformOps& os, const std::string& exeName);

// The entries of folder + mask whose long name matches mask. A directory
// search also answers by 8.3 short names ("ALBUM~1.LNK" for "Album.lnkx"), and
// only the long name says what a file is: every search whose result is acted
// on goes through here. folder ends with a backslash.
std::vector<DirEntry> FindByLongName(PlatformOps& os, const std::string& folder, const std::string& mask);
// The entries whose long name matches mask, in their order.
std::vector<DirEntry> LongNameMatches(std::vector<DirEntry> entries, const std::string& mask);

}  // namespace kv

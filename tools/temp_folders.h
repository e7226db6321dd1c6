// The temporary-folder cleaner of the tools tab: the user's and the system's
// temporary folders, their sizes, and the cleanup with its two logs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/session.h"

namespace kv {

// The two folders as the tools tab resolves them, each ending with a
// backslash; "" for a folder that could not be resolved.
struct TempFolders {
    std::string user;    // GetTempPath
    std::string system;  // the Windows folder + "\temp\"
};
TempFolders ResolveTempFolders(PlatformOps& os);

// Bytes held by everything under path. Sizes are 64-bit; the walk enters no
// junction or symbolic link (a link back up the tree would never end) and
// does not recurse, so no depth of folders can exhaust the stack. A missing
// folder gives 0.
std::uint64_t FolderSize(PlatformOps& os, const std::string& path);

// 512B, 1.50 KB, 2,048.00 MB ...: below 1024 bytes the count and "B";
// otherwise the count in KB, MB or GB with two decimals and thousands
// grouping, in the given separators.
std::string FormatSize(std::uint64_t bytes, const NumberSeparators& separators);

// "Espaço ocupado: " / "Occupied space: ".
std::string OccupiedSpacePrefix(UiLanguage language);
// The prefix and the formatted size of folder.
std::string OccupiedSpaceText(PlatformOps& os, UiLanguage language, const std::string& folder);

// Removes a subfolder of a temporary folder with all it holds: plain folders
// (attribute exactly "directory") are emptied recursively, every other entry
// has its attributes cleared and is deleted as a file. Answers whether the
// folder itself was removed.
bool EmptyFolderTree(PlatformOps& os, const std::string& path);

// Why a folder is not cleaned although it was given as a temporary folder
// (a TEMP variable set to C:\ or to the profile, by a user or by malware).
enum class UnsafeFolder { None, DriveRoot, WindowsFolder, ProgramFolder, ProfileFolder };
UnsafeFolder ClassifyCleanupFolder(PlatformOps& os, const std::string& folder);

struct CleanupResult {
    bool completed = false;  // false when a folder was missing (nothing opened then)
    std::string logPath;     // the roaming copy of the log
    std::vector<std::string> lines;
};

// The cleanup of both folders (given as resolved; "" or a relative text
// counts as a missing folder, named by missingName). Writes both logs, shows
// the closing box; lineWritten sees each log line as it is written. Throws
// FileWriteError when a log cannot be written (before anything is deleted
// when it cannot be created).
struct CleanupRequest {
    TempFolders folders;
    std::string missingUserName;    // the text that stands for an unresolved user folder
    std::string missingSystemName;  // the same for the system folder
    std::function<void(const std::string&)> lineWritten;
};
CleanupResult CleanTempFolders(ActionContext& ctx, const CleanupRequest& request);

}  // namespace kv

// PlatformOps on Windows: each operation is one or a few wide (…W) Windows
// calls, with texts converted at the call. The name and mask rules stay in
// the portable code; this layer only reports what Windows answers.
//
// Absolute drive paths reach the file calls with the "\\?\" prefix (see
// FileApiPath in the .cpp), so names ending in a blank or a dot and paths past
// MAX_PATH are reachable; the executable's own path is read whatever its length.
#pragma once

#include "core/platform_ops.h"

namespace kv {

class Win32Platform : public PlatformOps {
public:
    Win32Platform() = default;

    std::vector<ProcessEntry> SnapshotProcesses() override;
    bool TerminateProcessById(std::uint32_t processId) override;
    std::uint32_t CurrentProcessId() override;

    std::vector<DirEntry> FindEntries(const std::string& pattern) override;
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    std::optional<std::uint32_t> ReadAttributes(const std::string& path) override;
    bool ClearAttributes(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool Rename(const std::string& oldPath, const std::string& newPath) override;
    bool CopyFileOver(const std::string& source, const std::string& target) override;
    bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) override;
    std::optional<std::string> ReadWholeFile(const std::string& path) override;
    std::string TempPath() override;

    std::vector<LogicalDrive> LogicalDrives() override;
    DriveKind GetDriveKind(const std::string& root) override;

    std::string GetSpecialFolder(int csidl) override;
    std::string ExecutablePath() override;
    DateTimeTexts CurrentDateTimeTexts() override;

    bool RegValueExists(RegRoot root, const std::string& key, const std::string& name) override;
    bool RegRemoveValue(RegRoot root, const std::string& key, const std::string& name) override;
    std::string RegReadString(RegRoot root, const std::string& key, const std::string& name) override;
    std::vector<std::string> RegValueNames(RegRoot root, const std::string& key) override;
    bool RegKeyExists(RegRoot root, const std::string& key) override;
    bool RegMoveKey(RegRoot root, const std::string& oldKey, const std::string& newKey, bool deleteOld) override;

    void ShellOpen(const std::string& target, bool explore) override;
    void RunCommandLine(const std::string& commandLine) override;
    void ExitWindowsWithPrivilege(unsigned flags) override;

    // Tools.
    std::string ProcessImagePath(std::uint32_t processId) override;
    NumberSeparators RegionalNumberSeparators() override;
    WindowsBitness GetWindowsBitness() override;
    bool CopyFileOverReporting(const std::string& source, const std::string& target, std::string& error) override;

    std::vector<std::string> UserShellFolders() override;

    // Shortcut reading.
    std::optional<std::string> ReadFileHead(const std::string& path, std::size_t maxBytes) override;

    // Clearing and reading through one opening.
    ClearedFolder ClearFolderAttributesAndSearch(const std::string& folder, const std::string& mask) override;
    ClearedFile ClearFileAttributesAndReadHead(const std::string& path, std::size_t maxBytes) override;
};

}  // namespace kv

// The machine as one run of Check Computer sees it: every operation goes to
// the real platform, but a folder search already made in this run is answered
// from memory. Anything that may change a folder forgets every listing.
#pragma once

#include <map>

#include "core/platform_ops.h"

namespace kv {

class CachedListings : public PlatformOps {
public:
    explicit CachedListings(PlatformOps& os) : os_(os) {}

    std::vector<DirEntry> FindEntries(const std::string& pattern) override;

    // Changes: forwarded, and every listing is forgotten.
    bool TerminateProcessById(std::uint32_t processId) override;
    bool ClearAttributes(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool Rename(const std::string& oldPath, const std::string& newPath) override;
    bool CopyFileOver(const std::string& source, const std::string& target) override;
    bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) override;
    void ShellOpen(const std::string& target, bool explore) override;
    void RunCommandLine(const std::string& commandLine) override;
    void ExitWindowsWithPrivilege(unsigned flags) override;

    // The rest: forwarded as they are.
    std::vector<ProcessEntry> SnapshotProcesses() override { return os_.SnapshotProcesses(); }
    std::uint32_t CurrentProcessId() override { return os_.CurrentProcessId(); }
    bool FileExists(const std::string& path) override { return os_.FileExists(path); }
    bool FolderExists(const std::string& path) override { return os_.FolderExists(path); }
    std::optional<std::uint32_t> ReadAttributes(const std::string& path) override { return os_.ReadAttributes(path); }
    std::optional<std::string> ReadWholeFile(const std::string& path) override { return os_.ReadWholeFile(path); }
    std::string TempPath() override { return os_.TempPath(); }
    std::vector<LogicalDrive> LogicalDrives() override { return os_.LogicalDrives(); }
    DriveKind GetDriveKind(const std::string& root) override { return os_.GetDriveKind(root); }
    std::string GetSpecialFolder(int csidl) override { return os_.GetSpecialFolder(csidl); }
    std::string ExecutablePath() override { return os_.ExecutablePath(); }
    DateTimeTexts CurrentDateTimeTexts() override { return os_.CurrentDateTimeTexts(); }
    bool RegValueExists(RegRoot root, const std::string& key, const std::string& name) override {
        return os_.RegValueExists(root, key, name);
    }
    bool RegRemoveValue(RegRoot root, const std::string& key, const std::string& name) override {
        return os_.RegRemoveValue(root, key, name);
    }
    std::string RegReadString(RegRoot root, const std::string& key, const std::string& name) override {
        return os_.RegReadString(root, key, name);
    }
    std::vector<std::string> RegValueNames(RegRoot root, const std::string& key) override {
        return os_.RegValueNames(root, key);
    }
    bool RegKeyExists(RegRoot root, const std::string& key) override { return os_.RegKeyExists(root, key); }
    bool RegMoveKey(RegRoot root, const std::string& oldKey, const std::string& newKey, bool deleteOld) override {
        return os_.RegMoveKey(root, oldKey, newKey, deleteOld);
    }
    // Tools.
    std::string ProcessImagePath(std::uint32_t processId) override { return os_.ProcessImagePath(processId); }
    NumberSeparators RegionalNumberSeparators() override { return os_.RegionalNumberSeparators(); }
    WindowsBitness GetWindowsBitness() override { return os_.GetWindowsBitness(); }
    bool CopyFileOverReporting(const std::string& source, const std::string& target, std::string& error) override {
        return os_.CopyFileOverReporting(source, target, error);
    }
    // Computer disinfection.
    std::vector<std::string> UserShellFolders() override { return os_.UserShellFolders(); }

private:
    PlatformOps& os_;
    std::map<std::string, std::vector<DirEntry>> listings_;  // by pattern, as given
};

}  // namespace kv

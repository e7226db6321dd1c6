// A platform that hands every call to another one: the base of the views
// that remember what they read (a run's folder searches) and so must hear of
// every change. Each call that may change the disk or the running processes
// first tells BeforeChange which path it touches ("" when no single path
// says what may change: a process ended, a command run); everything else is
// passed through as it is. A new PlatformOps call that changes anything must
// announce itself here too.
#pragma once

#include "core/platform_ops.h"

namespace kv {

class ForwardingPlatform : public PlatformOps {
public:
    explicit ForwardingPlatform(PlatformOps& inner) : inner_(inner) {}

    // Changes.
    bool TerminateProcessById(std::uint32_t processId) override {
        BeforeChange("");
        return inner_.TerminateProcessById(processId);
    }
    bool ClearAttributes(const std::string& path) override {
        BeforeChange(path);
        return inner_.ClearAttributes(path);
    }
    bool RemoveFile(const std::string& path) override {
        BeforeChange(path);
        return inner_.RemoveFile(path);
    }
    bool RemoveFolder(const std::string& path) override {
        BeforeChange(path);
        return inner_.RemoveFolder(path);
    }
    bool CreateFolder(const std::string& path) override {
        BeforeChange(path);
        return inner_.CreateFolder(path);
    }
    bool Rename(const std::string& oldPath, const std::string& newPath) override {
        BeforeChange(oldPath);
        BeforeChange(newPath);
        return inner_.Rename(oldPath, newPath);
    }
    bool CopyFileOver(const std::string& source, const std::string& target) override {
        BeforeChange(target);
        return inner_.CopyFileOver(source, target);
    }
    bool CopyFileOverReporting(const std::string& source, const std::string& target, std::string& error) override {
        BeforeChange(target);
        return inner_.CopyFileOverReporting(source, target, error);
    }
    bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error) override {
        BeforeChange(path);
        return inner_.WriteWholeFile(path, bytes, error);
    }
    ClearedFolder ClearFolderAttributesAndSearch(const std::string& folder, const std::string& mask) override {
        BeforeChange(folder);
        return inner_.ClearFolderAttributesAndSearch(folder, mask);
    }
    ClearedFile ClearFileAttributesAndReadHead(const std::string& path, std::size_t maxBytes) override {
        BeforeChange(path);
        return inner_.ClearFileAttributesAndReadHead(path, maxBytes);
    }
    void ShellOpen(const std::string& target, bool explore) override {
        BeforeChange("");
        inner_.ShellOpen(target, explore);
    }
    void RunCommandLine(const std::string& commandLine) override {
        BeforeChange("");
        inner_.RunCommandLine(commandLine);
    }
    void ExitWindowsWithPrivilege(unsigned flags) override {
        BeforeChange("");
        inner_.ExitWindowsWithPrivilege(flags);
    }

    // Reads and registry calls, passed through.
    std::vector<ProcessEntry> SnapshotProcesses() override { return inner_.SnapshotProcesses(); }
    std::uint32_t CurrentProcessId() override { return inner_.CurrentProcessId(); }
    std::vector<DirEntry> FindEntries(const std::string& pattern) override { return inner_.FindEntries(pattern); }
    bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
    bool FolderExists(const std::string& path) override { return inner_.FolderExists(path); }
    std::optional<std::uint32_t> ReadAttributes(const std::string& path) override {
        return inner_.ReadAttributes(path);
    }
    std::optional<std::string> ReadWholeFile(const std::string& path) override { return inner_.ReadWholeFile(path); }
    std::optional<std::string> ReadFileHead(const std::string& path, std::size_t maxBytes) override {
        return inner_.ReadFileHead(path, maxBytes);
    }
    std::string TempPath() override { return inner_.TempPath(); }
    std::vector<LogicalDrive> LogicalDrives() override { return inner_.LogicalDrives(); }
    DriveKind GetDriveKind(const std::string& root) override { return inner_.GetDriveKind(root); }
    std::string GetSpecialFolder(int csidl) override { return inner_.GetSpecialFolder(csidl); }
    std::string ExecutablePath() override { return inner_.ExecutablePath(); }
    DateTimeTexts CurrentDateTimeTexts() override { return inner_.CurrentDateTimeTexts(); }
    bool RegValueExists(RegRoot root, const std::string& key, const std::string& name) override {
        return inner_.RegValueExists(root, key, name);
    }
    bool RegRemoveValue(RegRoot root, const std::string& key, const std::string& name) override {
        return inner_.RegRemoveValue(root, key, name);
    }
    std::string RegReadString(RegRoot root, const std::string& key, const std::string& name) override {
        return inner_.RegReadString(root, key, name);
    }
    std::vector<std::string> RegValueNames(RegRoot root, const std::string& key) override {
        return inner_.RegValueNames(root, key);
    }
    bool RegKeyExists(RegRoot root, const std::string& key) override { return inner_.RegKeyExists(root, key); }
    bool RegMoveKey(RegRoot root, const std::string& oldKey, const std::string& newKey, bool deleteOld) override {
        return inner_.RegMoveKey(root, oldKey, newKey, deleteOld);
    }
    std::string ProcessImagePath(std::uint32_t processId) override { return inner_.ProcessImagePath(processId); }
    NumberSeparators RegionalNumberSeparators() override { return inner_.RegionalNumberSeparators(); }
    WindowsBitness GetWindowsBitness() override { return inner_.GetWindowsBitness(); }
    std::vector<std::string> UserShellFolders() override { return inner_.UserShellFolders(); }

protected:
    // Called before each change; path is the entry the change touches, or ""
    // when anything may have changed.
    virtual void BeforeChange(const std::string& path) { static_cast<void>(path); }

    PlatformOps& inner_;
};

}  // namespace kv

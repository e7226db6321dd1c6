// An in-memory machine for tests: drives with files and folders (attributes,
// sizes, content, locks, folder links), registry keys and values, processes,
// special folders, drive types and a settable clock. It answers the way the
// Windows calls do: names compared without regard to case, "." and ".." in
// wildcard searches of non-root folders, entries in case-folded name order,
// SetFileAttributes(0) reading back as FILE_ATTRIBUTE_NORMAL on files, read-only
// files and folders refusing deletion, searches answering by 8.3 short names
// too (a long name that is no valid 8.3 name gets one such as ALBUM~1.LNK).
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/platform_ops.h"
#include "core/text.h"

namespace kv::test {

class MemoryPlatform : public PlatformOps {
public:
    MemoryPlatform();

    // ---- Setting up the machine -------------------------------------------
    void AddDrive(char letter, DriveKind kind, const std::string& label = std::string());
    // Creates the folder and any missing parents (parents as plain folders).
    void AddFolder(const std::string& path, std::uint32_t attributes = attr::kDirectory);
    // Creates the file (and plain parent folders); size defaults to content size.
    void AddFile(const std::string& path, std::uint64_t size = 0, std::uint32_t attributes = attr::kArchive,
                 const std::string& content = std::string());
    // A junction or directory symbolic link at path pointing at target.
    void AddFolderLink(const std::string& path, const std::string& target);
    void SetAttributes(const std::string& path, std::uint32_t attributes);
    // A locked entry cannot be deleted, removed, renamed or written.
    void SetLocked(const std::string& path, bool locked = true);
    // Writes under this folder fail with the given system message.
    void FailWritesUnder(const std::string& folder, const std::string& message = "Access is denied.");

    // A process with an image path keeps that file from being deleted while
    // it runs, as Windows does with a running program's executable.
    std::uint32_t AddProcess(const std::string& exeEntry, bool canBeTerminated = true,
                             const std::string& imagePath = std::string());
    void SetSpecialFolder(int csidl, const std::string& path);
    void SetRegistryString(RegRoot root, const std::string& key, const std::string& name, const std::string& data);
    void SetRegistryDword(RegRoot root, const std::string& key, const std::string& name, std::uint32_t data);
    void AddRegistryKey(RegRoot root, const std::string& key);
    // Reads and writes of this key fail, as HKLM does without administrator rights.
    void DenyRegistryKey(RegRoot root, const std::string& key);
    // Values of this key can be read but not deleted, as HKLM for a user
    // without administrator rights when keys are opened for reading.
    void ProtectRegistryKey(RegRoot root, const std::string& key);
    void SetDateTimeTexts(const DateTimeTexts& now) { now_ = now; }
    void SetExecutablePath(const std::string& path) { exePath_ = path; }

    // ---- The program's own process, short names, deletes that do nothing ----
    // The process this program runs as (0, none of the listed ones, by default).
    void SetCurrentProcessId(std::uint32_t processId) { currentProcessId_ = processId; }
    // File deletions under this folder answer success and leave the file, as
    // a write-protected stick does under some drivers.
    void IgnoreDeletesUnder(const std::string& folder);
    // Attribute changes of the entries under this folder fail, as on a
    // write-protected stick (pass a drive root for the whole stick).
    void RefuseAttributeChangesUnder(const std::string& folder);
    // Removing this folder answers success and leaves it, as Windows does for
    // a folder another program holds open (its deletion stays pending).
    void KeepFolderOnRemoval(const std::string& path) { keptFolders_.push_back(FoldCase(path)); }
    // The 8.3 short name a search also answers to, or "" when the long name
    // is a valid 8.3 name itself.
    std::string ShortNameOf(const std::string& path);
    void SetTempPath(const std::string& path) { tempPath_ = path; }
    // Tools.
    void SetNumberSeparators(const NumberSeparators& separators) { separators_ = separators; }
    void SetWindowsBitness(WindowsBitness bitness) { bitness_ = bitness; }

    // Computer disinfection: the user's shell folders (by default the usual
    // ones of C:\Users\user).
    void SetUserShellFolders(const std::vector<std::string>& folders) { userShellFolders_ = folders; }

    // ---- Looking at the machine --------------------------------------------
    bool Exists(const std::string& path);
    std::string ContentOf(const std::string& path);
    // Every path under root (root excluded), with its attribute word, in
    // search order; folder links are listed but not entered.
    std::map<std::string, std::uint32_t> TreeUnder(const std::string& root);
    std::vector<ProcessEntry> RunningProcesses() const;
    std::vector<std::string> ShellOpens() const { return shellOpens_; }
    std::vector<std::string> CommandLines() const { return commandLines_; }
    std::vector<unsigned> ExitWindowsCalls() const { return exitWindowsCalls_; }

    // ---- PlatformOps ------------------------------------------------------
    std::vector<ProcessEntry> SnapshotProcesses() override;
    bool TerminateProcessById(std::uint32_t processId) override;
    std::uint32_t CurrentProcessId() override { return currentProcessId_; }
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
    std::string TempPath() override { return tempPath_; }
    std::vector<LogicalDrive> LogicalDrives() override;
    DriveKind GetDriveKind(const std::string& root) override;
    std::string GetSpecialFolder(int csidl) override;
    std::string ExecutablePath() override { return exePath_; }
    DateTimeTexts CurrentDateTimeTexts() override { return now_; }
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
    NumberSeparators RegionalNumberSeparators() override { return separators_; }
    WindowsBitness GetWindowsBitness() override { return bitness_; }
    bool CopyFileOverReporting(const std::string& source, const std::string& target, std::string& error) override;

    std::vector<std::string> UserShellFolders() override { return userShellFolders_; }

    struct Node {
        std::string name;
        bool isDirectory = false;
        std::uint32_t attributes = 0;
        std::uint64_t size = 0;
        std::string content;
        bool locked = false;
        std::string linkTarget;                                 // set for folder links
        std::map<std::string, std::unique_ptr<Node>> children;  // keyed by folded name
    };

    struct RegValue {
        std::string name;
        bool isString = true;
        std::string text;
        std::uint32_t dword = 0;
    };
    struct RegKey {
        std::string path;
        std::vector<RegValue> values;  // in creation order
    };

private:
    struct Location {
        Node* parent = nullptr;  // folder holding the entry (links followed)
        Node* node = nullptr;    // the entry itself (a final link not followed)
        std::string name;        // last component as given
    };
    Node* DriveRoot(char letter);
    // Resolves a path; intermediate folder links are followed, the last
    // component is not. A drive root resolves with parent == nullptr.
    Location Locate(const std::string& path, int depth = 0);
    // Follows node's link (if any) to the folder it stands for.
    Node* Follow(Node* node, int depth = 0);
    Node* MakeFolders(const std::string& path);
    RegKey* FindKey(RegRoot root, const std::string& key);
    RegKey& MakeKey(RegRoot root, const std::string& key);
    bool Denied(RegRoot root, const std::string& key) const;
    void CollectTree(Node* folder, const std::string& prefix, std::map<std::string, std::uint32_t>& out);
    // The short names of a folder's entries that need one, keyed by folded
    // long name.
    static std::map<std::string, std::string> ShortNames(const Node& folder);

    std::map<char, std::unique_ptr<Node>> drives_;
    std::map<char, std::pair<DriveKind, std::string>> driveInfo_;
    std::vector<std::pair<std::string, std::string>> failingWriteFolders_;
    struct Process {
        ProcessEntry entry;
        bool canBeTerminated = true;
        std::string imagePath;
    };
    std::vector<Process> processes_;
    std::uint32_t nextProcessId_ = 1000;
    std::map<int, std::string> specialFolders_;
    std::map<std::string, RegKey> registry_;  // keyed by root + folded path
    std::set<std::string> deniedKeys_;
    std::set<std::string> protectedKeys_;
    DateTimeTexts now_{"07/12/2026", "09:20:28"};
    std::string exePath_ = "C:\\Program Files\\KV Vuduv\\kvvuduv.exe";
    std::string tempPath_ = "C:\\Users\\user\\AppData\\Local\\Temp\\";
    std::vector<std::string> shellOpens_;
    std::vector<std::string> commandLines_;
    std::vector<unsigned> exitWindowsCalls_;
    // Tools.
    NumberSeparators separators_;
    WindowsBitness bitness_ = WindowsBitness::Bits64;

    std::vector<std::string> userShellFolders_ = {
        "C:\\Users\\user\\Desktop",        "C:\\Users\\user\\Documents",
        "C:\\Users\\user\\Downloads",      "C:\\Users\\user\\Pictures",
        "C:\\Users\\user\\Music",          "C:\\Users\\user\\Videos",
        "C:\\Users\\user\\Favorites",      "C:\\Users\\user\\Links",
        "C:\\Users\\user\\Contacts",       "C:\\Users\\user\\Saved Games",
        "C:\\Users\\user\\Searches",       "C:\\Users\\user\\AppData\\Roaming",
        "C:\\Users\\user\\AppData\\Local", "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
    };
    // The program's own process, deletes that do nothing.
    std::uint32_t currentProcessId_ = 0;
    std::vector<std::string> ignoredDeleteFolders_;
    std::vector<std::string> attributeProtectedFolders_;
    std::vector<std::string> keptFolders_;
};

}  // namespace kv::test

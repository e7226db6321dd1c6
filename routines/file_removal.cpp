#include "routines/file_removal.h"

#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "core/name_match.h"
#include "core/text.h"
#include "routines/run_value_lookups.h"

namespace kv {
namespace {

// What the removal of the files of one folder search looks up again and again:
// the running processes and the names of the Run values. Each is read once
// and reused for every file of the search. The process list is read again
// after any attempt to end a process.
class SearchLookups {
public:
    explicit SearchLookups(PlatformOps& os) : os_(os), runValues_(os) {}

    // KillProcessByName on the cached process list: never the program's own
    // process; the outcome of the last attempt, false when none matched.
    bool EndProcessesNamed(const std::string& exeName) {
        if (!processes_) processes_ = os_.SnapshotProcesses();
        const std::uint32_t self = os_.CurrentProcessId();
        bool attempted = false;
        bool lastResult = false;
        for (const ProcessEntry& process : *processes_) {
            if (process.processId == self || !ProcessNameMatches(process.exeEntry, exeName)) continue;
            lastResult = os_.TerminateProcessById(process.processId);
            attempted = true;
        }
        if (attempted) processes_.reset();
        return lastResult;
    }

    RunValueLookups& runValues() { return runValues_; }

private:
    PlatformOps& os_;
    std::optional<std::vector<ProcessEntry>> processes_;
    RunValueLookups runValues_;
};

// The Run value named after a file: "*.js" files lose their last three
// characters, every other mask the last four. The "SysinfY2" dropper registers
// itself under a longer name.
std::string RunValueBaseName(const std::string& fileName, const std::string& mask) {
    const std::string base = DropLastChars(fileName, CharCount(mask) == 4 ? 3 : 4);
    return base == "SysinfY2" ? "SysinfY2X" : base;
}

// The lines of a file removal, kept until the removal's file deletions have
// been checked and then written in their order. A deletion's line depends on
// whether the file is gone: asking for each file alone whether it is still
// there costs, on a large folder under Wine, a reading of the whole folder
// (a missing name is looked for without regard to case), so the files of one
// folder search are checked together, with one search after their deletions.
class RemovalLines {
public:
    void Pair(std::string pt, std::string en) { lines_.push_back({std::move(pt), std::move(en), {}, {}, false}); }
    // A file whose deletion answered `answered`; reported as deleted only if
    // it answered success and the check finds it gone.
    void Deletion(const std::string& path, const std::string& mask, bool answered) {
        lines_.push_back({{}, {}, path, mask, answered});
    }
    bool AnyDeletionToCheck() const {
        for (const Pending& line : lines_) {
            if (line.answeredDeleted) return true;
        }
        return false;
    }
    bool AnyDeletionRefused() const {
        for (const Pending& line : lines_) {
            if (!line.path.empty() && !line.answeredDeleted) return true;
        }
        return false;
    }
    // Writes the lines; stillThere(path) tells whether a file whose deletion
    // answered success is still there.
    template <typename StillThere>
    void Write(ActionContext& ctx, StillThere stillThere) {
        for (const Pending& line : lines_) {
            if (line.path.empty()) {
                ctx.Pair(line.pt, line.en);
            } else if (line.answeredDeleted && !stillThere(line.path)) {
                ctx.Pair("[KV] > Arquivo " + line.path + " Deletado com Sucesso!",
                         "[KV] > File " + line.path + " Successfully Deleted!");
                if (line.mask == "win32.exe") ctx.flags().RestartNeededFlag = true;
            } else {
                ctx.flags().UndeletedFileFlag = true;
                ctx.Pair("[KV] > Não foi possível Excluir o Arquivo " + line.path,
                         "[KV] > Could not delete file " + line.path);
            }
        }
        lines_.clear();
    }

private:
    struct Pending {
        std::string pt, en;
        std::string path;  // a deletion's file, "" for a plain line
        std::string mask;
        bool answeredDeleted;
    };
    std::vector<Pending> lines_;
};

void EndProcessOfMatchedFile(ActionContext& ctx, SearchLookups& lookups, RemovalLines& lines, const std::string& name) {
    if (lookups.EndProcessesNamed(name)) {
        ctx.flags().InfectionFlag = true;
        lines.Pair("[KV] > Processo [kv00x] finalizado!", "[KV] > Process [kv00x] finished!");
    } else {
        lines.Pair("[KV] - Processo [kv00x] não está em execução neste computador!",
                   "[KV] - Process [kv00x] is not running on this computer!");
    }
}

// Deletes the value named base from one Run key. The local machine's own Run
// key writes its deletion with the progress tag and counts as an infection.
void DeleteRunValue(ActionContext& ctx, SearchLookups& lookups, RemovalLines& lines, RegRoot root, const char* key,
                    const std::string& base) {
    if (!lookups.runValues().Exists(root, key, base)) {
        lines.Pair("[KV] - Chave de Registro " + base + " não Encontrada!",
                   "[KV] - Registry key " + base + " not Found!");
        return;
    }
    const bool localMachineRun = root == RegRoot::LocalMachine && std::string(key) == kRunKey;
    if (localMachineRun) ctx.flags().InfectionFlag = true;
    const bool deleted = RemoveRegistryValueAndVerify(ctx.os, root, key, base);
    lookups.runValues().Forget(root, key);
    // Say so rather than report a deletion that did not happen.
    if (!deleted) {
        ctx.flags().UndeletedFileFlag = true;
        lines.Pair("[KV] > Chave de Registro " + base + " não pode ser Deletada!",
                   "[KV] > Registry key " + base + " can not be deleted!");
        return;
    }
    const std::string tag = localMachineRun ? "[KV] - " : "[KV] > ";
    lines.Pair(tag + "Chave de Registro " + base + " Deletada!", tag + "Registry key " + base + " Deleted!");
}

// Whether a file listed with these attributes must be cleared before it is
// deleted: read-only stops the deletion, and a file that stays should not
// stay hidden. One with nothing but archive (or normal) set, such as every
// file at a root the disinfection has just made visible, has nothing to clear.
bool NeedsClearingBeforeDeletion(std::optional<std::uint32_t> listedAttributes) {
    return !listedAttributes || (*listedAttributes & ~(attr::kArchive | attr::kNormal)) != 0;
}

// listedAttributes: the file's attributes in the search that found it, or
// nothing when it was not found by a search.
void RemoveOneMatchedFile(ActionContext& ctx, SearchLookups& lookups, RemovalLines& lines, const std::string& folder,
                          const std::string& name, const std::string& mask,
                          std::optional<std::uint32_t> listedAttributes) {
    const std::string base = RunValueBaseName(name, mask);
    const std::string path = folder + name;
    if (NeedsClearingBeforeDeletion(listedAttributes)) ctx.os.ClearAttributes(path);
    EndProcessOfMatchedFile(ctx, lookups, lines, name);
    lines.Deletion(path, mask, ctx.os.RemoveFile(path));
    if (mask == "*.lnk") ctx.flags().ShortcutSeenFlag = true;
    DeleteRunValue(ctx, lookups, lines, RegRoot::CurrentUser, kRunKey, base);
    DeleteRunValue(ctx, lookups, lines, RegRoot::LocalMachine, kPoliciesRunKey, base);
    DeleteRunValue(ctx, lookups, lines, RegRoot::LocalMachine, kRunKey, base);
    ctx.flags().InfectionFlag = true;
}

void RemoveFolderEntry(ActionContext& ctx, const std::string& folder, const DirEntry& entry) {
    if (entry.attributes == attr::kDirectory) {
        ctx.os.ClearAttributes(folder + entry.name);
        DeleteFolderTree(ctx, folder + entry.name, FolderTreeLevel::Nested);
        return;
    }
    // Anything else, a link or a folder with attributes included, is handled
    // as a file: a file deletion never removes a folder, so such a folder
    // stays (and so does its parent).
    if (entry.attributes != 0) ctx.os.ClearAttributes(folder + entry.name);
    if (KillProcessByName(ctx.os, entry.name)) {
        ctx.Pair("[KV] > Processo " + entry.name + " finalizado!", "[KV] > Finalized " + entry.name + " process!");
    }
    ctx.os.RemoveFile(folder + entry.name);
}

}  // namespace

void RemoveMatchedFile(ActionContext& ctx, const std::string& folder, const std::string& name,
                       const std::string& mask) {
    SearchLookups lookups(ctx.os);
    RemovalLines lines;
    RemoveOneMatchedFile(ctx, lookups, lines, folder, name, mask, std::nullopt);
    lines.Write(ctx, [&ctx](const std::string& path) { return ctx.os.ReadAttributes(path).has_value(); });
}

bool RemoveFileAndVerify(PlatformOps& os, const std::string& path) {
    return os.RemoveFile(path) && !os.ReadAttributes(path).has_value();
}

bool RemoveRegistryValueAndVerify(PlatformOps& os, RegRoot root, const std::string& key, const std::string& name) {
    os.RegRemoveValue(root, key, name);
    return !os.RegValueExists(root, key, name);
}

bool IsReparsePoint(std::uint32_t attributes) { return (attributes & attr::kReparsePoint) != 0; }

bool RemoveMatchingFiles(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    bool matched = false;
    SearchLookups lookups(ctx.os);
    RemovalLines lines;
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
        if (entry.IsDirectory()) continue;
        RemoveOneMatchedFile(ctx, lookups, lines, folder, entry.name, mask, entry.attributes);
        matched = true;
    }
    // One search after the deletions tells which files are still there.
    std::set<std::string> stillThere;
    if (lines.AnyDeletionToCheck()) {
        for (const DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
            if (!entry.IsDirectory()) stillThere.insert(folder + entry.name);
        }
    }
    const bool allGone = stillThere.empty() && !lines.AnyDeletionRefused();
    lines.Write(ctx, [&stillThere](const std::string& path) { return stillThere.count(path) != 0; });
    if (!matched) {
        ctx.Pair("[KV] - Nenhum Código/Vírus Encontrado em " + folder, "[KV] - No Code/Virus Found in " + folder);
    }
    return allGone;
}

bool DeleteFolderTreeAndReport(ActionContext& ctx, const std::string& path, FolderTreeLevel level,
                               const MessagePair& deleted, const MessagePair& notDeleted) {
    DeleteFolderTree(ctx, path, level);
    if (!ctx.flags().FolderFoundFlag) return false;
    const bool stays = ctx.os.FolderExists(path);
    const MessagePair& line = stays ? notDeleted : deleted;
    ctx.Pair(line.pt, line.en);
    return stays;
}

bool DeleteFolderTree(ActionContext& ctx, std::string folder, FolderTreeLevel level) {
    folder = WithTrailingBackslash(folder);
    if (!ctx.os.FolderExists(folder)) {
        ctx.Pair("[KV] - Pasta " + folder + " não Encontrada!", "[KV] - Folder " + folder + " not Found!");
        ctx.flags().FolderFoundFlag = false;
        return false;
    }
    if (level == FolderTreeLevel::Nested) ctx.flags().InfectionFlag = true;
    ctx.flags().FolderFoundFlag = true;
    // A junction, symbolic link or mount point in place of the folder may
    // lead anywhere (another drive, the system folder): remove the link
    // itself and never search behind it.
    const std::string folderName = WithoutTrailingBackslash(folder);
    const std::optional<std::uint32_t> attributes = ctx.os.ReadAttributes(folderName);
    if (attributes && IsReparsePoint(*attributes)) return ctx.os.RemoveFolder(folderName);

    for (const DirEntry& entry : FindByLongName(ctx.os, folder, "*.*")) {
        if (!entry.IsDotOrDotDot()) RemoveFolderEntry(ctx, folder, entry);
    }
    return ctx.os.RemoveFolder(folder);
}

}  // namespace kv

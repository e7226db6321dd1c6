#include "routines/file_removal.h"

#include "core/text.h"

namespace kv {
namespace {

// The Run value named after a file: "*.js" files lose their last three
// characters, every other mask the last four. The "SysinfY2" dropper registers
// itself under a longer name.
std::string RunValueBaseName(const std::string& fileName, const std::string& mask) {
    const std::string base = DropLastChars(fileName, CharCount(mask) == 4 ? 3 : 4);
    return base == "SysinfY2" ? "SysinfY2X" : base;
}

void EndProcessOfMatchedFile(ActionContext& ctx, const std::string& name) {
    if (KillProcessByName(ctx.os, name)) {
        ctx.flags().InfectionFlag = true;
        ctx.Pair("[KV] > Processo [kv00x] finalizado!", "[KV] > Process [kv00x] finished!");
    } else {
        ctx.Pair("[KV] - Processo [kv00x] não está em execução neste computador!",
                 "[KV] - Process [kv00x] is not running on this computer!");
    }
}

void DeleteMatchedFile(ActionContext& ctx, const std::string& folder, const std::string& name,
                       const std::string& mask) {
    const std::string path = folder + name;
    const bool deleted = RemoveFileAndVerify(ctx.os, path);
    if (mask == "*.lnk") ctx.flags().ShortcutSeenFlag = true;
    if (deleted) {
        ctx.Pair("[KV] > Arquivo " + path + " Deletado com Sucesso!", "[KV] > File " + path + " Successfully Deleted!");
        if (mask == "win32.exe") ctx.flags().RestartNeededFlag = true;
    } else {
        ctx.flags().UndeletedFileFlag = true;
        ctx.Pair("[KV] > Não foi possível Excluir o Arquivo " + path, "[KV] > Could not delete file " + path);
    }
}

// Deletes the value named base from one Run key. The local machine's own Run
// key writes its deletion with the progress tag and counts as an infection.
void DeleteRunValue(ActionContext& ctx, RegRoot root, const char* key, const std::string& base) {
    if (!ctx.os.RegValueExists(root, key, base)) {
        ctx.Pair("[KV] - Chave de Registro " + base + " não Encontrada!",
                 "[KV] - Registry key " + base + " not Found!");
        return;
    }
    const bool localMachineRun = root == RegRoot::LocalMachine && std::string(key) == kRunKey;
    if (localMachineRun) ctx.flags().InfectionFlag = true;
    ctx.os.RegRemoveValue(root, key, base);
    // Without administrator rights a local-machine value can be seen but not
    // deleted: say so rather than report a deletion that did not happen.
    if (ctx.os.RegValueExists(root, key, base)) {
        ctx.flags().UndeletedFileFlag = true;
        ctx.Pair("[KV] > Chave de Registro " + base + " não pode ser Deletada!",
                 "[KV] > Registry key " + base + " can not be deleted!");
        return;
    }
    const std::string tag = localMachineRun ? "[KV] - " : "[KV] > ";
    ctx.Pair(tag + "Chave de Registro " + base + " Deletada!", tag + "Registry key " + base + " Deleted!");
}

void RemoveOneMatchedFile(ActionContext& ctx, const std::string& folder, const std::string& name,
                          const std::string& mask) {
    const std::string base = RunValueBaseName(name, mask);
    ctx.os.ClearAttributes(folder + name);
    EndProcessOfMatchedFile(ctx, name);
    DeleteMatchedFile(ctx, folder, name, mask);
    DeleteRunValue(ctx, RegRoot::CurrentUser, kRunKey, base);
    DeleteRunValue(ctx, RegRoot::LocalMachine, kPoliciesRunKey, base);
    DeleteRunValue(ctx, RegRoot::LocalMachine, kRunKey, base);
    ctx.flags().InfectionFlag = true;
}

std::string WithTrailingBackslash(std::string folder) {
    if (!EndsWith(folder, "\\")) folder += "\\";
    return folder;
}

std::string WithoutTrailingBackslash(std::string folder) {
    while (folder.size() > 3 && EndsWith(folder, "\\")) folder.pop_back();
    return folder;
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
    RemoveOneMatchedFile(ctx, folder, name, mask);
}

bool RemoveFileAndVerify(PlatformOps& os, const std::string& path) {
    return os.RemoveFile(path) && !os.ReadAttributes(path).has_value();
}

bool IsReparsePoint(std::uint32_t attributes) { return (attributes & attr::kReparsePoint) != 0; }

void RemoveMatchingFiles(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    bool matched = false;
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
        if (entry.IsDirectory()) continue;
        RemoveOneMatchedFile(ctx, folder, entry.name, mask);
        matched = true;
    }
    if (!matched) {
        ctx.Pair("[KV] - Nenhum Código/Vírus Encontrado em " + folder, "[KV] - No Code/Virus Found in " + folder);
    }
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

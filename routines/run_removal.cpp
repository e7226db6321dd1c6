#include "routines/run_removal.h"

#include "core/text.h"
#include "routines/file_removal.h"

namespace kv {
namespace {

// Deletes the values called name and stem from one Run key. A value that
// survives its deletion (a local-machine value without administrator rights)
// is reported as such and counts as an item left in place.
void DeleteRunValuesNamedAfter(ActionContext& ctx, RegRoot root, const std::string& name, const std::string& label) {
    for (const std::string& value : {name, DropLastChars(name, 4)}) {
        if (!ctx.os.RegValueExists(root, kRunKey, value)) continue;
        if (!RemoveRegistryValueAndVerify(ctx.os, root, kRunKey, value)) {
            ctx.flags().UndeletedFileFlag = true;
            ctx.Pair("[KV] > Chave de Registro " + value + " não pode ser Deletada!" + label,
                     "[KV] > Registry key " + value + " can not be deleted!" + label);
        } else {
            ctx.Pair("[KV] > Chave de Registro " + value + " Deletada com Sucesso!" + label,
                     "[KV] > Registry key " + value + " Successfully Deleted!" + label);
        }
    }
}

// The program a Run value starts, with the quotes around a quoted path dropped.
std::string LaunchedPath(std::string data) {
    if (data.empty() || data.front() != '"') return data;
    return DropLastChars(data.substr(1), 1);
}

void RemoveLaunchedFile(ActionContext& ctx, RegRoot root, const std::string& valueName, const std::string& folder,
                        const std::string& name) {
    if (KillProcessByName(ctx.os, name)) {
        ctx.Pair("[KV] > Processo " + name + " finalizado!", "[KV] > Process " + name + " finished!");
    } else {
        ctx.Pair("[KV] - Processo " + name + " não está em execução neste computador!",
                 "[KV] - Process " + name + " is not running on this computer!");
    }
    ctx.flags().InfectionFlag = true;
    if (!RemoveRegistryValueAndVerify(ctx.os, root, kRunKey, valueName)) {
        ctx.Pair("[KV] > Chave de Registro não pode ser Deletada!", "[KV] > Registry key can not be deleted!");
        ctx.flags().UndeletedFileFlag = true;
        return;
    }
    RemoveFileWithRunValues(ctx, folder, name);
    ctx.Pair("[KV] > Chave de Registro Deletada com Sucesso!", "[KV] > Registry key deleted successfully!");
}

// Walks one Run key's values (listed once) for those launching folder + name.
bool RemoveValuesLaunching(ActionContext& ctx, RegRoot root, const std::string& folder, const std::string& name) {
    const std::string target = folder + name;
    bool found = false;
    for (const std::string& valueName : ctx.os.RegValueNames(root, kRunKey)) {
        // Values that are not text read as "" and can never equal a path.
        if (LaunchedPath(ctx.os.RegReadString(root, kRunKey, valueName)) != target) continue;
        RemoveLaunchedFile(ctx, root, valueName, folder, name);
        found = true;
    }
    return found;
}

}  // namespace

void RemoveFileWithRunValues(ActionContext& ctx, const std::string& folder, const std::string& name) {
    const std::string path = folder + name;
    if (KillProcessByName(ctx.os, name)) {
        ctx.Pair("[KV] > Processo " + name + " Encontrado e Finalizado!",
                 "[KV] > Process " + name + " Found and Finished!");
    }
    ctx.os.ClearAttributes(path);
    ctx.os.RemoveFile(path);
    if (ctx.os.FileExists(path)) {
        ctx.Line("[KV] > Arquivo " + path + " não pôde ser Deletado!");
        ctx.flags().UndeletedFileFlag = true;
    } else {
        ctx.Line("[KV] > Arquivo " + path + " Deletado!");
    }
    DeleteRunValuesNamedAfter(ctx, RegRoot::CurrentUser, name, " - CurrentUser");
    DeleteRunValuesNamedAfter(ctx, RegRoot::LocalMachine, name, " - LocalMachine");
}

void RemoveRunLaunchedFiles(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    bool found = false;
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
        if (entry.IsDotOrDotDot()) continue;
        ctx.os.ClearAttributes(folder + entry.name);
        // Both keys are walked whatever the first one gave.
        const bool inLocalMachine = RemoveValuesLaunching(ctx, RegRoot::LocalMachine, folder, entry.name);
        const bool inCurrentUser = RemoveValuesLaunching(ctx, RegRoot::CurrentUser, folder, entry.name);
        found = found || inLocalMachine || inCurrentUser;
    }
    if (!found) ctx.Pair("[KV] - Nenhum Código/Vírus Encontrado!", "[KV] - No Code/Virus Found!");
}

}  // namespace kv

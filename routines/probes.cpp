#include "routines/probes.h"

#include "core/text.h"
#include "routines/known_facts.h"
#include "routines/run_value_lookups.h"

namespace kv {
namespace {

void RunValueLine(ActionContext& ctx, RunValueLookups& runValues, RegRoot root, const std::string& baseName,
                  const std::string& item) {
    if (runValues.Exists(root, kRunKey, baseName)) {
        ctx.flags().InfectionFlag = true;
        ctx.Line("[KV] > Item <" + item + "> encontrado!");
    } else {
        ctx.Line("[KV] - Item <" + item + "> não encontrado!");
    }
}

void DisguiseLine(ActionContext& ctx, bool found, const std::string& mask) {
    if (found) {
        ctx.flags().InfectionFlag = true;
        ctx.Line("[KV] > Vírus tipo <" + mask + "> encontrado!");
    } else {
        ctx.Line("[KV] - Vírus tipo <" + mask + "> não encontrado!");
    }
}

}  // namespace

void ProbeFileAndRunValue(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    // A root of thousands of shortcuts asks for thousands of Run values.
    RunValueLookups runValues(ctx.os);
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
        if (entry.IsDirectory()) continue;
        // Whatever the mask: for "abc.js" this looks up "ab".
        const std::string baseName = DropLastChars(entry.name, 4);
        if (ctx.os.FileExists(folder + entry.name)) {
            if (mask == "*.lnk") ctx.flags().ShortcutSeenFlag = true;
            ctx.flags().InfectionFlag = true;
            ctx.Line("[KV] > Item <Infecções 10> encontrado!");
        } else {
            ctx.Line("[KV] - Item <Infecções 10> não encontrado!");
        }
        RunValueLine(ctx, runValues, RegRoot::CurrentUser, baseName, "Infecções 10.1");
        RunValueLine(ctx, runValues, RegRoot::LocalMachine, baseName, "Infecções 10.2");
    }
}

void ProbeExecutableDisguise(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
        if (entry.IsDirectory()) continue;
        ctx.os.ClearAttributes(folder + entry.name);
        if (IsDropperCopySize(entry.size) && ctx.flags().ShortcutSeenFlag) {
            ctx.Line("[KV] > Vírus tipo A1 encontrado!");
            ctx.flags().InfectionFlag = true;
        }
        const bool runningStranger = IsProcessRunning(ctx.os, entry.name) && !IsOwnProgramName(entry.name);
        DisguiseLine(ctx, runningStranger, mask);
        // A file named just ".exe" has no twin: its empty base name would
        // name the folder being searched, which always exists.
        const std::string twinName = DropLastChars(entry.name, 4);
        DisguiseLine(ctx, !twinName.empty() && ctx.os.FolderExists(folder + twinName), mask);
    }
}

}  // namespace kv

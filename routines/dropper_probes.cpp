#include "routines/dropper_probes.h"

#include <vector>

#include "core/text.h"
#include "routines/known_facts.h"

namespace kv {
namespace {

// True when folder + mask yields a file below the dropper size limit.
bool HoldsSmallFile(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
        if (entry.IsDirectory()) continue;
        if (IsBelowDropperFolderLimit(entry.size) && ctx.os.FileExists(folder + entry.name)) return true;
    }
    return false;
}

// The program a Run value starts: a quoted text loses its first and last
// character.
std::string LaunchedPath(const std::string& data) {
    if (data.empty() || data.front() != '"') return data;
    return DropLastChars(data.substr(1), 1);
}

// The launched paths of one Run key, in the order of its value names.
std::vector<std::string> LaunchedPaths(ActionContext& ctx, RegRoot root) {
    std::vector<std::string> paths;
    for (const std::string& name : ctx.os.RegValueNames(root, kRunKey)) {
        paths.push_back(LaunchedPath(ctx.os.RegReadString(root, kRunKey, name)));
    }
    return paths;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& candidate : texts) {
        if (candidate == text) return true;
    }
    return false;
}

}  // namespace

int ProbeDropperFolder(ActionContext& ctx, const std::string& folder) {
    // Both lists are always taken, as the probe's cost should not depend on
    // what the first one found.
    const bool program = HoldsSmallFile(ctx, folder, "*.exe");
    const bool script = HoldsSmallFile(ctx, folder, "*.js");
    if (!program || !script) return kDropperFolderNotFound;
    ctx.flags().InfectionFlag = true;
    return kDropperFolderFound;
}

void ProbeRunKeyExecutables(ActionContext& ctx, const std::string& folder, const std::string& mask) {
    bool found = false;
    bool keysRead = false;
    std::vector<std::string> machinePaths, userPaths;
    for (const DirEntry& entry : FindByLongName(ctx.os, folder, mask)) {
        if (entry.IsDotOrDotDot()) continue;
        const std::string path = folder + entry.name;
        ctx.os.ClearAttributes(path);
        // The keys do not change while the folder is walked: they are read
        // once, at the first entry.
        if (!keysRead) {
            machinePaths = LaunchedPaths(ctx, RegRoot::LocalMachine);
            userPaths = LaunchedPaths(ctx, RegRoot::CurrentUser);
            keysRead = true;
        }
        if (Contains(machinePaths, path) || Contains(userPaths, path)) {
            ctx.flags().InfectionFlag = true;
            found = true;
        }
    }
    if (found) {
        ctx.Pair("[KV] > Vírus Encontrado!", "[KV] > Virus Found!");
    } else {
        ctx.Pair("[KV] - Nenhum Código/Vírus Encontrado!", "[KV] - No Code/Virus Found");
    }
}

}  // namespace kv

// Making a stick's root visible, with each root entry opened once for all the
// disinfection will read of it: a shortcut's first bytes (for its payload) and
// the scripts of a folder (for the script search one level down) are read
// through the opening that clears the entry's attributes. On a stick of
// thousands of hidden folders and shortcuts, openings are most of the work.
#pragma once

#include <string>
#include <vector>

#include "core/session.h"
#include "routines/remembered_searches.h"
#include "routines/shortcut_payload.h"

namespace kv {

// The scripts the disinfection looks for in every folder one level down.
inline constexpr const char* kFolderScriptMask = "*.js";

// The root as it was found, before anything was made visible.
struct RootAsFound {
    std::string root;                     // e.g. "E:\"
    std::vector<DirEntry> entries;        // its listing then, attributes as they were
    std::vector<ReadShortcut> shortcuts;  // the shortcuts read on the way, in listing order
    std::vector<std::string> notCleared;  // the entries whose attributes could not be cleared
};

// Clears the attributes of every entry at root, as making a folder's entries
// visible does, and returns what the root looked like before. Each folder's
// scripts (kFolderScriptMask) are left with `searches`, which answers for
// them while nothing changes the folder; ctx.os must be `searches` itself, so
// that it hears of every change.
RootAsFound MakeRootVisible(ActionContext& ctx, RememberedSearches& searches, const std::string& root);

// The payloads of the shortcuts read, judged against the root as it was
// found: whether a file was hidden is what counts, not what the unhiding
// made of it. Folders below the root are read as they are now (making the
// root visible does not change them).
std::vector<ShortcutPayload> PayloadsAsFound(PlatformOps& os, const RootAsFound& found);

}  // namespace kv

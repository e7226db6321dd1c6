#include "device/root_unhide.h"

#include <utility>

#include "routines/file_removal.h"

namespace kv {

RootAsFound MakeRootVisible(ActionContext& ctx, RememberedSearches& searches, const std::string& root) {
    RootAsFound found;
    found.root = root;
    found.entries = FindByLongName(ctx.os, root, "*.*");
    for (const DirEntry& entry : found.entries) {
        if (entry.IsDotOrDotDot()) continue;
        ctx.NextEntry(root);
        const std::string path = root + entry.name;
        bool cleared = false;
        // A link is cleared as itself and never read through.
        if (IsReparsePoint(entry.attributes)) {
            cleared = ctx.os.ClearAttributes(path);
        } else if (entry.IsDirectory()) {
            const PlatformOps::ClearedFolder folder = ctx.os.ClearFolderAttributesAndSearch(path, kFolderScriptMask);
            cleared = folder.cleared;
            if (folder.entries) {
                searches.Remember(path + "\\", kFolderScriptMask,
                                  LongNameMatches(*folder.entries, kFolderScriptMask));
            }
        } else if (IsShortcutToRead(entry)) {
            const PlatformOps::ClearedFile file = ctx.os.ClearFileAttributesAndReadHead(path, kMaxShellLinkBytes + 1);
            cleared = file.cleared;
            std::optional<ShellLink> link = file.head ? ParseShellLink(*file.head) : std::nullopt;
            if (link) found.shortcuts.push_back({entry.name, std::move(*link)});
        } else {
            cleared = ctx.os.ClearAttributes(path);
        }
        if (!cleared) found.notCleared.push_back(path);
    }
    return found;
}

std::vector<ShortcutPayload> PayloadsAsFound(PlatformOps& os, const RootAsFound& found) {
    return PayloadsOfShortcuts(os, found.root, found.entries, found.shortcuts);
}

}  // namespace kv

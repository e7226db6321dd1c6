#include "device/root_unhide.h"

#include <map>
#include <utility>

#include "core/forwarding_platform.h"
#include "core/name_match.h"
#include "core/text.h"
#include "routines/file_removal.h"

namespace kv {
namespace {

std::vector<DirEntry> LongNameMatches(const std::vector<DirEntry>& entries, const std::string& mask) {
    std::vector<DirEntry> kept;
    for (const DirEntry& entry : entries) {
        if (MatchesFileMask(entry.name, mask)) kept.push_back(entry);
    }
    return kept;
}

// The device with its root answered from the listing taken before the root
// was made visible; every other call goes to the device. A payload's path is
// looked up a name at a time, so plain names are found through an index: a
// root of thousands of shortcuts asks thousands of times.
class RootAsListed : public ForwardingPlatform {
public:
    RootAsListed(PlatformOps& os, const RootAsFound& found)
        : ForwardingPlatform(os), found_(found), foldedRoot_(FoldCase(found.root)) {
        for (std::size_t i = 0; i < found.entries.size(); ++i) byName_[FoldCase(found.entries[i].name)].push_back(i);
    }

    std::vector<DirEntry> FindEntries(const std::string& pattern) override {
        const std::size_t slash = pattern.rfind('\\');
        if (slash == std::string::npos || FoldCase(pattern.substr(0, slash + 1)) != foldedRoot_) {
            return inner_.FindEntries(pattern);
        }
        const std::string mask = pattern.substr(slash + 1);
        if (mask.find_first_of("*?") != std::string::npos) return LongNameMatches(found_.entries, mask);
        // Without wildcards a mask matches the names equal to it but for case.
        std::vector<DirEntry> named;
        const auto known = byName_.find(FoldCase(mask));
        if (known != byName_.end()) {
            for (const std::size_t i : known->second) named.push_back(found_.entries[i]);
        }
        return named;
    }

private:
    const RootAsFound& found_;
    const std::string foldedRoot_;
    std::map<std::string, std::vector<std::size_t>> byName_;  // folded name -> entries
};

}  // namespace

RootAsFound MakeRootVisible(ActionContext& ctx, RememberedSearches& searches, const std::string& root) {
    RootAsFound found;
    found.root = root;
    found.entries = FindByLongName(ctx.os, root, "*.*");
    for (const DirEntry& entry : found.entries) {
        if (entry.IsDotOrDotDot()) continue;
        ctx.NextEntry(root);
        const std::string path = root + entry.name;
        // A link is cleared as itself and never read through.
        if (IsReparsePoint(entry.attributes)) {
            ctx.os.ClearAttributes(path);
        } else if (entry.IsDirectory()) {
            const PlatformOps::ClearedFolder folder = ctx.os.ClearFolderAttributesAndSearch(path, kFolderScriptMask);
            if (folder.entries) {
                searches.Remember(path + "\\", kFolderScriptMask,
                                  LongNameMatches(*folder.entries, kFolderScriptMask));
            }
        } else if (IsShortcutToRead(entry)) {
            const PlatformOps::ClearedFile file = ctx.os.ClearFileAttributesAndReadHead(path, kMaxShellLinkBytes + 1);
            std::optional<ShellLink> link = file.head ? ParseShellLink(*file.head) : std::nullopt;
            if (link) found.shortcuts.push_back({entry.name, std::move(*link)});
        } else {
            ctx.os.ClearAttributes(path);
        }
    }
    return found;
}

std::vector<ShortcutPayload> PayloadsAsFound(PlatformOps& os, const RootAsFound& found) {
    RootAsListed device(os, found);
    return PayloadsOfShortcuts(device, found.root, found.shortcuts);
}

}  // namespace kv

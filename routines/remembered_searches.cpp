#include "routines/remembered_searches.h"

#include <utility>

#include "core/text.h"

namespace kv {

bool RememberedSearches::Remember(const std::string& folder, const std::string& mask, std::vector<DirEntry> entries) {
    if (entries.size() > kMaxEntries - entriesTaken_) return false;
    entriesTaken_ += entries.size();
    folders_[FoldCase(folder)][mask] = std::move(entries);
    return true;
}

std::vector<DirEntry> RememberedSearches::FindEntries(const std::string& pattern) {
    const std::size_t slash = pattern.rfind('\\');
    if (slash != std::string::npos) {
        const auto folder = folders_.find(FoldCase(pattern.substr(0, slash + 1)));
        if (folder != folders_.end()) {
            const auto search = folder->second.find(pattern.substr(slash + 1));
            if (search != folder->second.end()) return search->second;
        }
    }
    return inner_.FindEntries(pattern);
}

void RememberedSearches::BeforeChange(const std::string& path) {
    if (path.empty()) {
        folders_.clear();
        return;
    }
    // The folders holding the entry: every prefix of the path that ends with
    // a backslash, and the entry itself when it is a folder.
    const std::string entry = FoldCase(WithTrailingBackslash(path));
    for (std::size_t slash = entry.find('\\'); slash != std::string::npos; slash = entry.find('\\', slash + 1)) {
        folders_.erase(entry.substr(0, slash + 1));
    }
    // Everything under it.
    for (auto below = folders_.lower_bound(entry); below != folders_.end() && StartsWith(below->first, entry);) {
        below = folders_.erase(below);
    }
}

}  // namespace kv

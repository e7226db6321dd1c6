#include "routines/run_value_lookups.h"

namespace kv {
namespace {

// The name in lower case, or nothing when it holds a character outside ASCII.
std::optional<std::string> FoldAscii(const std::string& name) {
    std::string folded;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return folded;
}

}  // namespace

bool RunValueLookups::Exists(RegRoot root, const char* key, const std::string& name) {
    const std::optional<std::string> folded = FoldAscii(name);
    if (folded) {
        const ValueNames& names = ValueNamesOf(root, key);
        if (names.allAscii && names.folded.count(*folded) == 0) return false;
    }
    return os_.RegValueExists(root, key, name);
}

void RunValueLookups::Forget(RegRoot root, const char* key) { valueNames_.erase({static_cast<int>(root), key}); }

const RunValueLookups::ValueNames& RunValueLookups::ValueNamesOf(RegRoot root, const char* key) {
    const std::pair<int, std::string> id{static_cast<int>(root), key};
    auto found = valueNames_.find(id);
    if (found != valueNames_.end()) return found->second;
    ValueNames names;
    for (const std::string& name : os_.RegValueNames(root, key)) {
        const std::optional<std::string> folded = FoldAscii(name);
        if (folded) {
            names.folded.insert(*folded);
        } else {
            names.allAscii = false;
        }
    }
    return valueNames_.emplace(id, std::move(names)).first->second;
}

}  // namespace kv

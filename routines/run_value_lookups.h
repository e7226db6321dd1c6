// Whether a Run value exists, asked for many names in a row (one per file a
// search found): the key's value names are read once and a name they lack is
// answered from them. A name the list holds, or one that cannot be compared
// safely (outside ASCII, whose case the registry may fold differently), is
// asked of the registry itself, so the answer is always the registry's.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "core/platform_ops.h"

namespace kv {

class RunValueLookups {
public:
    explicit RunValueLookups(PlatformOps& os) : os_(os) {}

    bool Exists(RegRoot root, const char* key, const std::string& name);
    // After a value of key was deleted (or not), its names are read afresh.
    void Forget(RegRoot root, const char* key);

private:
    struct ValueNames {
        std::set<std::string> folded;
        bool allAscii = true;
    };
    const ValueNames& ValueNamesOf(RegRoot root, const char* key);

    PlatformOps& os_;
    std::map<std::pair<int, std::string>, ValueNames> valueNames_;
};

}  // namespace kv

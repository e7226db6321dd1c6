#include "computer/computer_check_listings.h"

namespace kv {

std::vector<DirEntry> CachedListings::FindEntries(const std::string& pattern) {
    auto known = listings_.find(pattern);
    if (known == listings_.end()) known = listings_.emplace(pattern, inner_.FindEntries(pattern)).first;
    return known->second;
}

void CachedListings::BeforeChange(const std::string&) { listings_.clear(); }

}  // namespace kv

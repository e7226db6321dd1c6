// The machine as one run of Check Computer sees it: every operation goes to
// the real platform, but a folder search already made in this run is answered
// from memory. Anything that may change a folder forgets every listing.
#pragma once

#include <map>

#include "core/forwarding_platform.h"

namespace kv {

class CachedListings : public ForwardingPlatform {
public:
    explicit CachedListings(PlatformOps& os) : ForwardingPlatform(os) {}

    std::vector<DirEntry> FindEntries(const std::string& pattern) override;

protected:
    void BeforeChange(const std::string& path) override;

private:
    std::map<std::string, std::vector<DirEntry>> listings_;  // by pattern, as given
};

}  // namespace kv

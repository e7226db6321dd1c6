// Folder searches answered from what the run has already read. A disinfection
// reads some folders while it changes them (the folders at a stick's root are
// listed through the same opening that makes them visible), and asks the same
// question of them later: the answer read then stands in for a fresh search
// as long as nothing can have changed the folder since. Every change made
// through this view forgets what it may have touched: the folder of the
// changed entry, the entry itself and everything under it. Ending a process
// or running a command forgets everything: a virus that was still running may
// have written anywhere. Changes made by anyone else are not seen, as between
// any search and what a program does with its answer.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "core/forwarding_platform.h"

namespace kv {

class RememberedSearches : public ForwardingPlatform {
public:
    explicit RememberedSearches(PlatformOps& os) : ForwardingPlatform(os) {}

    // From now on FindEntries(folder + mask) answers entries (folder ends with
    // a backslash) until something forgets it. The entries are what the search
    // keeps of a listing: only those whose long name matches mask, which is
    // all FindByLongName keeps of a directory search. A view holds at most
    // kMaxEntries entries (a stick of folders full of scripts would otherwise
    // hold them all at once): past that it remembers nothing more, and the
    // search is made afresh when asked. Returns whether it remembers them.
    static constexpr std::size_t kMaxEntries = 100000;
    bool Remember(const std::string& folder, const std::string& mask, std::vector<DirEntry> entries);

    std::vector<DirEntry> FindEntries(const std::string& pattern) override;

protected:
    void BeforeChange(const std::string& path) override;

private:
    // Folded folder (ending with a backslash) -> mask as given -> entries.
    std::map<std::string, std::map<std::string, std::vector<DirEntry>>> folders_;
    std::size_t entriesTaken_ = 0;  // ever remembered: what is forgotten is not given back
};

}  // namespace kv

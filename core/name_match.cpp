#include "core/name_match.h"

#include "core/text.h"

namespace kv {
namespace {

bool MatchFrom(const std::string& name, std::size_t n, const std::string& mask, std::size_t m) {
    // Iterative glob with backtracking on the last star.
    std::size_t starMask = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
            // '?' stands for one character: skip a whole UTF-8 sequence.
            if (mask[m] == '?') {
                ++n;
                while (n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) ++n;
            } else {
                ++n;
            }
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
            while (n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

}  // namespace

bool MatchesFileMask(const std::string& name, const std::string& mask) {
    // Every name matches these; most searches use them, so skip the folding.
    if (mask == "*" || mask == "*.*") return true;
    const std::string foldedName = FoldCase(name);
    const std::string foldedMask = FoldCase(mask);
    if (MatchFrom(foldedName, 0, foldedMask, 0)) return true;
    // A dot followed by a star at the end of the mask also matches the end of
    // the name: "abc.*" matches "abc", "a.b.*" matches "a.b", "*.*" matches
    // "README".
    if (EndsWith(foldedMask, ".*")) return MatchFrom(foldedName, 0, foldedMask.substr(0, foldedMask.size() - 2), 0);
    return false;
}

bool ProcessNameMatches(const std::string& exeEntry, const std::string& name) {
    const std::string wanted = AsciiUpper(name);
    const std::size_t cut = exeEntry.find_last_of("\\:");
    const std::string filePart = cut == std::string::npos ? exeEntry : exeEntry.substr(cut + 1);
    return AsciiUpper(filePart) == wanted || AsciiUpper(exeEntry) == wanted;
}

void SplitPattern(const std::string& pattern, std::string& folder, std::string& mask) {
    const std::size_t cut = pattern.find_last_of("\\/:");
    if (cut == std::string::npos) {
        folder.clear();
        mask = pattern;
    } else {
        folder = pattern.substr(0, cut + 1);
        mask = pattern.substr(cut + 1);
    }
}

bool HasWildcard(const std::string& mask) {
    return mask.find_first_of("*?") != std::string::npos;
}

}  // namespace kv

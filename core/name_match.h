// Name rules shared by the Windows and the in-memory platforms.
#pragma once

#include <string>

namespace kv {

// True when a file name matches a search mask the way FindFirstFile matches
// long names: "*" any run of characters, "?" one character, letters compared
// without regard to case, "*.*" matching every name (also names without a dot),
// and a mask ending in ".*" also matching where the name ends ("abc.*"
// matches "abc", "a.b.*" matches "a.b").
bool MatchesFileMask(const std::string& name, const std::string& mask);

// The process-name rule: the upper-cased (a-z only) file-name part of the
// snapshot's exe entry (the text after the last backslash or colon) equals the
// upper-cased given name, or else the whole upper-cased exe entry does.
bool ProcessNameMatches(const std::string& exeEntry, const std::string& name);

// Splits "C:\dir\*.lnk" into "C:\dir\" and "*.lnk" (the folder part keeps its
// trailing separator; a pattern without a separator has an empty folder).
void SplitPattern(const std::string& pattern, std::string& folder, std::string& mask);

// True when the mask holds a wildcard character.
bool HasWildcard(const std::string& mask);

}  // namespace kv

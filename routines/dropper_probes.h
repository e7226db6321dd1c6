// File probes for the traces a dropper leaves on the computer, shared by the
// computer check and the computer disinfection: a folder holding a small
// program beside a small script, and programs that a start-up Run value
// launches directly.
#pragma once

#include <string>

#include "core/session.h"

namespace kv {

// ProbeDropperFolder's answers.
inline constexpr int kDropperFolderFound = 1;
inline constexpr int kDropperFolderNotFound = 2;

// Answers kDropperFolderFound (1) when folder holds a file matching "*.exe"
// and a file matching "*.js", each smaller than 180,000 bytes (they need not
// share a name; sub-folders do not count), and then sets InfectionFlag;
// otherwise answers kDropperFolderNotFound (2) and leaves the flags alone.
// Writes no line. folder ends with a backslash; a missing folder answers 2.
int ProbeDropperFolder(ActionContext& ctx, const std::string& folder);

// For every entry of folder + mask: clears its attributes and compares
// folder + name with the data of every value of the HKLM and the HKCU Run
// keys (a quoted value without its first and last character), exactly,
// letter case included. Any match sets InfectionFlag. Writes one summary line
// in the active language, also when nothing matches the mask. folder ends with
// a backslash.
void ProbeRunKeyExecutables(ActionContext& ctx, const std::string& folder, const std::string& mask);

}  // namespace kv

// Probes shared by the device check and the computer check: they look in one
// folder for files matching a mask and judge them by what else the machine
// shows about them. They report and raise flags; they never delete.
#pragma once

#include <string>

#include "core/session.h"

namespace kv {

// For every file matching folder + mask: three lines, one for the file
// itself and one for each Run key (HKCU, HKLM) holding a value named like the
// file's base name (its name without the last 4 characters). Any matching
// file sets InfectionFlag; a match for exactly "*.lnk" sets ShortcutSeenFlag.
// folder ends with a backslash. Nothing matching, no line.
void ProbeFileAndRunValue(ActionContext& ctx, const std::string& folder, const std::string& mask);

// For every file matching folder + mask: clears its attributes, then writes
// the tell-tale size line (with a shortcut seen), the running-process line and
// the folder-twin line. folder ends with a backslash.
void ProbeExecutableDisguise(ActionContext& ctx, const std::string& folder, const std::string& mask);

}  // namespace kv

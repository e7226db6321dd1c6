// Icon repair (the user's per-extension Explorer settings set aside), the
// copy of the program to the desktop, and the program's folder.
#pragma once

#include <string>

#include "core/session.h"

namespace kv {

inline constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
inline constexpr const char* kFileExtsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
inline constexpr const char* kFileExtsAsideKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExtsoldkv";

enum class IconRepairOutcome {
    Moved,            // FileExts moved to FileExtsoldkv
    TargetExists,     // FileExts there, but FileExtsoldkv too: nothing moved
    NothingToRepair,  // no FileExts
};

// Moves HKCU's FileExts to FileExtsoldkv (values and subkeys, recursively)
// and shows the restart box; without FileExts, the "unable to repair" box.
IconRepairOutcome RepairIcons(ActionContext& ctx);

// Copies the running executable to the desktop, over a file of that name,
// and shows the success box, or an error box with the system's message.
bool CopyProgramToDesktop(ActionContext& ctx);

// The folder of the running executable, without a trailing backslash.
std::string ProgramFolder(PlatformOps& os);

}  // namespace kv

// The actions the console program can run, as a table: adding an action is
// one entry.
#pragma once

#include <string>

#include "core/session.h"

namespace kv::cli {

enum class DriveArgument { Required, Refused };

// Runs the action exactly as the window's button does and tells whether it
// found something. driveListText stands in for the drive list's selection
// ("E:"); the computer actions ignore it.
using ActionRunner = bool (*)(ActionContext& ctx, const std::string& driveListText);

struct CliAction {
    const char* name;
    DriveArgument drive;
    ActionRunner run;  // nullptr: not built yet
};

// The entry for name, or nullptr for an unknown action.
const CliAction* FindCliAction(const std::string& name);

}  // namespace kv::cli

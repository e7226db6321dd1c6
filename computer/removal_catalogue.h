// The steps of Disinfect Computer, in the order it runs them: the removal
// catalogue (eighteen groups of processes, files, folders and start-up
// values) and the repair of the system functions the virus turned off.
#pragma once

#include "core/session.h"

namespace kv {

void RunRemovalCatalogue(ActionContext& ctx);

// Deletes the five policy values that turn off the folder options, the
// control panel, the browser's home-page setting and system restore. A
// repair is not a finding: it raises no flag.
void RepairSystemFunctions(ActionContext& ctx);

}  // namespace kv

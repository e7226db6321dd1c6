// Check Computer: probes the running processes, the special folders of the
// user and of the machine and the two start-up Run keys for every infection
// type of the catalogue, gives the outcome and offers to save the report. It
// removes nothing; its one change on the disk is that the programs compared
// with the Run values are made visible.
#pragma once

#include "core/session.h"

namespace kv {

// Runs the whole check: header, process probes, catalogue, outcome box and
// closing line, save offer (when the option for checks is ticked). Returns
// InfectionFlag as the outcome saw it.
bool ComputerCheck(ActionContext& ctx);

}  // namespace kv

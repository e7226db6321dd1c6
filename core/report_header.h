#pragma once

#include <string>

#include "core/session.h"

namespace kv {

enum class ActionKind { DeviceCheck, DeviceDisinfection, ComputerCheck, ComputerDisinfection };

// Clears the report and writes the version, start and action lines. The
// drive root ("E:\") is used by the device actions only.
void WriteReportHeader(ActionContext& ctx, ActionKind action, const std::string& driveRoot = std::string());

}  // namespace kv

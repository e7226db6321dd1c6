// The process manager of the tools tab: the list of running processes and
// the ending of one by its name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/session.h"

namespace kv {

struct ProcessListEntry {
    std::string text;  // full image path, or the snapshot's name
    std::uint32_t processId = 0;
};

// The entry text of process id 0.
inline constexpr const char* kIdleProcessText = "System Idle Process";

// One entry per running process: "System Idle Process" for id 0, the full
// path of its image where it can be read, the snapshot's name otherwise;
// sorted alphabetically without regard to case.
std::vector<ProcessListEntry> ListRunningProcesses(PlatformOps& os);

// The name "Finalizar Processo" ends processes by: the text after the last
// backslash of the entry (an entry without a path stays as it is).
std::string ProcessNameOfEntry(const std::string& entryText);

// Ends every process of the entry's name and shows the success or the
// warning box. True when the last termination succeeded (the caller then
// lists the processes again).
bool EndProcessOfEntry(ActionContext& ctx, const std::string& entryText);

}  // namespace kv

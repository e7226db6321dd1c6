// The maintenance tools from the console: the process list, ending a
// process, the temporary folders and their cleanup, icon repair and the
// system report. None takes a drive; each prints what the tools tab shows
// and its boxes as "== kind | title | text".
#pragma once

#include <string>

#include "cli/transcript.h"
#include "core/session.h"

namespace kv::cli {

enum class ToolArgument { None, Required };

// Runs the tool; answers the exit status.
using ToolRunner = int (*)(ActionContext& ctx, Transcript& transcript, const std::string& argument);

struct CliTool {
    const char* name;
    ToolArgument argument;
    const char* argumentName;  // for the usage error
    ToolRunner run;
};

// The entry for name, or nullptr when name is not a tool.
const CliTool* FindCliTool(const std::string& name);

}  // namespace kv::cli

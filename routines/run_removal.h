// Removal routines of the computer disinfection (the device disinfection uses
// the first for its disguised executables): one known file with the Run values
// named after it, and the files that a Run value launches directly.
#pragma once

#include <string>

#include "core/session.h"

namespace kv {

// Ends the processes named name, deletes folder + name (folder ends with a
// backslash) and deletes the Run values named name or name without its last
// four characters, under the current user and the local machine. Sets only
// UndeletedFileFlag: callers count the infection themselves.
void RemoveFileWithRunValues(ActionContext& ctx, const std::string& folder, const std::string& name);

// For every entry of folder + mask, removes the Run values (local machine,
// then current user) whose data are exactly that path, quoted or not, with
// the file itself.
void RemoveRunLaunchedFiles(ActionContext& ctx, const std::string& folder, const std::string& mask);

}  // namespace kv

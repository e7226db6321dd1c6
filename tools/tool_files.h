// What the tools that write files share: the two "zirozov" data folders and
// the writing of one text in both.
#pragma once

#include <string>
#include <vector>

#include "core/platform_ops.h"

namespace kv {

// The roaming data folder (DataFolder) and its twin under the local
// application-data folder, without trailing backslashes.
std::string RoamingDataFolder(PlatformOps& os);
std::string LocalDataFolder(PlatformOps& os);

// Creates both data folders when missing (results not checked).
void EnsureDataFolders(PlatformOps& os);

// Writes lines (Windows-1252, CR LF) as fileName in the roaming and then the
// local data folder; throws FileWriteError. Answers the roaming copy's path.
std::string WriteInBothDataFolders(PlatformOps& os, const std::string& fileName, const std::vector<std::string>& lines);

// "07/12/2026" -> "07-12-2026": "/", "\" and ":" become "-".
std::string FileNameSafe(std::string text);

}  // namespace kv

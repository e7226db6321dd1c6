// Disinfect Device: ends the virus processes, brings the user's hidden files
// back into view, removes the virus's files, folders and start-up values from
// the chosen drive, and keeps two automatic copies of the report.
#pragma once

#include <string>

#include "core/report_file.h"
#include "core/session.h"

namespace kv {

// Runs the whole disinfection of the drive chosen in the removal group's drive
// list; driveListText is that list's text (its first character is the drive
// letter, an empty text means no drive). The outcome is left in
// ctx.session.outcome. Throws FileWriteError when a report copy cannot be
// written.
void DeviceDisinfection(ActionContext& ctx, const std::string& driveListText);

// Makes the executables of folder + mask visible and removes those that are
// disguised: the virus's fixed-size copy once a shortcut was seen, a running
// program, or an executable named like a folder beside it.
void RemoveExecutableDisguise(ActionContext& ctx, const std::string& folder, const std::string& mask);

// The texts of the save offer that closes a device disinfection.
SaveOfferTexts DeviceDisinfectionSaveTexts(UiLanguage language);

}  // namespace kv

// Disinfect Computer: ends the virus processes, removes the virus's files,
// folders, start-up values and scheduled task from the user's and the
// machine's special folders, gives back the system functions the virus turned
// off, and keeps two automatic copies of the report. Asks for a restart when
// a removal needs one.
#pragma once

#include "core/report_file.h"
#include "core/session.h"

namespace kv {

// Runs the whole disinfection of the computer. The outcome is left in
// ctx.session.outcome. Throws FileWriteError when a report copy cannot be
// written.
void ComputerDisinfection(ActionContext& ctx);

// The texts of the save offer that closes a computer disinfection.
SaveOfferTexts ComputerDisinfectionSaveTexts(UiLanguage language);

// ExitWindowsEx's flag for a restart that is not forced.
inline constexpr unsigned kRestartNotForced = 2;  // EWX_REBOOT

}  // namespace kv

// What the main window does that needs no window: the start-up steps, the
// language switch on the session, and the clean-up at shut-down. The window
// (main_window.cpp) shows their results.
#pragma once

#include <optional>
#include <string>

#include "app/options_file.h"
#include "core/platform_ops.h"
#include "core/session.h"
#include "device/drive_list.h"

namespace kv {

// Programs the shortcut viruses run through, ended silently at start-up.
inline constexpr const char* kStartupKilledProcesses[] = {"wscript.exe", "xcv.exe", "rundll32.exe"};

// The file deleted next to the executable at shut-down.
inline constexpr const char* kLeftoverFileName = "iphist.dat";

struct StartupResult {
    DriveList checkDrives;                         // DriveComboBox2
    DriveList disinfectionDrives;                  // DriveComboBox1
    std::optional<OptionsFileError> optionsError;  // shown once the window is up
};

// The first three characters of the user's profile folder ("C:\").
std::string SystemRootOf(PlatformOps& os);

// Creates the data folder when missing, reads (or creates) the options file,
// starts in Portuguese, ends the virus processes without a word, fills both
// drive lists, and puts the start-up tips in the report. An options file that
// cannot be read or written leaves both options on and the rest of start-up
// still runs.
StartupResult RunStartup(PlatformOps& os, Session& session);

// A language button: false (nothing happens) when target is already active;
// otherwise switches, clears the report and writes the tips of target.
bool SwitchLanguage(Session& session, UiLanguage target);

// Deletes "iphist.dat" in the executable's folder; a missing file is fine.
void DeleteLeftoverFile(PlatformOps& os);

}  // namespace kv

// The device drive lists: every logical drive but the system drive and the
// CD/DVD drives, in the system's order, the first one selected.
#pragma once

#include <string>
#include <vector>

#include "core/platform_ops.h"

namespace kv {

struct DriveList {
    std::vector<std::string> entries;  // "E: PENDRIVE": letter, colon, label
    int selected = -1;                 // -1 when the list is empty
    // The selected entry's text, or "" when none is selected.
    std::string SelectedText() const;
};

// True for the drive that holds the Windows folder and for optical drives:
// the drive lists never offer them.
bool IsSystemOrOpticalDrive(PlatformOps& os, char driveLetter);

// Rebuilds a drive list from the platform's logical drives.
DriveList RefreshDriveList(PlatformOps& os);

// "E: PENDRIVE" -> "E:\" (first character + ":\"); "" for an empty text.
std::string DriveRootFromListText(const std::string& text);

}  // namespace kv

// Check Device: lists the device's folder tree into the report, looks at its
// root for the signs of shortcut-virus infections, gives a verdict and offers
// to save the report. Apart from making the executables it probes visible, it
// changes nothing on the device.
#pragma once

#include <string>

#include "core/session.h"

namespace kv {

// What a check found, for front ends that need more than the report (the
// console program's exit status).
struct DeviceCheckResult {
    bool driveSelected = false;   // false: the drive list was empty, nothing was checked
    bool autorunSeen = false;     // "autorun.inf" at the root
    bool infectionFound = false;  // InfectionFlag at the verdict
    bool FoundSomething() const { return autorunSeen || infectionFound; }
};

// driveListText is the selected entry of the drive list ("E: PENDRIVE");
// only its first character is used. An empty text checks nothing but still
// runs the save offer.
DeviceCheckResult DeviceCheck(ActionContext& ctx, const std::string& driveListText);

// Writes one line per entry under folder, depth first in search order. Plain
// folders (attributes exactly "directory") are descended; any other entry,
// a hidden or system folder included, is one line. False when the folder
// does not exist.
bool ListFolderTree(ActionContext& ctx, const std::string& folder);

// Writes the listing line "[KV] - " + path of an entry the folder search has
// just yielded. The entry is not searched for again by its exact path: on a
// stick of 100,000 files that second search made the check take six times as
// long as the walk itself under Wine, and it would drop the names that a
// path lookup cannot reach (a folder named "Fotos " with a trailing blank).
void ListFileLine(ActionContext& ctx, const std::string& path);

}  // namespace kv

// Report lines that many tests expect, written out once: the helper that
// joins blocks into one report, and the blocks of the device actions every
// such report holds (E:\ on the in-memory machine, its fixed date and time).
// The blocks are functions: test files build their own constants from them
// while their statics are being made, before this file's would be.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace kv::test {

using Lines = std::vector<std::string>;

Lines Join(std::initializer_list<Lines> blocks);

// A probed file without Run values: its item found, neither Run value.
const Lines& FileItemOnly();
// Check Device: the root probes, none finding anything.
const Lines& DeviceCheckRootNothing();
// Disinfect Device in Portuguese: the header, no virus process, the root
// made visible.
const Lines& DeviceDisinfectionStartPt();
// Disinfect Device in Portuguese: none of the recycle folders found.
const Lines& DeviceRecycleFoldersNotFoundPt();

}  // namespace kv::test

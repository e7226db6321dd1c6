// Facts about the malware and about this program that several actions share:
// the registry keys they read and clean, the size rules that tell a dropper,
// the device's trash folders and the names the program itself goes by. Each
// fact lives here once.
#pragma once

#include <cstdint>
#include <string>

#include "core/text.h"

namespace kv {

// Start-up keys (relative to HKCU or HKLM).
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kPoliciesRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Run";

// The device droppers' own copy is a little over 250,000 bytes: strictly
// between 250,000 and 251,000. Sizes are full 64-bit sizes, so a 4 GiB file
// whose low 32 bits fall in the window is not a dropper.
inline constexpr std::uint64_t kDropperCopySizeAbove = 250000;
inline constexpr std::uint64_t kDropperCopySizeBelow = 251000;
inline bool IsDropperCopySize(std::uint64_t size) {
    return size > kDropperCopySizeAbove && size < kDropperCopySizeBelow;
}

// The computer's dropper folders hold a program and a script smaller than
// this many bytes.
inline constexpr std::uint64_t kDropperFolderFileLimit = 180000;
inline bool IsBelowDropperFolderLimit(std::uint64_t size) { return size < kDropperFolderFileLimit; }

// Trash and system folders at a device root, in the order the device actions
// report them.
inline constexpr const char* kDeviceTrashFolders[] = {
    "RECYCLE", "RECYCLE.BIN", "$RECYCLE.BIN", "RECYCLER", "RECYCLER.BIN", "$RECYCLER.BIN", "System Volume Information",
};

// A running program whose name begins so (case-sensitively) is this program
// itself.
inline constexpr const char* kOwnNamePrefix = "KV Vuduv";
// So is one running under the name of one of this program's executables
// (compared as process names are: a-z without regard to case). Users carry
// the program on the very stick they clean.
inline constexpr const char* kOwnExecutableNames[] = {"kvvuduv.exe", "kvvuduv-cli.exe"};

inline bool IsOwnProgramName(const std::string& name) {
    if (FirstChars(name, 8) == kOwnNamePrefix) return true;
    for (const char* own : kOwnExecutableNames) {
        if (AsciiUpper(name) == AsciiUpper(own)) return true;
    }
    return false;
}

}  // namespace kv

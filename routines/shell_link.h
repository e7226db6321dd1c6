// A reader of shell-link (.lnk) files: what a shortcut starts, with which
// arguments, from which folder. Shortcuts on an infected device are written by
// the malware, so the bytes are hostile: every size, offset and count is
// checked against the bytes at hand, and a file that is cut, damaged or not a
// shortcut at all reads as unreadable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kv {

// A shortcut bigger than this is not read (real ones are a few KiB).
inline constexpr std::size_t kMaxShellLinkBytes = 64 * 1024;

// LinkFlags bits.
namespace link_flag {
constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kHasName = 0x4;
constexpr std::uint32_t kHasRelativePath = 0x8;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;
}  // namespace link_flag

// LinkInfo flag: the volume and local base path are present.
inline constexpr std::uint32_t kLinkInfoVolumeIdAndLocalBasePath = 0x1;

// The parts of a shortcut the program looks at, as UTF-8 (ANSI strings are
// taken as Windows-1252). Missing parts are empty.
struct ShellLink {
    std::uint32_t linkFlags = 0;
    std::uint32_t fileAttributes = 0;  // the target's attributes when the link was made
    // The file-system path the target ID list spells out ("E:\sysvolume\x.vbs"),
    // empty when the list is absent or names something else (a printer, a
    // control-panel item, a network place).
    std::string idListPath;
    // LinkInfo: the local base path (the Unicode form when present) and the
    // common path suffix appended to it.
    std::string localBasePath;
    std::string commonPathSuffix;
    // StringData.
    std::string name;
    std::string relativePath;
    std::string workingDir;
    std::string arguments;
    std::string iconLocation;

    // The target as LinkInfo gives it (base path + suffix), else as the ID
    // list gives it; empty when neither does.
    std::string TargetPath() const;
};

// Parses the bytes of a .lnk file; nothing when they are not a readable
// shortcut (wrong header, cut short, an offset or size out of range, more
// than kMaxShellLinkBytes).
std::optional<ShellLink> ParseShellLink(const std::string& bytes);

}  // namespace kv

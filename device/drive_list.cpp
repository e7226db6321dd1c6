#include "device/drive_list.h"

#include "core/text.h"

namespace kv {

std::string DriveList::SelectedText() const {
    if (selected < 0 || selected >= static_cast<int>(entries.size())) return std::string();
    return entries[static_cast<std::size_t>(selected)];
}

bool IsSystemOrOpticalDrive(PlatformOps& os, char driveLetter) {
    const std::string letterAndColon = AsciiUpper(std::string(1, driveLetter)) + ":";
    const std::string windowsFolder = os.GetSpecialFolder(csidl::kWindows);
    // An unknown Windows folder drops nothing as the system drive.
    if (windowsFolder.size() >= 2 && AsciiUpper(windowsFolder.substr(0, 2)) == letterAndColon) return true;
    return os.GetDriveKind(letterAndColon) == DriveKind::CdRom;
}

DriveList RefreshDriveList(PlatformOps& os) {
    DriveList list;
    for (const LogicalDrive& drive : os.LogicalDrives()) {
        if (IsSystemOrOpticalDrive(os, drive.letter)) continue;
        std::string text = AsciiUpper(std::string(1, drive.letter)) + ":";
        if (!drive.label.empty()) text += " " + FoldCase(drive.label);
        list.entries.push_back(text);
    }
    list.selected = list.entries.empty() ? -1 : 0;
    return list;
}

std::string DriveRootFromListText(const std::string& text) {
    if (text.empty()) return std::string();
    return text.substr(0, 1) + ":\\";
}

}  // namespace kv

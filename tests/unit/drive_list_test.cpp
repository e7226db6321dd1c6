#include <gtest/gtest.h>

#include "device/drive_list.h"
#include "tests/support/memory_platform.h"

namespace kv {
namespace {

using test::MemoryPlatform;

TEST(DriveList, DropsTheSystemDriveAndOpticalDrivesAndSelectsTheFirstLeft) {
    MemoryPlatform os;  // C: holds C:\Windows
    os.AddDrive('D', DriveKind::CdRom, "DVD");
    os.AddDrive('E', DriveKind::Removable, "Pendrive");
    os.AddDrive('F', DriveKind::Fixed, "Dados");
    os.AddDrive('Z', DriveKind::Remote, "share");
    const DriveList list = RefreshDriveList(os);
    EXPECT_EQ(list.entries, (std::vector<std::string>{"E: PENDRIVE", "F: DADOS", "Z: SHARE"}));
    EXPECT_EQ(list.SelectedText(), "E: PENDRIVE");
    EXPECT_EQ(DriveRootFromListText(list.SelectedText()), "E:\\");
}

TEST(DriveList, OpticalDriveFirstAndEmptyListAndAStickPluggedInLater) {
    MemoryPlatform os;
    os.AddDrive('A', DriveKind::CdRom);
    DriveList list = RefreshDriveList(os);
    EXPECT_TRUE(list.entries.empty());
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(list.SelectedText(), "");
    EXPECT_EQ(DriveRootFromListText(list.SelectedText()), "");

    os.AddDrive('G', DriveKind::Removable);
    list = RefreshDriveList(os);
    EXPECT_EQ(list.entries, std::vector<std::string>{"G:"});
}

TEST(DriveList, UnknownWindowsFolderDropsNoSystemDrive) {
    MemoryPlatform os;
    os.SetSpecialFolder(csidl::kWindows, "");
    EXPECT_EQ(RefreshDriveList(os).entries, std::vector<std::string>{"C: SYSTEM"});
    os.SetSpecialFolder(csidl::kWindows, "c:\\windows");
    EXPECT_TRUE(RefreshDriveList(os).entries.empty());
    EXPECT_TRUE(IsSystemOrOpticalDrive(os, 'c'));
    EXPECT_FALSE(IsSystemOrOpticalDrive(os, 'Q'));  // not a drive at all
}

}  // namespace
}  // namespace kv

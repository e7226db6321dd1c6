// Win32Platform's list of the user's shell folders, in the private Wine
// prefix: the folders with a CSIDL and those only a known-folder ID names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include "core/text.h"
#include "core/win32/win32_platform.h"

namespace kv {
namespace {

bool Lists(const std::vector<std::string>& folders, const std::string& folder) {
    for (const std::string& listed : folders) {
        if (EqualsIgnoringCase(listed, folder)) return true;
    }
    return false;
}

TEST(Win32ShellFolders, ListsTheCsidlFoldersAndDownloadsThroughItsKnownFolderId) {
    Win32Platform os;
    const std::vector<std::string> folders = os.UserShellFolders();
    const std::string profile = os.GetSpecialFolder(CSIDL_PROFILE);
    ASSERT_FALSE(profile.empty());
    for (const int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA}) {
        EXPECT_TRUE(Lists(folders, os.GetSpecialFolder(csidl))) << csidl;
    }
    // Downloads has no CSIDL; Wine, like Vista and later, knows its ID.
    EXPECT_TRUE(Lists(folders, profile + "\\Downloads"));
    for (const std::string& folder : folders) {
        EXPECT_FALSE(folder.empty());
        EXPECT_FALSE(EndsWith(folder, "\\")) << folder;
    }
}

}  // namespace
}  // namespace kv

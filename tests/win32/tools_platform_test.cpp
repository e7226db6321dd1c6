// Win32Platform's calls for the maintenance tools, in the private Wine prefix.
#include <gtest/gtest.h>

#include "core/text.h"
#include "core/win32/wide.h"
#include "core/win32/win32_platform.h"
#include "tests/win32/win32_test_support.h"

namespace kv {
namespace {

TEST(ToolsPlatform, ImagePathOfARunningProcessAndNoneForAMissingOne) {
    Win32Platform os;
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(os.ProcessImagePath(GetCurrentProcessId()), Narrow(self));
    EXPECT_EQ(os.ProcessImagePath(0xFFFFFFF0u), "");
}

TEST(ToolsPlatform, TheProgramNeverEndsItself) {
    Win32Platform os;
    EXPECT_FALSE(os.TerminateProcessById(GetCurrentProcessId()));
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string name = Narrow(self).substr(Narrow(self).find_last_of('\\') + 1);
    EXPECT_FALSE(KillProcessByName(os, name));  // still here to say so
}

TEST(ToolsPlatform, SeparatorsBitnessAndCopyFailureMessage) {
    Win32Platform os;
    const NumberSeparators separators = os.RegionalNumberSeparators();
    EXPECT_FALSE(separators.decimal.empty());
    EXPECT_NE(separators.decimal, separators.thousands);
    // The 64-bit build runs only on 64-bit Windows; a 32-bit one gets an answer either way.
    if (sizeof(void*) == 8) {
        EXPECT_EQ(os.GetWindowsBitness(), WindowsBitness::Bits64);
    } else {
        EXPECT_NE(os.GetWindowsBitness(), WindowsBitness::Unknown);
    }

    test::ScratchFolder folder;
    test::MakeFile(folder / "source.txt", "new");
    test::MakeFile(folder / "target.txt", "old");
    std::string error = "stale";
    EXPECT_TRUE(os.CopyFileOverReporting(folder / "source.txt", folder / "target.txt", error));
    EXPECT_EQ(test::ContentOf(folder / "target.txt"), "new");
    EXPECT_EQ(error, "");
    EXPECT_FALSE(os.CopyFileOverReporting(folder / "missing.txt", folder / "target.txt", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::ContentOf(folder / "target.txt"), "new");
}

}  // namespace
}  // namespace kv

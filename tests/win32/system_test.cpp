// Win32Platform's processes, drives, special folders, clock, shell and command
// lines, in the private Wine prefix.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <memory>

#include "core/text.h"
#include "core/win32/wide.h"
#include "core/win32/win32_platform.h"
#include "tests/win32/win32_test_support.h"

namespace kv {
namespace {

using test::BesideTestProgram;
using test::WaitUntil;

// A copy of the sleeper started at path; ended (if still running) at the end.
class Sleeper {
public:
    explicit Sleeper(const std::string& path) {
        EXPECT_TRUE(CopyFileW(Widen(BesideTestProgram("kv_sleeper.exe")).c_str(), Widen(path).c_str(), FALSE)) << path;
        std::wstring commandLine = L"\"" + Widen(path) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        EXPECT_TRUE(CreateProcessW(Widen(path).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &info_))
            << path << ": " << SystemErrorMessage(GetLastError());
    }
    ~Sleeper() {
        if (info_.hProcess == nullptr) return;
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 10000);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Sleeper(const Sleeper&) = delete;
    Sleeper& operator=(const Sleeper&) = delete;

    bool EndsWithin(DWORD milliseconds) const {
        return WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    std::uint32_t Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

class SystemTest : public ::testing::Test {
protected:
    Win32Platform os;
};

TEST_F(SystemTest, KillProcessByNameEndsEveryProcessOfThatNameInAnyLetterCase) {
    test::ScratchFolder folder;
    test::MakeFolder(folder / "one");
    test::MakeFolder(folder / "two");
    Sleeper first(folder / "one\\kvdummy.exe");
    Sleeper second(folder / "two\\kvdummy.exe");
    Sleeper bystander(folder / "kvdummy2.exe");
    ASSERT_TRUE(IsProcessRunning(os, "kvdummy.exe"));

    EXPECT_TRUE(KillProcessByName(os, "KVDUMMY.EXE"));
    // Ended by the time the call returns, so their files can go at once.
    EXPECT_TRUE(first.EndsWithin(0));
    EXPECT_TRUE(second.EndsWithin(0));
    EXPECT_TRUE(os.RemoveFile(folder / "one\\kvdummy.exe"));
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsProcessRunning(os, "kvdummy.exe"); }));
    EXPECT_FALSE(bystander.EndsWithin(0));
    EXPECT_TRUE(IsProcessRunning(os, "KvDummy2.exe"));
    EXPECT_FALSE(KillProcessByName(os, "kvdummy.exe"));  // none left
}

TEST_F(SystemTest, SnapshotNamesEachProcessByItsExecutable) {
    bool foundSelf = false;
    for (const ProcessEntry& process : os.SnapshotProcesses()) {
        if (process.processId == GetCurrentProcessId()) {
            foundSelf = true;
            EXPECT_EQ(AsciiUpper(process.exeEntry), "KV_WIN32_TESTS.EXE");
        }
    }
    EXPECT_TRUE(foundSelf);
    EXPECT_FALSE(os.TerminateProcessById(0xFFFFFFF0u));
}

TEST_F(SystemTest, SpecialFoldersComeWithoutTrailingBackslash) {
    for (int csidl : {csidl::kAppData, csidl::kLocalAppData, csidl::kDesktopDirectory, csidl::kCommonAppData,
                      csidl::kWindows, csidl::kProgramFiles, csidl::kProfile, csidl::kSystemX86}) {
        const std::string folder = os.GetSpecialFolder(csidl);
        SCOPED_TRACE("CSIDL " + std::to_string(csidl) + ": " + folder);
        ASSERT_GE(folder.size(), 3u);
        EXPECT_EQ(folder.substr(1, 2), ":\\");
        EXPECT_NE(folder.back(), '\\');
        EXPECT_TRUE(os.FolderExists(folder));
    }
    EXPECT_EQ(os.GetSpecialFolder(0x7F), "");  // no such CSIDL
}

TEST_F(SystemTest, TempPathAndExecutablePathArePlacesThatExist) {
    const std::string temp = os.TempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(os.FolderExists(temp));

    const std::string self = os.ExecutablePath();
    EXPECT_TRUE(EndsWith(AsciiUpper(self), "\\KV_WIN32_TESTS.EXE")) << self;
    EXPECT_TRUE(os.FileExists(self));
}

TEST_F(SystemTest, DateAndTimeTextsAreInTheRegionalFormats) {
    const DateTimeTexts now = os.CurrentDateTimeTexts();
    auto hasDigit = [](const std::string& text) {
        for (char c : text) {
            if (std::isdigit(static_cast<unsigned char>(c))) return true;
        }
        return false;
    };
    EXPECT_TRUE(hasDigit(now.shortDate)) << now.shortDate;
    EXPECT_TRUE(hasDigit(now.longTime)) << now.longTime;
    EXPECT_NE(now.shortDate, now.longTime);
}

TEST_F(SystemTest, DrivesAreListedWithTheirLabelsAndKinds) {
    const std::vector<LogicalDrive> drives = os.LogicalDrives();
    const auto drive = [&](char letter) -> const LogicalDrive* {
        for (const LogicalDrive& d : drives) {
            if (d.letter == letter) return &d;
        }
        return nullptr;
    };
    ASSERT_NE(drive('C'), nullptr);
    ASSERT_NE(drive('T'), nullptr);
    EXPECT_EQ(drive('T')->label, "KVTEST");

    for (const char* root : {"T:", "T:\\", "t:"}) EXPECT_EQ(os.GetDriveKind(root), DriveKind::Fixed) << root;
    const DWORD used = GetLogicalDrives();
    char unused = 0;
    for (char letter = 'Z'; letter > 'D' && unused == 0; --letter) {
        if ((used & (1u << (letter - 'A'))) == 0) unused = letter;
    }
    ASSERT_NE(unused, 0);
    EXPECT_EQ(os.GetDriveKind(std::string(1, unused) + ":"), DriveKind::NoRootDir);
    EXPECT_EQ(drive(unused), nullptr);
    EXPECT_EQ(os.GetDriveKind(""), DriveKind::NoRootDir);
}

// The command line goes through CreateProcessW, so a path outside the system
// code page arrives as it was written.
TEST_F(SystemTest, RunCommandLineStartsTheProgramWithItsUnicodeArguments) {
    test::ScratchFolder folder;
    test::MakeFolder(folder / "Запуск 启动");
    const std::string program = folder / "Запуск 启动\\kv_sleeper.exe";
    ASSERT_TRUE(CopyFileW(Widen(BesideTestProgram("kv_sleeper.exe")).c_str(), Widen(program).c_str(), FALSE));
    const std::string marker = folder / "Запуск 启动\\готово 完成 😀.txt";

    os.RunCommandLine("\"" + program + "\" --touch \"" + marker + "\"");
    EXPECT_TRUE(WaitUntil([&] { return os.FileExists(marker); }));
    EXPECT_TRUE(WaitUntil([&] { return !IsProcessRunning(os, "kv_sleeper.exe"); }));
}

TEST_F(SystemTest, ShellOpenStartsAProgramGivenByAUnicodePath) {
    test::ScratchFolder folder;
    const std::string program = folder / "открыть.exe";
    ASSERT_TRUE(CopyFileW(Widen(BesideTestProgram("kv_sleeper.exe")).c_str(), Widen(program).c_str(), FALSE));

    os.ShellOpen(program, false);
    EXPECT_TRUE(WaitUntil([&] { return IsProcessRunning(os, "открыть.exe"); }));
    EXPECT_TRUE(KillProcessByName(os, "открыть.exe"));
    EXPECT_TRUE(WaitUntil([&] { return !IsProcessRunning(os, "открыть.exe"); }));
}

}  // namespace
}  // namespace kv

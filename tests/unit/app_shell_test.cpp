#include "app/app_shell.h"

#include <gtest/gtest.h>

#include "app/ui_texts.h"
#include "tests/support/memory_platform.h"

namespace kv {
namespace {

using test::MemoryPlatform;

const char kDataFolder[] = "C:\\Users\\user\\AppData\\Roaming\\zirozov";
const char kOptionsFile[] = "C:\\Users\\user\\AppData\\Roaming\\zirozov\\parametros.ini";

std::vector<std::string> ProcessNames(const MemoryPlatform& os) {
    std::vector<std::string> names;
    for (const ProcessEntry& process : os.RunningProcesses()) names.push_back(process.exeEntry);
    return names;
}

TEST(Startup, PreparesTheDataFolderEndsTheVirusProcessesSilentlyAndFillsBothDriveLists) {
    MemoryPlatform os;
    os.AddDrive('D', DriveKind::CdRom, "DVD");
    os.AddDrive('E', DriveKind::Removable, "Pendrive");
    os.AddDrive('F', DriveKind::Fixed, "Dados");
    os.AddProcess("explorer.exe");
    os.AddProcess("WScript.exe");
    os.AddProcess("C:\\Windows\\xcv.exe");
    os.AddProcess("rundll32.exe");
    os.AddProcess("rundll32.exe");
    os.AddProcess("wscript.exe.bak");
    Session session;
    session.language = UiLanguage::English;
    session.options = {false, false};
    session.report.AppendLine("left over");

    const StartupResult result = RunStartup(os, session);

    EXPECT_TRUE(os.FolderExists(kDataFolder));
    EXPECT_EQ(os.ContentOf(kOptionsFile), "1\r\n1\r\n");
    EXPECT_TRUE(session.options.afterChecks);
    EXPECT_TRUE(session.options.afterDisinfections);
    EXPECT_FALSE(result.optionsError);
    EXPECT_EQ(session.language, UiLanguage::Portuguese);
    EXPECT_EQ(ProcessNames(os), (std::vector<std::string>{"explorer.exe", "wscript.exe.bak"}));
    EXPECT_EQ(result.checkDrives.entries, (std::vector<std::string>{"E: PENDRIVE", "F: DADOS"}));
    EXPECT_EQ(result.checkDrives.SelectedText(), "E: PENDRIVE");
    EXPECT_EQ(result.disinfectionDrives.entries, result.checkDrives.entries);
    EXPECT_EQ(result.disinfectionDrives.SelectedText(), "E: PENDRIVE");
    EXPECT_EQ(SystemRootOf(os), "C:\\");
    // Nothing about the processes is reported: the report holds the tips only.
    EXPECT_EQ(session.report.Lines(), StartupTipsLines());
}

TEST(Startup, ASecondStartReadsTheOptionsAsTheyStandAndCreatesNothing) {
    MemoryPlatform os;
    os.AddFile(kOptionsFile, 0, attr::kArchive, "0\r\n1\r\n");
    os.SetSpecialFolder(csidl::kProfile, "D:\\Perfis\\ana");
    const auto before = os.TreeUnder("C:\\Users\\user\\AppData");
    Session session;
    const StartupResult result = RunStartup(os, session);
    EXPECT_FALSE(session.options.afterChecks);
    EXPECT_TRUE(session.options.afterDisinfections);
    EXPECT_EQ(os.TreeUnder("C:\\Users\\user\\AppData"), before);
    EXPECT_EQ(SystemRootOf(os), "D:\\");
    EXPECT_TRUE(result.checkDrives.entries.empty());
    EXPECT_EQ(result.checkDrives.SelectedText(), "");
}

TEST(Startup, AnOptionsFileThatCannotBeWrittenIsReportedAndTheRestOfStartUpStillRuns) {
    MemoryPlatform os;
    os.FailWritesUnder(kDataFolder, "Access is denied.");
    os.AddDrive('E', DriveKind::Removable);
    os.AddProcess("xcv.exe");
    Session session;
    const StartupResult result = RunStartup(os, session);
    ASSERT_TRUE(result.optionsError);
    EXPECT_EQ(result.optionsError->systemMessage(), "Access is denied.");
    EXPECT_TRUE(session.options.afterChecks);
    EXPECT_TRUE(session.options.afterDisinfections);
    EXPECT_TRUE(os.RunningProcesses().empty());
    EXPECT_EQ(result.checkDrives.entries, std::vector<std::string>{"E:"});
}

TEST(LanguageSwitch, ActsOnlyOnTheOtherLanguageAndReplacesTheReportWithItsTips) {
    Session session;
    session.report.AppendLine("[KV] *** a finished report");

    // Portuguese right after start: nothing changes, the report stays.
    EXPECT_FALSE(SwitchLanguage(session, UiLanguage::Portuguese));
    EXPECT_EQ(session.report.Lines(), std::vector<std::string>{"[KV] *** a finished report"});

    EXPECT_TRUE(SwitchLanguage(session, UiLanguage::English));
    EXPECT_EQ(session.language, UiLanguage::English);
    EXPECT_EQ(session.report.Lines(), SwitchTipsLines(UiLanguage::English));
    EXPECT_FALSE(SwitchLanguage(session, UiLanguage::English));

    // Back in Portuguese the switch's tips are shown, not the start-up text.
    EXPECT_TRUE(SwitchLanguage(session, UiLanguage::Portuguese));
    EXPECT_EQ(session.report.Lines(), SwitchTipsLines(UiLanguage::Portuguese));
    EXPECT_NE(session.report.Lines(), StartupTipsLines());
}

TEST(Shutdown, DeletesTheLeftoverFileBesideTheExecutableOnly) {
    MemoryPlatform os;
    os.SetExecutablePath("E:\\Ferramentas\\kvvuduv.exe");
    os.AddFile("E:\\Ferramentas\\iphist.dat");
    os.AddFile("E:\\iphist.dat");
    os.AddFile("C:\\Users\\user\\iphist.dat");
    DeleteLeftoverFile(os);
    EXPECT_FALSE(os.Exists("E:\\Ferramentas\\iphist.dat"));
    EXPECT_TRUE(os.Exists("E:\\iphist.dat"));
    EXPECT_TRUE(os.Exists("C:\\Users\\user\\iphist.dat"));
    DeleteLeftoverFile(os);  // already gone: nothing to do
    EXPECT_TRUE(os.Exists("E:\\iphist.dat"));
}

}  // namespace
}  // namespace kv

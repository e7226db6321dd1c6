// Icon repair, the copy to the desktop and the system report.
#include <gtest/gtest.h>

#include "core/report_file.h"
#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tools/icon_repair.h"
#include "tools/system_report.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;

constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::string kExts = kFileExtsKey;
const std::string kAside = kFileExtsAsideKey;

class ToolsTest : public ::testing::Test {
protected:
    ActionContext Context(UiLanguage language) {
        session.language = language;
        return ActionContext(os, dialogs, session);
    }
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
};

TEST_F(ToolsTest, IconRepairMovesFileExtsWithItsSubkeysThenFindsNothingToRepair) {
    os.SetRegistryString(HKCU, kExts + "\\.txt", "Application", "notepad.exe");
    os.SetRegistryString(HKCU, kExts + "\\.txt\\OpenWithList", "a", "virus.exe");
    os.SetRegistryString(HKCU, kExts, "Top", "1");
    ActionContext pt = Context(UiLanguage::Portuguese);
    EXPECT_EQ(RepairIcons(pt), IconRepairOutcome::Moved);
    EXPECT_FALSE(os.RegKeyExists(HKCU, kExts));
    EXPECT_FALSE(os.RegKeyExists(HKCU, kExts + "\\.txt"));
    EXPECT_EQ(os.RegReadString(HKCU, kAside, "Top"), "1");
    EXPECT_EQ(os.RegReadString(HKCU, kAside + "\\.txt", "Application"), "notepad.exe");
    EXPECT_EQ(os.RegReadString(HKCU, kAside + "\\.txt\\OpenWithList", "a"), "virus.exe");

    ActionContext en = Context(UiLanguage::English);
    EXPECT_EQ(RepairIcons(en), IconRepairOutcome::NothingToRepair);
    EXPECT_EQ(dialogs.events,
              (std::vector<std::string>{
                  "information | Aviso | Para concluir procedimento é necessário reiniciar o computador!",
                  "information | Warning | Unable to repair!"}));
}

TEST_F(ToolsTest, IconRepairMovesNothingOntoAnEarlierAsideKey) {
    os.AddRegistryKey(HKCU, kExts);
    os.SetRegistryString(HKCU, kAside + "\\.doc", "Application", "old.exe");
    os.SetRegistryString(HKCU, kExts + "\\.txt", "Application", "new.exe");
    ActionContext pt = Context(UiLanguage::Portuguese);
    EXPECT_EQ(RepairIcons(pt), IconRepairOutcome::TargetExists);
    EXPECT_EQ(os.RegReadString(HKCU, kExts + "\\.txt", "Application"), "new.exe");
    EXPECT_EQ(os.RegReadString(HKCU, kAside + "\\.doc", "Application"), "old.exe");
    EXPECT_FALSE(os.RegKeyExists(HKCU, kAside + "\\.txt"));
    EXPECT_EQ(dialogs.events,
              std::vector<std::string>{
                  "information | Aviso | Para concluir procedimento é necessário reiniciar o computador!"});
}

TEST_F(ToolsTest, CopyToDesktopOverwritesAndReportsAFailureWithTheSystemMessage) {
    const std::string exe = "C:\\Program Files\\KV Vuduv\\kvvuduv.exe";
    const std::string copy = "C:\\Users\\user\\Desktop\\kvvuduv.exe";
    os.AddFile(exe, 0, attr::kArchive, "new program");
    os.AddFile(copy, 0, attr::kArchive, "old copy");
    ActionContext en = Context(UiLanguage::English);
    EXPECT_TRUE(CopyProgramToDesktop(en));
    EXPECT_EQ(os.ContentOf(copy), "new program");
    EXPECT_EQ(ProgramFolder(os), "C:\\Program Files\\KV Vuduv");

    os.SetLocked(copy);
    ActionContext pt = Context(UiLanguage::Portuguese);
    EXPECT_FALSE(CopyProgramToDesktop(pt));
    EXPECT_EQ(dialogs.events,
              (std::vector<std::string>{"information | Warnig | File copied successfully!",
                                        "error | Erro | Não foi possível copiar o programa para a Área de Trabalho (" +
                                            copy + "):\r\nAccess is denied."}));
}

TEST_F(ToolsTest, SystemReportLinesAndBothFiles) {
    const std::string version = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    os.SetRegistryString(HKLM, version, "ProductName", "Windows 10 Pro");
    os.SetRegistryString(HKLM, version, "CurrentVersion", "6.3");
    os.SetRegistryString(HKLM, version, "CurrentBuild", "19045");
    os.SetRegistryString(HKLM, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString",
                         "Intel(R) Core(TM) i5");
    os.SetRegistryString(HKLM, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "Identifier", "Intel64 Family 6");
    os.SetDateTimeTexts({"07/12/2026", "14:30:05"});
    const SystemReport report = WriteSystemReport(os, {"C:\\Windows\\explorer.exe", "System Idle Process"});
    const std::vector<std::string> expected = {
        ">>> Relatório do Sistema Criado em 07/12/2026 às 14:30:05",
        "",
        ">>> Sistema Operacional: Windows 10 Pro - Versão: 6.3 - Build: 19045 - 64 Bits",
        "",
        ">>> Processador: Intel(R) Core(TM) i5 - Id: Intel64 Family 6",
        "",
        ">>> Lista de Processos em Execução:",
        "",
        "C:\\Windows\\explorer.exe",
        "System Idle Process",
        "",
    };
    EXPECT_EQ(report.lines, expected);
    EXPECT_EQ(report.path, "C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-relatorio-07-12-2026-14-30-05.txt");
    EXPECT_EQ(os.ContentOf(report.path), ReportFileBytes(expected));
    EXPECT_EQ(os.ContentOf("C:\\Users\\user\\AppData\\Local\\zirozov\\kv-relatorio-07-12-2026-14-30-05.txt"),
              ReportFileBytes(expected));
    EXPECT_TRUE(os.ShellOpens().empty());

    // Missing values keep the fixed texts; the bitness follows the system.
    MemoryPlatform bare;
    bare.SetWindowsBitness(WindowsBitness::Bits32);
    const DateTimeTexts odd{"2026\\12\\07", "2.30.05 PM"};
    std::vector<std::string> lines = SystemReportLines(bare, odd, {});
    EXPECT_EQ(lines[2], ">>> Sistema Operacional:  - Versão:  - Build:  - 32 Bits");
    EXPECT_EQ(lines[4], ">>> Processador:  - Id: ");
    EXPECT_EQ(lines.size(), 9u);
    bare.SetWindowsBitness(WindowsBitness::Unknown);
    EXPECT_EQ(SystemReportLines(bare, odd, {})[2], ">>> Sistema Operacional:  - Versão:  - Build:  - ");
    bare.SetDateTimeTexts({"12/7/2026", "2:30:05 PM"});
    EXPECT_EQ(WriteSystemReport(bare, {}).path,
              "C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-relatorio-12-7-2026-2-30-05 PM.txt");
}

}  // namespace
}  // namespace kv

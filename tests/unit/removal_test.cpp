// The shared removal routines: whole reports, flags and the machine afterwards.
#include "routines/file_removal.h"

#include <gtest/gtest.h>

#include <functional>

#include "routines/run_removal.h"
#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kPoliciesRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Run";
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

std::string FlagsText(const ScanOutcome& flags) {
    std::string text;
    auto add = [&text](bool set, const char* name) {
        if (set) text += text.empty() ? name : std::string(" ") + name;
    };
    add(flags.InfectionFlag, "Infection");
    add(flags.ShortcutSeenFlag, "ShortcutSeen");
    add(flags.FolderFoundFlag, "FolderFound");
    add(flags.UndeletedFileFlag, "UndeletedFile");
    add(flags.RestartNeededFlag, "RestartNeeded");
    return text;
}

// One run of a routine on a prepared machine: the report it writes, the flags
// it leaves and what the machine looks like afterwards.
struct RoutineCase {
    const char* what;
    UiLanguage language;
    std::function<void(MemoryPlatform&)> setUp;
    std::function<void(ActionContext&)> run;
    std::vector<std::string> report;
    const char* flags;
    std::function<void(MemoryPlatform&)> checkMachine;
};

void RunCases(const std::vector<RoutineCase>& cases) {
    for (const RoutineCase& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPlatform os;
        os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        ScriptedDialogs dialogs;
        Session session;
        session.language = c.language;
        ActionContext ctx{os, dialogs, session};
        c.setUp(os);
        c.run(ctx);
        EXPECT_EQ(session.report.Lines(), c.report);
        EXPECT_EQ(FlagsText(session.outcome), c.flags);
        EXPECT_TRUE(dialogs.events.empty());
        if (c.checkMachine) c.checkMachine(os);
    }
}

auto Remove(const std::string& folder, const std::string& mask) {
    return [folder, mask](ActionContext& ctx) { RemoveMatchingFiles(ctx, folder, mask); };
}

TEST(RemoveMatchingFiles, FiveLinesPerMatchedFileWithTheRunValuesOfItsBaseName) {
    RunCases({
        {"*.js drops three characters; only the current user's value exists",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\a.js", 10, attr::kHidden | attr::kSystem);
             os.SetRegistryString(HKCU, kRun, "a", "wscript E:\\a.js");
             os.SetRegistryString(HKCU, kRun, "a.js", "kept: not the base name");
         },
         Remove("E:\\", "*.js"),
         {
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Arquivo E:\\a.js Deletado com Sucesso!",
             "[KV] > Chave de Registro a Deletada!",
             "[KV] - Chave de Registro a não Encontrada!",
             "[KV] - Chave de Registro a não Encontrada!",
         },
         "Infection",
         [](MemoryPlatform& os) {
             EXPECT_FALSE(os.Exists("E:\\a.js"));
             EXPECT_FALSE(os.RegValueExists(HKCU, kRun, "a"));
             EXPECT_TRUE(os.RegValueExists(HKCU, kRun, "a.js"));
         }},
        {"*.vbs drops four; running process; policies and local machine values",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\x.vbs", 10);
             os.AddProcess("E:\\x.vbs");
             os.SetRegistryString(HKLM, kPoliciesRun, "x", "E:\\x.vbs");
             os.SetRegistryString(HKLM, kRun, "x", "E:\\x.vbs");
         },
         Remove("E:\\", "*.vbs"),
         {
             "[KV] > Process [kv00x] finished!",
             "[KV] > File E:\\x.vbs Successfully Deleted!",
             "[KV] - Registry key x not Found!",
             "[KV] > Registry key x Deleted!",
             "[KV] - Registry key x Deleted!",
         },
         "Infection",
         [](MemoryPlatform& os) {
             EXPECT_TRUE(os.RunningProcesses().empty());
             EXPECT_TRUE(os.RegValueNames(HKLM, kRun).empty());
             EXPECT_TRUE(os.RegValueNames(HKLM, kPoliciesRun).empty());
         }},
        {"an exact name matches in any case and drops four characters",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\Microsoft Excel.wsf", 10);
             os.SetRegistryString(HKCU, kRun, "Microsoft Excel", "wscript");
         },
         Remove("E:\\", "Microsoft Excel.WsF"),
         {
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Arquivo E:\\Microsoft Excel.wsf Deletado com Sucesso!",
             "[KV] > Chave de Registro Microsoft Excel Deletada!",
             "[KV] - Chave de Registro Microsoft Excel não Encontrada!",
             "[KV] - Chave de Registro Microsoft Excel não Encontrada!",
         },
         "Infection",
         nullptr},
        {"SysinfY2 registers itself as SysinfY2X",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Temp\\SysinfY2.exe", 10);
             os.SetRegistryString(HKCU, kRun, "SysinfY2X", "C:\\Temp\\SysinfY2.exe");
             os.SetRegistryString(HKCU, kRun, "SysinfY2", "not this one");
         },
         Remove("C:\\Temp\\", "*.exe"),
         {
             "[KV] - Process [kv00x] is not running on this computer!",
             "[KV] > File C:\\Temp\\SysinfY2.exe Successfully Deleted!",
             "[KV] > Registry key SysinfY2X Deleted!",
             "[KV] - Registry key SysinfY2X not Found!",
             "[KV] - Registry key SysinfY2X not Found!",
         },
         "Infection",
         [](MemoryPlatform& os) { EXPECT_EQ(os.RegValueNames(HKCU, kRun), std::vector<std::string>{"SysinfY2"}); }},
        {"two matches, each with its own five lines, in search order",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\Fotos\\b.js", 10);
             os.AddFile("E:\\Fotos\\a.js", 10);
             os.AddFile("E:\\Fotos\\c.txt", 10);
         },
         Remove("E:\\Fotos\\", "*.js"),
         {
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Arquivo E:\\Fotos\\a.js Deletado com Sucesso!",
             "[KV] - Chave de Registro a não Encontrada!",
             "[KV] - Chave de Registro a não Encontrada!",
             "[KV] - Chave de Registro a não Encontrada!",
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Arquivo E:\\Fotos\\b.js Deletado com Sucesso!",
             "[KV] - Chave de Registro b não Encontrada!",
             "[KV] - Chave de Registro b não Encontrada!",
             "[KV] - Chave de Registro b não Encontrada!",
         },
         "Infection",
         [](MemoryPlatform& os) { EXPECT_TRUE(os.Exists("E:\\Fotos\\c.txt")); }},
    });
}

// The files of one search share what the routine looks up for them (the
// running processes, the Run values' names) and have their deletions checked
// together: every file must still get its own, current answer.
TEST(RemoveMatchingFiles, FilesOfOneSearchEachGetTheirOwnAnswers) {
    RunCases({
        {"processes ended file by file, never the program's own; values of any case and outside ASCII",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\a.vbs", 10);
             os.AddFile("E:\\B.vbs", 10);
             os.AddFile("E:\\Ação.vbs", 10);
             os.AddProcess("a.vbs");
             os.AddProcess("E:\\B.vbs");
             os.SetCurrentProcessId(os.AddProcess("b.vbs"));
             os.SetRegistryString(HKCU, kRun, "A", "E:\\a.vbs");
             os.SetRegistryString(HKLM, kRun, "b", "E:\\B.vbs");
             os.SetRegistryString(HKCU, kRun, "Ação", "E:\\Ação.vbs");
         },
         Remove("E:\\", "*.vbs"),
         {
             "[KV] > Process [kv00x] finished!",
             "[KV] > File E:\\a.vbs Successfully Deleted!",
             "[KV] > Registry key a Deleted!",
             "[KV] - Registry key a not Found!",
             "[KV] - Registry key a not Found!",
             "[KV] - Process [kv00x] is not running on this computer!",
             "[KV] > File E:\\Ação.vbs Successfully Deleted!",
             "[KV] > Registry key Ação Deleted!",
             "[KV] - Registry key Ação not Found!",
             "[KV] - Registry key Ação not Found!",
             "[KV] > Process [kv00x] finished!",
             "[KV] > File E:\\B.vbs Successfully Deleted!",
             "[KV] - Registry key B not Found!",
             "[KV] - Registry key B not Found!",
             "[KV] - Registry key B Deleted!",
         },
         "Infection",
         [](MemoryPlatform& os) {
             ASSERT_EQ(os.RunningProcesses().size(), 1u);
             EXPECT_EQ(os.RunningProcesses()[0].exeEntry, "b.vbs");
             EXPECT_TRUE(os.RegValueNames(HKCU, kRun).empty());
             EXPECT_TRUE(os.RegValueNames(HKLM, kRun).empty());
         }},
        {"deletions that answer success and leave the files are found out after the search",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\x.lnk", 10);
             os.AddFile("E:\\y.lnk", 10);
             os.AddFile("E:\\Fotos\\z.lnk", 10);
             os.IgnoreDeletesUnder("E:\\");
         },
         Remove("E:\\", "*.lnk"),
         {
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Não foi possível Excluir o Arquivo E:\\x.lnk",
             "[KV] - Chave de Registro x não Encontrada!",
             "[KV] - Chave de Registro x não Encontrada!",
             "[KV] - Chave de Registro x não Encontrada!",
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Não foi possível Excluir o Arquivo E:\\y.lnk",
             "[KV] - Chave de Registro y não Encontrada!",
             "[KV] - Chave de Registro y não Encontrada!",
             "[KV] - Chave de Registro y não Encontrada!",
         },
         "Infection ShortcutSeen UndeletedFile",
         [](MemoryPlatform& os) {
             EXPECT_TRUE(os.FileExists("E:\\x.lnk"));
             EXPECT_TRUE(os.FileExists("E:\\y.lnk"));
         }},
    });
}

TEST(RemoveMatchingFiles, NothingMatchedFolderEntriesAndMissingFolders) {
    RunCases({
        {"a folder named like the mask is passed over",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) { os.AddFolder("E:\\x.lnk"); },
         Remove("E:\\", "*.lnk"),
         {"[KV] - Nenhum Código/Vírus Encontrado em E:\\"},
         "",
         [](MemoryPlatform& os) { EXPECT_TRUE(os.FolderExists("E:\\x.lnk")); }},
        {"a folder that does not exist",
         UiLanguage::English,
         [](MemoryPlatform&) {},
         Remove("E:\\Nowhere\\", "*.js"),
         {"[KV] - No Code/Virus Found in E:\\Nowhere\\"},
         "",
         nullptr},
        {"a file used as a folder",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) { os.AddFile("E:\\notes.txt", 5); },
         Remove("E:\\notes.txt\\", "*.js"),
         {"[KV] - Nenhum Código/Vírus Encontrado em E:\\notes.txt\\"},
         "",
         nullptr},
    });
}

TEST(RemoveMatchingFiles, FilesThatStayAreReportedAndTheRoutineGoesOn) {
    RunCases({
        {"a locked shortcut: reported, flags raised, Run value still removed",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\Fotos.lnk", 10, attr::kHidden);
             os.SetLocked("E:\\Fotos.lnk");
             os.SetRegistryString(HKCU, kRun, "Fotos", "x");
         },
         Remove("E:\\", "*.lnk"),
         {
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Não foi possível Excluir o Arquivo E:\\Fotos.lnk",
             "[KV] > Chave de Registro Fotos Deletada!",
             "[KV] - Chave de Registro Fotos não Encontrada!",
             "[KV] - Chave de Registro Fotos não Encontrada!",
         },
         "Infection ShortcutSeen UndeletedFile",
         [](MemoryPlatform& os) {
             EXPECT_TRUE(os.FileExists("E:\\Fotos.lnk"));
             EXPECT_FALSE(os.RegValueExists(HKCU, kRun, "Fotos"));
         }},
        {"a read-only hidden system shortcut is deleted once its attributes are cleared",
         UiLanguage::English,
         [](MemoryPlatform& os) { os.AddFile("E:\\Fotos.lnk", 10, attr::kReadOnly | attr::kHidden | attr::kSystem); },
         Remove("E:\\", "*.lnk"),
         {
             "[KV] - Process [kv00x] is not running on this computer!",
             "[KV] > File E:\\Fotos.lnk Successfully Deleted!",
             "[KV] - Registry key Fotos not Found!",
             "[KV] - Registry key Fotos not Found!",
             "[KV] - Registry key Fotos not Found!",
         },
         "Infection ShortcutSeen",
         [](MemoryPlatform& os) { EXPECT_FALSE(os.Exists("E:\\Fotos.lnk")); }},
        {"win32.exe asks for a restart once deleted",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) { os.AddFile("C:\\Windows\\win32.exe", 10); },
         Remove("C:\\Windows\\", "win32.exe"),
         {
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Arquivo C:\\Windows\\win32.exe Deletado com Sucesso!",
             "[KV] - Chave de Registro win32 não Encontrada!",
             "[KV] - Chave de Registro win32 não Encontrada!",
             "[KV] - Chave de Registro win32 não Encontrada!",
         },
         "Infection RestartNeeded",
         nullptr},
        {"win32.exe kept by its running process: no restart, the file stays",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Windows\\win32.exe", 10);
             os.AddProcess("win32.exe", false, "C:\\Windows\\win32.exe");
         },
         Remove("C:\\Windows\\", "win32.exe"),
         {
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Não foi possível Excluir o Arquivo C:\\Windows\\win32.exe",
             "[KV] - Chave de Registro win32 não Encontrada!",
             "[KV] - Chave de Registro win32 não Encontrada!",
             "[KV] - Chave de Registro win32 não Encontrada!",
         },
         "Infection UndeletedFile",
         [](MemoryPlatform& os) { EXPECT_TRUE(os.Exists("C:\\Windows\\win32.exe")); }},
        {"local-machine values seen but not deletable without administrator rights",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\x.vbs", 10);
             os.SetRegistryString(HKLM, kPoliciesRun, "x", "E:\\x.vbs");
             os.SetRegistryString(HKLM, kRun, "x", "E:\\x.vbs");
             os.ProtectRegistryKey(HKLM, kPoliciesRun);
             os.ProtectRegistryKey(HKLM, kRun);
         },
         Remove("E:\\", "*.vbs"),
         {
             "[KV] - Process [kv00x] is not running on this computer!",
             "[KV] > File E:\\x.vbs Successfully Deleted!",
             "[KV] - Registry key x not Found!",
             "[KV] > Registry key x can not be deleted!",
             "[KV] > Registry key x can not be deleted!",
         },
         "Infection UndeletedFile",
         [](MemoryPlatform& os) {
             EXPECT_TRUE(os.RegValueExists(HKLM, kRun, "x"));
             EXPECT_TRUE(os.RegValueExists(HKLM, kPoliciesRun, "x"));
         }},
        {"local-machine keys that cannot be opened count as keys without the value",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\x.vbe", 10);
             os.SetRegistryString(HKLM, kRun, "x", "E:\\x.vbe");
             os.DenyRegistryKey(HKLM, kRun);
         },
         Remove("E:\\", "*.vbe"),
         {
             "[KV] - Processo [kv00x] não está em execução neste computador!",
             "[KV] > Arquivo E:\\x.vbe Deletado com Sucesso!",
             "[KV] - Chave de Registro x não Encontrada!",
             "[KV] - Chave de Registro x não Encontrada!",
             "[KV] - Chave de Registro x não Encontrada!",
         },
         "Infection",
         nullptr},
    });
}

auto DeleteTree(const std::string& folder, FolderTreeLevel level, bool expectRemoved) {
    return [folder, level, expectRemoved](ActionContext& ctx) {
        EXPECT_EQ(DeleteFolderTree(ctx, folder, level), expectRemoved);
    };
}

TEST(DeleteFolderTree, RemovesEverythingEndingTheProcessesOfItsFiles) {
    RunCases({
        {"files only, called by an action: no infection of its own",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\RECYCLER\\INFO2", 20, attr::kHidden | attr::kSystem | attr::kReadOnly);
             os.AddFile("E:\\RECYCLER\\desktop.ini", 20);
         },
         DeleteTree("E:\\RECYCLER", FolderTreeLevel::TopLevel, true),
         {},
         "FolderFound",
         [](MemoryPlatform& os) { EXPECT_FALSE(os.Exists("E:\\RECYCLER")); }},
        {"a running program inside is ended before its file is deleted",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\RECYCLER\\S-1-5-21\\evil.exe", 250500);
             os.AddProcess("E:\\RECYCLER\\S-1-5-21\\evil.exe", true, "E:\\RECYCLER\\S-1-5-21\\evil.exe");
             os.AddProcess("notepad.exe");
         },
         DeleteTree("E:\\RECYCLER\\", FolderTreeLevel::TopLevel, true),
         {"[KV] > Finalized evil.exe process!"},
         "Infection FolderFound",
         [](MemoryPlatform& os) {
             EXPECT_FALSE(os.Exists("E:\\RECYCLER"));
             ASSERT_EQ(os.RunningProcesses().size(), 1u);
             EXPECT_EQ(os.RunningProcesses()[0].exeEntry, "notepad.exe");
         }},
        {"nested on purpose: the folder itself counts as an infection",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) { os.AddFolder("C:\\ProgramData\\ASX"); },
         DeleteTree("C:\\ProgramData\\ASX", FolderTreeLevel::Nested, true),
         {},
         "Infection FolderFound",
         nullptr},
        {"a folder that is not there",
         UiLanguage::Portuguese,
         [](MemoryPlatform&) {},
         DeleteTree("E:\\RECYCLER", FolderTreeLevel::TopLevel, false),
         {"[KV] - Pasta E:\\RECYCLER\\ não Encontrada!"},
         "",
         nullptr},
        {"a folder that is not there, in English",
         UiLanguage::English,
         [](MemoryPlatform&) {},
         DeleteTree("E:\\$RECYCLE.BIN\\", FolderTreeLevel::TopLevel, false),
         {"[KV] - Folder E:\\$RECYCLE.BIN\\ not Found!"},
         "",
         nullptr},
    });
}

TEST(DeleteFolderTree, WhatItCannotRemoveStaysWithoutALine) {
    RunCases({
        {"a subfolder with attributes is handled as a file and stays, so does its parent",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFolder("E:\\RECYCLER\\Hidden", attr::kDirectory | attr::kHidden);
             os.AddFile("E:\\RECYCLER\\Hidden\\photo.jpg", 20, attr::kHidden);
             os.AddFile("E:\\RECYCLER\\loose.dat", 20);
         },
         DeleteTree("E:\\RECYCLER", FolderTreeLevel::TopLevel, false),
         {},
         "FolderFound",
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.TreeUnder("E:\\RECYCLER"), (std::map<std::string, std::uint32_t>{
                                                         {"E:\\RECYCLER\\Hidden", attr::kDirectory},
                                                         {"E:\\RECYCLER\\Hidden\\photo.jpg", attr::kHidden},
                                                     }));
         }},
        {"a locked file and a program that cannot be ended keep their folder",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\RECYCLER\\a\\locked.dat", 20);
             os.SetLocked("E:\\RECYCLER\\a\\locked.dat");
             os.AddFile("E:\\RECYCLER\\b\\stuck.exe", 20);
             os.AddProcess("stuck.exe", false, "E:\\RECYCLER\\b\\stuck.exe");
         },
         DeleteTree("E:\\RECYCLER", FolderTreeLevel::TopLevel, false),
         {},
         "Infection FolderFound",
         [](MemoryPlatform& os) {
             EXPECT_TRUE(os.FileExists("E:\\RECYCLER\\a\\locked.dat"));
             EXPECT_TRUE(os.FileExists("E:\\RECYCLER\\b\\stuck.exe"));
             EXPECT_EQ(os.RunningProcesses().size(), 1u);
         }},
    });
}

TEST(DeleteFolderTree, NeverReachesPastALink) {
    const auto otherDrive = [](MemoryPlatform& os) {
        os.AddDrive('D', DriveKind::Fixed, "DATA");
        os.AddFile("D:\\Work\\report.doc", 100, attr::kReadOnly);
        os.AddFile("D:\\Work\\tool.exe", 100);
        os.AddFolder("D:\\Work\\Plain");
        os.AddProcess("tool.exe");
    };
    const auto otherDriveUntouched = [](MemoryPlatform& os) {
        EXPECT_EQ(os.TreeUnder("D:\\"), (std::map<std::string, std::uint32_t>{
                                            {"D:\\Work", attr::kDirectory},
                                            {"D:\\Work\\Plain", attr::kDirectory},
                                            {"D:\\Work\\report.doc", attr::kReadOnly},
                                            {"D:\\Work\\tool.exe", attr::kArchive},
                                        }));
        EXPECT_EQ(os.RunningProcesses().size(), 1u);
    };
    RunCases({
        {"a link inside is handled as a file: it stays and so does the folder",
         UiLanguage::Portuguese,
         [otherDrive](MemoryPlatform& os) {
             otherDrive(os);
             os.AddFolderLink("E:\\RECYCLER\\S-1-5-21", "D:\\Work");
         },
         DeleteTree("E:\\RECYCLER", FolderTreeLevel::TopLevel, false),
         {},
         "FolderFound",
         [otherDriveUntouched](MemoryPlatform& os) {
             otherDriveUntouched(os);
             EXPECT_EQ(os.ReadAttributes("E:\\RECYCLER\\S-1-5-21"), attr::kDirectory | attr::kReparsePoint);
         }},
        {"a link in place of the folder is removed as a link, its target untouched",
         UiLanguage::English,
         [otherDrive](MemoryPlatform& os) {
             otherDrive(os);
             os.AddFolderLink("E:\\RECYCLER", "D:\\Work");
         },
         DeleteTree("E:\\RECYCLER", FolderTreeLevel::TopLevel, true),
         {},
         "FolderFound",
         [otherDriveUntouched](MemoryPlatform& os) {
             otherDriveUntouched(os);
             EXPECT_FALSE(os.Exists("E:\\RECYCLER"));
         }},
    });
}

const char* const kAppData = "C:\\Users\\user\\AppData\\Roaming\\";

auto RemoveKnownFile(const std::string& folder, const std::string& name) {
    return [folder, name](ActionContext& ctx) { RemoveFileWithRunValues(ctx, folder, name); };
}

TEST(RemoveFileWithRunValues, EndsDeletesAndRemovesTheValuesNamedAfterTheFile) {
    RunCases({
        {"running, with values named after the file and its stem under both users",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\pccai.exe", 100, attr::kHidden | attr::kReadOnly);
             os.AddProcess("C:\\Users\\user\\AppData\\Roaming\\pccai.exe", true,
                           "C:\\Users\\user\\AppData\\Roaming\\pccai.exe");
             os.SetRegistryString(HKCU, kRun, "pccai.exe", "x");
             os.SetRegistryString(HKCU, kRun, "pccai", "x");
             os.SetRegistryString(HKLM, kRun, "pccai", "x");
             os.SetRegistryString(HKLM, kRun, "Other", "kept");
         },
         RemoveKnownFile(kAppData, "pccai.exe"),
         {
             "[KV] > Processo pccai.exe Encontrado e Finalizado!",
             "[KV] > Arquivo C:\\Users\\user\\AppData\\Roaming\\pccai.exe Deletado!",
             "[KV] > Chave de Registro pccai.exe Deletada com Sucesso! - CurrentUser",
             "[KV] > Chave de Registro pccai Deletada com Sucesso! - CurrentUser",
             "[KV] > Chave de Registro pccai Deletada com Sucesso! - LocalMachine",
         },
         "",
         [](MemoryPlatform& os) {
             EXPECT_FALSE(os.Exists("C:\\Users\\user\\AppData\\Roaming\\pccai.exe"));
             EXPECT_TRUE(os.RegValueNames(HKCU, kRun).empty());
             EXPECT_EQ(os.RegValueNames(HKLM, kRun), std::vector<std::string>{"Other"});
         }},
        {"English: the file lines stay Portuguese",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\pccai.lnk", 100);
             os.SetRegistryString(HKLM, kRun, "pccai.lnk", "x");
         },
         RemoveKnownFile(kAppData, "pccai.lnk"),
         {
             "[KV] > Arquivo C:\\Users\\user\\AppData\\Roaming\\pccai.lnk Deletado!",
             "[KV] > Registry key pccai.lnk Successfully Deleted! - LocalMachine",
         },
         "",
         nullptr},
        {"a file that stays and a local-machine value that cannot be deleted",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\pccai.exe", 100);
             os.SetLocked("C:\\Users\\user\\AppData\\Roaming\\pccai.exe");
             os.SetRegistryString(HKLM, kRun, "pccai", "x");
             os.ProtectRegistryKey(HKLM, kRun);
         },
         RemoveKnownFile(kAppData, "pccai.exe"),
         {
             "[KV] > Arquivo C:\\Users\\user\\AppData\\Roaming\\pccai.exe não pôde ser Deletado!",
             "[KV] > Registry key pccai can not be deleted! - LocalMachine",
         },
         "UndeletedFile",
         [](MemoryPlatform& os) { EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Roaming\\pccai.exe")); }},
    });
}

auto RemoveLaunched(const std::string& folder, const std::string& mask) {
    return [folder, mask](ActionContext& ctx) { RemoveRunLaunchedFiles(ctx, folder, mask); };
}

TEST(RemoveRunLaunchedFiles, OnlyValuesThatLaunchTheFileExactlyMatch) {
    RunCases({
        {"quoted path matches; arguments, other case and non-text data do not",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\svch.exe", 100, attr::kHidden);
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\tool.exe", 100, attr::kHidden);
             os.AddProcess("svch.exe", true, "C:\\Users\\user\\AppData\\Roaming\\svch.exe");
             os.SetRegistryString(HKLM, kRun, "Updater", "\"C:\\Users\\user\\AppData\\Roaming\\svch.exe\"");
             os.SetRegistryString(HKCU, kRun, "Args", "C:\\Users\\user\\AppData\\Roaming\\tool.exe /silent");
             os.SetRegistryString(HKCU, kRun, "Case", "c:\\users\\user\\appdata\\roaming\\tool.exe");
             os.SetRegistryDword(HKCU, kRun, "Number", 1);
         },
         RemoveLaunched(kAppData, "*.exe"),
         {
             "[KV] > Processo svch.exe finalizado!",
             "[KV] > Arquivo C:\\Users\\user\\AppData\\Roaming\\svch.exe Deletado!",
             "[KV] > Chave de Registro Deletada com Sucesso!",
         },
         "Infection",
         [](MemoryPlatform& os) {
             EXPECT_FALSE(os.Exists("C:\\Users\\user\\AppData\\Roaming\\svch.exe"));
             EXPECT_TRUE(os.RegValueNames(HKLM, kRun).empty());
             EXPECT_EQ(os.RegValueNames(HKCU, kRun), (std::vector<std::string>{"Args", "Case", "Number"}));
             // Every listed file was made visible, launched or not.
             EXPECT_EQ(os.ReadAttributes("C:\\Users\\user\\AppData\\Roaming\\tool.exe"), attr::kNormal);
         }},
        {"unquoted data, not running, in English; the file's own values go too",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\svch.exe", 100);
             os.SetRegistryString(HKCU, kRun, "svch", "C:\\Users\\user\\AppData\\Roaming\\svch.exe");
             os.SetRegistryString(HKLM, kRun, "svch.exe", "launches nothing");
         },
         RemoveLaunched(kAppData, "*.exe"),
         {
             "[KV] - Process svch.exe is not running on this computer!",
             "[KV] > Arquivo C:\\Users\\user\\AppData\\Roaming\\svch.exe Deletado!",
             "[KV] > Registry key svch.exe Successfully Deleted! - LocalMachine",
             "[KV] > Registry key deleted successfully!",
         },
         "Infection",
         nullptr},
        {"a value that survives its deletion leaves its file alone",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\svch.exe", 100);
             os.SetRegistryString(HKLM, kRun, "Updater", "C:\\Users\\user\\AppData\\Roaming\\svch.exe");
             os.ProtectRegistryKey(HKLM, kRun);
         },
         RemoveLaunched(kAppData, "*.exe"),
         {
             "[KV] - Process svch.exe is not running on this computer!",
             "[KV] > Registry key can not be deleted!",
         },
         "Infection UndeletedFile",
         [](MemoryPlatform& os) { EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Roaming\\svch.exe")); }},
        {"files that no value launches",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\a.exe", 100);
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\b.exe", 100);
             os.SetRegistryString(HKCU, kRun, "a", "C:\\Elsewhere\\a.exe");
         },
         RemoveLaunched(kAppData, "*.exe"),
         {"[KV] - Nenhum Código/Vírus Encontrado!"},
         "",
         nullptr},
        {"a value in each key launches the file: the current user's key is walked after the local machine's",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\svch.exe", 100);
             os.SetRegistryString(HKLM, kRun, "Updater", "C:\\Users\\user\\AppData\\Roaming\\svch.exe");
             os.SetRegistryString(HKCU, kRun, "Helper", "\"C:\\Users\\user\\AppData\\Roaming\\svch.exe\"");
             os.SetRegistryString(HKCU, kRun, "Other", "C:\\Windows\\notepad.exe");
         },
         RemoveLaunched(kAppData, "*.exe"),
         {
             "[KV] - Processo svch.exe não está em execução neste computador!",
             "[KV] > Arquivo C:\\Users\\user\\AppData\\Roaming\\svch.exe Deletado!",
             "[KV] > Chave de Registro Deletada com Sucesso!",
             "[KV] - Processo svch.exe não está em execução neste computador!",
             "[KV] > Arquivo C:\\Users\\user\\AppData\\Roaming\\svch.exe Deletado!",
             "[KV] > Chave de Registro Deletada com Sucesso!",
         },
         "Infection",
         [](MemoryPlatform& os) {
             EXPECT_TRUE(os.RegValueNames(HKLM, kRun).empty());
             EXPECT_EQ(os.RegValueNames(HKCU, kRun), (std::vector<std::string>{"Other"}));
         }},
        {"a file whose short name (SETUP~1.EXE) matches the mask is no executable of the mask",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Users\\user\\AppData\\Roaming\\Setup.exe1", 100);
             os.SetRegistryString(HKCU, kRun, "Setup", "C:\\Users\\user\\AppData\\Roaming\\Setup.exe1");
         },
         RemoveLaunched(kAppData, "*.exe"),
         {"[KV] - Nenhum Código/Vírus Encontrado!"},
         "",
         [](MemoryPlatform& os) { EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Roaming\\Setup.exe1")); }},
        {"no file under the mask",
         UiLanguage::English,
         [](MemoryPlatform&) {},
         RemoveLaunched(kAppData, "*.exe"),
         {"[KV] - No Code/Virus Found!"},
         "",
         nullptr},
    });
}

}  // namespace
}  // namespace kv

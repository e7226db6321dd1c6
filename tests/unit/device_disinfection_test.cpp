// Disinfect Device on the in-memory machine: whole reports, message boxes,
// the device afterwards, the automatic copies and the save offer.
#include "device/device_disinfection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>

#include "core/report_file.h"
#include "tests/support/memory_platform.h"
#include "tests/support/report_blocks.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::Join;
using test::DeviceDisinfectionStartPt;
using test::DeviceRecycleFoldersNotFoundPt;
using test::MemoryPlatform;
using test::ScriptedDialogs;
using Lines = std::vector<std::string>;
using Tree = std::map<std::string, std::uint32_t>;

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr std::uint32_t kHiddenSystem = attr::kHidden | attr::kSystem;
constexpr std::uint32_t kDir = attr::kDirectory;

// Blocks that many reports share, written out once.
const Lines& kStartPt = DeviceDisinfectionStartPt();
const Lines kHeaderEn = {
    "[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018",
    "[KV] - Top of Verification - 07/12/2026 - 09:20:28",
    "[KV] - Checking External Media E:\\",
};
const Lines kNoProcessesEn = {
    "[KV] - Process [kv001] is not running on this computer!",
    "[KV] - Process [kv002] is not running on this computer!",
    "[KV] - Process [kv003] is not running on this computer! ",
};
const Lines kRootVisibleEn = {"[KV] - File and Folder Drive E:\\ placed in visible mode "};
const Lines& kNoRecycleFoldersPt = DeviceRecycleFoldersNotFoundPt();
const Lines kNoRecycleFoldersEn = {
    "[KV] - Folder E:\\RECYCLE\\ not Found!",
    "[KV] - Folder E:\\RECYCLE.BIN\\ not Found!",
    "[KV] - Folder E:\\$RECYCLE.BIN\\ not Found!",
    "[KV] - Folder E:\\RECYCLER\\ not Found!",
    "[KV] - Folder E:\\RECYCLER.BIN\\ not Found!",
    "[KV] - Folder E:\\$RECYCLER.BIN\\ not Found!",
    "[KV] - Folder E:\\System Volume Information\\ not Found!",
};
// Microsoft Excel.WsF, Manuel.doc, dw.dll, *.vbs, *.vbe, *.lnk, *.exe, *.js.
const Lines kNoRootVirusFilesPt = {
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\", "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\", "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\", "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
    "[KV] - Nenhum Código/Vírus Encontrado!",        "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
};
const Lines kNoRootVirusFilesEn = {
    "[KV] - No Code/Virus Found in E:\\", "[KV] - No Code/Virus Found in E:\\", "[KV] - No Code/Virus Found in E:\\",
    "[KV] - No Code/Virus Found in E:\\", "[KV] - No Code/Virus Found in E:\\", "[KV] - No Code/Virus Found in E:\\",
    "[KV] - No Code/Virus Found!",        "[KV] - No Code/Virus Found in E:\\",
};
const Lines kNoAutorunNoBatPt = {
    "[KV] - Arquivo \"autorun.inf\" não encontrado no Drive E:\\",
    "[KV] - Arquivo \"bat.bat\" não encontrado no Drive E:\\",
};
const Lines kNoAutorunNoBatEn = {
    "[KV] - File \"autorun.inf\" not found in the E:\\",
    "[KV] - File \"bat.bat\" not found in the E:\\",
};
const Lines kInfectedEndPt = {
    "[KV] - Processo Concluído com Sucesso!",
    "[KV] > Vírus Encontrados na Unidade E:\\! Verifique o relatório!",
    "[KV] - Processo Concluído com Sucesso!",
};
const Lines kInfectedEndEn = {
    "[KV] - Process Completed Successfully!",
    "[KV] > Virus Found and Deleted Drive E:\\!",
    "[KV] - Process Completed Successfully!",
};
const Lines kInfectedBoxPt = {
    "warning | Heads up | Vírus Encontrados na Unidade E:\\! Verifique o relatório!",
    "question | Aviso | Deseja salvar o Relatório?",
    "save-dialog | Salvar Log de Verificação de Computador | txt | *.txt",
};
const Lines kInfectedBoxEn = {
    "warning | Heads up | Virus Found and Deleted Drive E:\\!",
    "question | Warning | Want to save the report?",
    "save-dialog | Save Log Scan Computer | txt | *.txt",
};

// The five lines of a script removed with no process and no Run value.
Lines ScriptRemovedPt(const std::string& path, const std::string& base) {
    return {"[KV] - Processo [kv00x] não está em execução neste computador!",
            "[KV] > Arquivo " + path + " Deletado com Sucesso!",
            "[KV] - Chave de Registro " + base + " não Encontrada!",
            "[KV] - Chave de Registro " + base + " não Encontrada!",
            "[KV] - Chave de Registro " + base + " não Encontrada!"};
}

// A machine with a removable drive E: and the clock of the header.
struct Machine {
    explicit Machine(UiLanguage language) {
        os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        session.language = language;
    }
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx{os, dialogs, session};
};

struct DeviceCase {
    const char* what;
    UiLanguage language;
    std::function<void(MemoryPlatform&)> setUp;
    Lines report;
    Lines events;
    bool infected;
    std::function<void(MemoryPlatform&)> checkMachine;
};

void RunDeviceCases(const std::vector<DeviceCase>& cases) {
    for (const DeviceCase& c : cases) {
        SCOPED_TRACE(c.what);
        Machine m(c.language);
        c.setUp(m.os);
        DeviceDisinfection(m.ctx, "E: PENDRIVE");
        EXPECT_EQ(m.session.report.Lines(), c.report);
        EXPECT_EQ(m.dialogs.events, c.events);
        EXPECT_EQ(m.session.outcome.InfectionFlag, c.infected);
        if (c.checkMachine) c.checkMachine(m.os);
    }
}

TEST(DeviceDisinfection, CleanDevicesInBothLanguages) {
    RunDeviceCases({
        {"a clean stick: the root is made visible, the verdict stays clean",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\notes.txt", 10, attr::kHidden);
             os.AddFile("E:\\Docs\\a.txt", 10, attr::kHidden);
         },
         Join({kStartPt,
               kNoRecycleFoldersPt,
               kNoRootVirusFilesPt,
               {
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\Docs\\",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\notes.txt\\",
               },
               kNoAutorunNoBatPt,
               {
                   "[KV] - Processo Concluído com Sucesso!",
                   "[KV] - Nenhum Vírus Encontrado no Drive E:\\!",
                   "[KV] - Processo Concluído com Sucesso!",
               }}),
         {
             "information | Outcome | Não foram Encontrados Vírus no Drive E:\\!",
             "question | Aviso | Deseja salvar o Relatório?",
             "save-dialog | Salvar Log de Verificação de Computador | txt | *.txt",
         },
         false,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.TreeUnder("E:\\"), (Tree{{"E:\\Docs", kDir},
                                                   {"E:\\Docs\\a.txt", attr::kHidden},  // one level only
                                                   {"E:\\notes.txt", attr::kNormal}}));
         }},
        {"an empty stick in English",
         UiLanguage::English,
         [](MemoryPlatform&) {},
         Join({kHeaderEn,
               kNoProcessesEn,
               kRootVisibleEn,
               kNoRecycleFoldersEn,
               kNoRootVirusFilesEn,
               kNoAutorunNoBatEn,
               {
                   "[KV] - Process Completed Successfully!",
                   "[KV] - No Virus Found in Drive E:\\!",
                   "[KV] - Process Completed Successfully!",
               }}),
         {
             "information | Outcome | Viruses were not found in Drive E:\\!",
             "question | Warning | Want to save the report?",
             "save-dialog | Save Log Scan Computer | txt | *.txt",
         },
         false,
         nullptr},
    });
}

// The stick the virus leaves: the user's files in a hidden .Trashes, a
// shortcut in their place, its fixed-size copy beside a hidden folder of the
// same name, a script, autorun.inf and a recycle folder with a subfolder.
void SetUpTypicalInfection(MemoryPlatform& os) {
    os.AddFolder("E:\\.Trashes", kDir | kHiddenSystem);
    os.AddFile("E:\\.Trashes\\Trabalho.docx", 100, attr::kHidden);
    os.AddFile("E:\\.Trashes\\virus.js", 100, attr::kHidden);
    os.AddFolder("E:\\.Trashes\\Fotos", kDir | attr::kHidden);
    os.AddFile("E:\\.Trashes\\Fotos\\praia.jpg", 100, attr::kHidden);
    os.AddFile("E:\\.Trashes\\Fotos\\y.js", 100);
    os.AddFile("E:\\Trabalho.lnk", 1000, kHiddenSystem);
    os.AddFolder("E:\\Fotos", kDir | attr::kHidden);
    os.AddFile("E:\\Fotos\\a.jpg", 100);
    os.AddFile("E:\\Fotos.exe", 250500, attr::kHidden);
    os.AddFile("E:\\x.vbs", 100, attr::kHidden);
    os.AddFile("E:\\autorun.inf", 50, kHiddenSystem | attr::kReadOnly);
    os.AddFolder("E:\\RECYCLER", kDir | kHiddenSystem);
    os.AddFile("E:\\RECYCLER\\S-1-5-21\\jwgkvsq.exe", 100);
    os.AddProcess("E:\\RECYCLER\\S-1-5-21\\jwgkvsq.exe", true, "E:\\RECYCLER\\S-1-5-21\\jwgkvsq.exe");
    os.AddProcess("C:\\Windows\\System32\\wscript.exe");
    os.AddProcess("notepad.exe");
    os.SetRegistryString(HKCU, kRun, "Trabalho", "E:\\Trabalho.lnk");
    os.SetRegistryString(HKLM, kRun, "x", "wscript E:\\x.vbs");
    os.SetRegistryString(HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName", "Windows 7");
}

const Lines kTypicalInfectionReportPt = {
    "[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018",
    "[KV] - Início da Verificação - 07/12/2026 - 09:20:28",
    "[KV] - Verificando Mídia Externa E:\\",
    "[KV] > Processo [kv001] finalizado!",
    "[KV] - Processo [kv002] não está em execução neste computador!",
    "[KV] - Processo [kv003] não está em execução neste computador!",
    "[KV] - Pastas e arquivos do Drive E:\\ colocados em modo visível",
    "[KV] > Pasta E:\\\\.Trashes encontrada.",
    "[KV] > Pasta E:\\\\.Trashes renomeada para E:\\RECUPERADOS.",
    "[KV] > Pastas e arquivos do Diretório E:\\RECUPERADOS\\ colocados em modo visível",
    "[KV] - Processo [kv00x] não está em execução neste computador!",
    "[KV] > Arquivo E:\\RECUPERADOS\\virus.js Deletado com Sucesso!",
    "[KV] - Chave de Registro virus não Encontrada!",
    "[KV] - Chave de Registro virus não Encontrada!",
    "[KV] - Chave de Registro virus não Encontrada!",
    "[KV] - Processo [kv00x] não está em execução neste computador!",
    "[KV] > Arquivo E:\\RECUPERADOS\\Fotos\\y.js Deletado com Sucesso!",
    "[KV] - Chave de Registro y não Encontrada!",
    "[KV] - Chave de Registro y não Encontrada!",
    "[KV] - Chave de Registro y não Encontrada!",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS\\Trabalho.docx\\",
    "[KV] - Pasta E:\\RECYCLE\\ não Encontrada!",
    "[KV] - Pasta E:\\RECYCLE.BIN\\ não Encontrada!",
    "[KV] - Pasta E:\\$RECYCLE.BIN\\ não Encontrada!",
    "[KV] > Processo jwgkvsq.exe finalizado!",
    "[KV] > Pasta E:\\RECYCLER Deletada com Sucesso!",
    "[KV] - Pasta E:\\RECYCLER.BIN\\ não Encontrada!",
    "[KV] - Pasta E:\\$RECYCLER.BIN\\ não Encontrada!",
    "[KV] - Pasta E:\\System Volume Information\\ não Encontrada!",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
    "[KV] - Processo [kv00x] não está em execução neste computador!",
    "[KV] > Arquivo E:\\x.vbs Deletado com Sucesso!",
    "[KV] - Chave de Registro x não Encontrada!",
    "[KV] - Chave de Registro x não Encontrada!",
    "[KV] - Chave de Registro x Deletada!",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
    "[KV] - Processo [kv00x] não está em execução neste computador!",
    "[KV] > Arquivo E:\\Trabalho.lnk Deletado com Sucesso!",
    "[KV] > Chave de Registro Trabalho Deletada!",
    "[KV] - Chave de Registro Trabalho não Encontrada!",
    "[KV] - Chave de Registro Trabalho não Encontrada!",
    "[KV] > Processo [kv008] finalizado!",
    "[KV] > Arquivo E:\\Fotos.exe Deletado!",
    "[KV] > Arquivo E:\\Fotos.exe deletado com sucesso!",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\autorun.inf\\",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\Fotos\\",
    "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS\\",
    "[KV] > Arquivo \"autorun.inf\" deletado do Drive E:\\",
    "[KV] - Arquivo \"bat.bat\" não encontrado no Drive E:\\",
    "[KV] - Processo Concluído com Sucesso!",
    "[KV] > Vírus Encontrados na Unidade E:\\! Verifique o relatório!",
    "[KV] - Processo Concluído com Sucesso!",
};

TEST(DeviceDisinfection, TypicalInfectionIsRemovedAndTheUsersFilesComeBack) {
    RunDeviceCases({
        {"hidden .Trashes, shortcut, fixed-size copy with its folder twin, recycle folder", UiLanguage::Portuguese,
         SetUpTypicalInfection, kTypicalInfectionReportPt, kInfectedBoxPt, true,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.TreeUnder("E:\\"), (Tree{
                                                 {"E:\\Fotos", kDir},
                                                 {"E:\\Fotos\\a.jpg", attr::kArchive},
                                                 {"E:\\RECUPERADOS", kDir},
                                                 {"E:\\RECUPERADOS\\Fotos", kDir},
                                                 {"E:\\RECUPERADOS\\Fotos\\praia.jpg", attr::kHidden},
                                                 {"E:\\RECUPERADOS\\Trabalho.docx", attr::kNormal},
                                             }));
             EXPECT_TRUE(os.RunningProcesses().empty());
             EXPECT_TRUE(os.RegValueNames(HKCU, kRun).empty());
             EXPECT_TRUE(os.RegValueNames(HKLM, kRun).empty());
         }},
    });
}

TEST(DeviceDisinfection, TrashFoldersOfEveryKindInEnglishWithALockedAutorun) {
    RunDeviceCases({
        {"RECOVERED, RECOVERED2, RECOVERED3; the launcher lines name the drive root", UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFolder("E:\\.Trashes", kDir | attr::kHidden);
             os.AddFile("E:\\.Trashes\\cv.pdf", 100, attr::kHidden);
             os.AddFolder("E:\\Drive", kDir | kHiddenSystem);
             os.AddFile("E:\\Drive\\music.mp3", 100, attr::kHidden);
             os.AddFile("E:\\Drive.bat", 100, attr::kHidden);
             os.AddFolder("E:\\Files", kDir | attr::kHidden);
             os.AddFile("E:\\Files\\sub\\b.js", 100);
             os.AddFile("E:\\Files.bat", 100);
             os.AddFile("E:\\autorun.inf", 100, attr::kHidden);
             os.SetLocked("E:\\autorun.inf");
             os.AddFile("E:\\bat.bat", 100, attr::kReadOnly);
             os.AddProcess("C:\\Windows\\xcv.exe");
             os.AddProcess("RUNDLL32.EXE");
         },
         Join({kHeaderEn,
               {
                   "[KV] - Process [kv001] is not running on this computer!",
                   "[KV] > Process [kv002] finished!",
                   "[KV] > Process [kv003] finished!",
               },
               kRootVisibleEn,
               {
                   "[KV] > Folders E:\\\\.Trashes found.",
                   "[KV] > Folder E:\\\\.Trashes renamed E:\\RECOVERED.",
                   "[KV] > Folders and files directory E:\\RECOVERED\\ placed in visible mode",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED\\",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED\\cv.pdf\\",
                   "[KV] - File \"Drive.bat\" deleted the Drive E:\\",
                   "[KV] > Folders E:\\\\Drive found.",
                   "[KV] > Folder E:\\\\Drive renamed E:\\RECOVERED2.",
                   "[KV] > Folders and files directory E:\\RECOVERED2\\ placed in visible mode",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED2\\",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED2\\music.mp3\\",
                   "[KV] - File \"Files.bat\" deleted the Drive E:\\",
                   "[KV] > Folders E:\\\\Files found.",
                   "[KV] > Folder E:\\\\Files renamed E:\\RECOVERED3.",
                   "[KV] > Folders and files directory E:\\RECOVERED3\\ placed in visible mode",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED3\\",
                   "[KV] - Process [kv00x] is not running on this computer!",
                   "[KV] > File E:\\RECOVERED3\\sub\\b.js Successfully Deleted!",
                   "[KV] - Registry key b not Found!",
                   "[KV] - Registry key b not Found!",
                   "[KV] - Registry key b not Found!",
               },
               kNoRecycleFoldersEn,
               kNoRootVirusFilesEn,
               {
                   "[KV] - No Code/Virus Found in E:\\autorun.inf\\",
                   "[KV] - No Code/Virus Found in E:\\bat.bat\\",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED\\",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED2\\",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED3\\",
                   "[KV] > Could not delete file E:\\autorun.inf",
                   "[KV] > File \"bat.bat\" deleted the Drive E:\\",
               },
               kInfectedEndEn}),
         kInfectedBoxEn, true,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.TreeUnder("E:\\"), (Tree{
                                                 {"E:\\autorun.inf", attr::kNormal},
                                                 {"E:\\RECOVERED", kDir},
                                                 {"E:\\RECOVERED\\cv.pdf", attr::kNormal},
                                                 {"E:\\RECOVERED2", kDir},
                                                 {"E:\\RECOVERED2\\music.mp3", attr::kNormal},
                                                 {"E:\\RECOVERED3", kDir},
                                                 {"E:\\RECOVERED3\\sub", kDir},
                                             }));
         }},
    });
}

TEST(DeviceDisinfection, AStickCleanedBeforeKeepsItsRecoveredFoldersAndGetsNewOnes) {
    RunDeviceCases({
        {"infected again: RECUPERADOS-2 and RECUPERADOS2-2", UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\RECUPERADOS\\old.doc", 100);
             os.AddFile("E:\\RECUPERADOS2\\older.doc", 100);
             os.AddFolder("E:\\.Trashes", kDir | kHiddenSystem);
             os.AddFile("E:\\.Trashes\\new.doc", 100, attr::kHidden);
             os.AddFolder("E:\\Drive", kDir | attr::kHidden);
             os.AddFile("E:\\Drive\\song.mp3", 100, attr::kHidden);
             os.AddFile("E:\\Drive.bat", 100);
         },
         Join({kStartPt,
               {
                   "[KV] > Pasta E:\\\\.Trashes encontrada.",
                   "[KV] > Pasta E:\\\\.Trashes renomeada para E:\\RECUPERADOS-2.",
                   "[KV] > Pastas e arquivos do Diretório E:\\RECUPERADOS-2\\ colocados em modo visível",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS-2\\",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS-2\\new.doc\\",
                   "[KV] - Arquivo \"Drive.bat\" deletado do Drive E:\\",
                   "[KV] > Pasta E:\\\\Drive encontrada.",
                   "[KV] > Pasta E:\\\\Drive renomeada para E:\\RECUPERADOS2-2.",
                   "[KV] > Pastas e arquivos do Diretório E:\\RECUPERADOS2-2\\ colocados em modo visível",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS2-2\\",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS2-2\\song.mp3\\",
               },
               kNoRecycleFoldersPt,
               kNoRootVirusFilesPt,
               {
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS\\",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS-2\\",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS2\\",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\RECUPERADOS2-2\\",
               },
               kNoAutorunNoBatPt,
               kInfectedEndPt}),
         kInfectedBoxPt, true,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.TreeUnder("E:\\"), (Tree{
                                                 {"E:\\RECUPERADOS", kDir},
                                                 {"E:\\RECUPERADOS\\old.doc", attr::kArchive},
                                                 {"E:\\RECUPERADOS-2", kDir},
                                                 {"E:\\RECUPERADOS-2\\new.doc", attr::kNormal},
                                                 {"E:\\RECUPERADOS2", kDir},
                                                 {"E:\\RECUPERADOS2\\older.doc", attr::kArchive},
                                                 {"E:\\RECUPERADOS2-2", kDir},
                                                 {"E:\\RECUPERADOS2-2\\song.mp3", attr::kNormal},
                                             }));
         }},
        {"a trash folder that cannot be renamed is made visible and cleaned in place", UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFolder("E:\\.Trashes", kDir | kHiddenSystem);
             os.SetLocked("E:\\.Trashes");
             os.AddFile("E:\\.Trashes\\doc.txt", 100, attr::kHidden);
             os.AddFile("E:\\.Trashes\\a.js", 100, attr::kHidden);
         },
         Join({kStartPt,
               {
                   "[KV] > Pasta E:\\\\.Trashes encontrada.",
                   "[KV] > Pasta E:\\\\.Trashes não pôde ser renomeada! (colocada em modo visível)",
                   "[KV] > Pastas e arquivos do Diretório E:\\.Trashes\\ colocados em modo visível",
               },
               ScriptRemovedPt("E:\\.Trashes\\a.js", "a"),
               {
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\.Trashes\\doc.txt\\",
               },
               kNoRecycleFoldersPt,
               kNoRootVirusFilesPt,
               {"[KV] - Nenhum Código/Vírus Encontrado em E:\\.Trashes\\"},
               kNoAutorunNoBatPt,
               kInfectedEndPt}),
         kInfectedBoxPt, true,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.TreeUnder("E:\\"), (Tree{{"E:\\.Trashes", kDir}, {"E:\\.Trashes\\doc.txt", attr::kNormal}}));
         }},
    });
}

TEST(DeviceDisinfection, RecoveredFolderTakesTheFirstFreeName) {
    const struct {
        UiLanguage language;
        std::vector<std::string> taken;  // folders, or files when ending in "|file"
        const char* trash;
        const char* renameLine;
        const char* recovered;
    } cases[] = {
        {UiLanguage::Portuguese,
         {},
         ".Trashes",
         "[KV] > Pasta E:\\\\.Trashes renomeada para E:\\RECUPERADOS.",
         "E:\\RECUPERADOS"},
        {UiLanguage::Portuguese,
         {"recuperados", "RECUPERADOS-2", "RECUPERADOS-3|file"},
         ".Trashes",
         "[KV] > Pasta E:\\\\.Trashes renomeada para E:\\RECUPERADOS-4.",
         "E:\\RECUPERADOS-4"},
        {UiLanguage::English,
         {"RECOVERED3"},
         "Files",
         "[KV] > Folder E:\\\\Files renamed E:\\RECOVERED3-2.",
         "E:\\RECOVERED3-2"},
        {UiLanguage::English,
         {"RECOVERED", "RECUPERADOS2"},
         "Drive",
         "[KV] > Folder E:\\\\Drive renamed E:\\RECOVERED2.",
         "E:\\RECOVERED2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.renameLine);
        Machine m(c.language);
        for (const std::string& name : c.taken) {
            const std::size_t bar = name.find('|');
            if (bar == std::string::npos) {
                m.os.AddFile("E:\\" + name + "\\kept.txt", 10);
            } else {
                m.os.AddFile("E:\\" + name.substr(0, bar), 10);
            }
        }
        m.os.AddFile(std::string("E:\\") + c.trash + "\\mine.txt", 10, attr::kHidden);
        if (std::string(c.trash) != ".Trashes") m.os.AddFile(std::string("E:\\") + c.trash + ".bat", 10);
        DeviceDisinfection(m.ctx, "E:");
        const Lines& report = m.session.report.Lines();
        EXPECT_NE(std::find(report.begin(), report.end(), c.renameLine), report.end());
        EXPECT_EQ(m.os.ReadAttributes(std::string(c.recovered) + "\\mine.txt"), attr::kNormal);
        EXPECT_FALSE(m.os.Exists(std::string("E:\\") + c.trash));
        for (const std::string& name : c.taken) {
            const std::string path = "E:\\" + name.substr(0, name.find('|'));
            EXPECT_TRUE(m.os.FileExists(path + (name.find('|') == std::string::npos ? "\\kept.txt" : ""))) << path;
        }
    }
}

TEST(DeviceDisinfection, RecycleAndSystemFolders) {
    RunDeviceCases({
        {"plain subfolders make the device infected; a locked file keeps its folder", UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFolder("E:\\RECYCLER", kDir | kHiddenSystem);
             os.AddFolder("E:\\RECYCLER\\S-1-5-21-1");
             os.AddFile("E:\\RECYCLER\\S-1-5-21-1\\Desktop.ini", 10, kHiddenSystem);
             os.AddFolder("E:\\System Volume Information", kDir | kHiddenSystem);
             os.AddFile("E:\\System Volume Information\\tracking.log", 10);
             os.SetLocked("E:\\System Volume Information\\tracking.log");
         },
         Join({kStartPt,
               {
                   "[KV] - Pasta E:\\RECYCLE\\ não Encontrada!",
                   "[KV] - Pasta E:\\RECYCLE.BIN\\ não Encontrada!",
                   "[KV] - Pasta E:\\$RECYCLE.BIN\\ não Encontrada!",
                   "[KV] > Pasta E:\\RECYCLER Deletada com Sucesso!",
                   "[KV] - Pasta E:\\RECYCLER.BIN\\ não Encontrada!",
                   "[KV] - Pasta E:\\$RECYCLER.BIN\\ não Encontrada!",
                   "[KV] > Pasta E:\\System Volume Information não pôde ser Deletada! (Pasta de Sistema)",
               },
               kNoRootVirusFilesPt,
               {"[KV] - Nenhum Código/Vírus Encontrado em E:\\System Volume Information\\"},
               kNoAutorunNoBatPt,
               kInfectedEndPt}),
         kInfectedBoxPt, true,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.TreeUnder("E:\\"), (Tree{
                                                 {"E:\\System Volume Information", kDir},
                                                 {"E:\\System Volume Information\\tracking.log", attr::kNormal},
                                             }));
         }},
        {"a recycle folder holding only files is deleted without making the device infected",
         UiLanguage::English,
         [](MemoryPlatform& os) { os.AddFile("E:\\$RECYCLE.BIN\\desktop.ini", 10, kHiddenSystem); },
         Join({kHeaderEn,
               kNoProcessesEn,
               kRootVisibleEn,
               {
                   "[KV] - Folder E:\\RECYCLE\\ not Found!",
                   "[KV] - Folder E:\\RECYCLE.BIN\\ not Found!",
                   "[KV] > Folder E:\\$RECYCLE.BIN Successfully Deleted!",
                   "[KV] - Folder E:\\RECYCLER\\ not Found!",
                   "[KV] - Folder E:\\RECYCLER.BIN\\ not Found!",
                   "[KV] - Folder E:\\$RECYCLER.BIN\\ not Found!",
                   "[KV] - Folder E:\\System Volume Information\\ not Found!",
               },
               kNoRootVirusFilesEn,
               kNoAutorunNoBatEn,
               {
                   "[KV] - Process Completed Successfully!",
                   "[KV] - No Virus Found in Drive E:\\!",
                   "[KV] - Process Completed Successfully!",
               }}),
         {
             "information | Outcome | Viruses were not found in Drive E:\\!",
             "question | Warning | Want to save the report?",
             "save-dialog | Save Log Scan Computer | txt | *.txt",
         },
         false,
         [](MemoryPlatform& os) { EXPECT_TRUE(os.TreeUnder("E:\\").empty()); }},
    });
}

TEST(DeviceDisinfection, NothingOffTheDeviceIsReachedThroughLinks) {
    const auto otherDrive = [](MemoryPlatform& os) {
        os.AddDrive('D', DriveKind::Fixed, "DATA");
        os.AddFolder("D:\\Work", kDir | attr::kHidden);
        os.AddFile("D:\\Work\\keep.js", 10, attr::kHidden);
        os.AddFile("D:\\Work\\Inner\\deep.js", 10, attr::kReadOnly);
        os.AddFile("D:\\Work\\tool.exe", 10);
    };
    RunDeviceCases({
        {"links named like a plain folder, a recycle folder and the trash folder", UiLanguage::English,
         [otherDrive](MemoryPlatform& os) {
             otherDrive(os);
             os.AddFolderLink("E:\\Docs", "D:\\Work");
             os.AddFolderLink("E:\\RECYCLER", "D:\\Work");
             os.AddFolderLink("E:\\.Trashes", "D:\\Work");
             os.AddFile("E:\\Music\\song.js", 10);
         },
         Join({kHeaderEn,
               kNoProcessesEn,
               kRootVisibleEn,
               {
                   "[KV] - Folder E:\\RECYCLE\\ not Found!",
                   "[KV] - Folder E:\\RECYCLE.BIN\\ not Found!",
                   "[KV] - Folder E:\\$RECYCLE.BIN\\ not Found!",
                   "[KV] > Folder E:\\RECYCLER Successfully Deleted!",
                   "[KV] - Folder E:\\RECYCLER.BIN\\ not Found!",
                   "[KV] - Folder E:\\$RECYCLER.BIN\\ not Found!",
                   "[KV] - Folder E:\\System Volume Information\\ not Found!",
               },
               kNoRootVirusFilesEn,
               {
                   "[KV] - Process [kv00x] is not running on this computer!",
                   "[KV] > File E:\\Music\\song.js Successfully Deleted!",
                   "[KV] - Registry key song not Found!",
                   "[KV] - Registry key song not Found!",
                   "[KV] - Registry key song not Found!",
               },
               kNoAutorunNoBatEn,
               kInfectedEndEn}),
         kInfectedBoxEn, true,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.TreeUnder("D:\\"), (Tree{
                                                 {"D:\\Work", kDir | attr::kHidden},
                                                 {"D:\\Work\\Inner", kDir},
                                                 {"D:\\Work\\Inner\\deep.js", attr::kReadOnly},
                                                 {"D:\\Work\\keep.js", attr::kHidden},
                                                 {"D:\\Work\\tool.exe", attr::kArchive},
                                             }));
             EXPECT_EQ(os.TreeUnder("E:\\"), (Tree{
                                                 {"E:\\.Trashes", kDir | attr::kReparsePoint},
                                                 {"E:\\Docs", kDir | attr::kReparsePoint},
                                                 {"E:\\Music", kDir},
                                             }));
         }},
    });
}

TEST(DeviceDisinfection, NoDriveSelectedLeavesEverythingAsItWas) {
    for (const auto& [language, box] :
         {std::pair{UiLanguage::Portuguese,
                    "information | Atenção | Escolha a Unidade do Dispositivo que deseja limpar!"},
          std::pair{UiLanguage::English, "information | Warning | Choose Unit Device you want to clean!"}}) {
        Machine m(language);
        m.os.AddFile("E:\\autorun.inf", 10, attr::kHidden);
        m.session.report.AppendLine("tips of the main window");
        m.session.outcome.InfectionFlag = true;
        const Tree before = m.os.TreeUnder("C:\\");
        DeviceDisinfection(m.ctx, "");
        EXPECT_EQ(m.session.report.Lines(), Lines{"tips of the main window"});
        EXPECT_EQ(m.dialogs.events, Lines{box});  // no save offer either
        EXPECT_EQ(m.os.TreeUnder("C:\\"), before);
        EXPECT_EQ(m.os.ReadAttributes("E:\\autorun.inf"), attr::kHidden);
        EXPECT_FALSE(m.session.outcome.InfectionFlag);
    }
}

const char* const kRoamingCopy = "C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-pen-07-12-2026-09-20-28.txt";
const char* const kLocalCopy = "C:\\Users\\user\\AppData\\Local\\zirozov\\kv-pen-07-12-2026-09-20-28.txt";

TEST(DeviceDisinfection, AutomaticCopiesEndBeforeTheFinalLineTheSavedReportHasIt) {
    Machine m(UiLanguage::Portuguese);
    SetUpTypicalInfection(m.os);
    m.dialogs.yesNoAnswers = {true};
    m.dialogs.saveChoices = {std::string("C:\\Users\\user\\Desktop\\limpeza.txt")};
    DeviceDisinfection(m.ctx, "E: PENDRIVE");

    const Lines withoutFinalLine(kTypicalInfectionReportPt.begin(), kTypicalInfectionReportPt.end() - 1);
    EXPECT_EQ(m.os.ContentOf(kRoamingCopy), ReportFileBytes(withoutFinalLine));
    EXPECT_EQ(m.os.ContentOf(kLocalCopy), ReportFileBytes(withoutFinalLine));
    EXPECT_EQ(m.os.ContentOf("C:\\Users\\user\\Desktop\\limpeza.txt"), ReportFileBytes(kTypicalInfectionReportPt));
    // Windows-1252 in the files: "Vírus" carries the single byte 0xED.
    EXPECT_NE(m.os.ContentOf(kLocalCopy).find("V\xEDrus Encontrados"), std::string::npos);
}

TEST(DeviceDisinfection, SaveOfferFollowsTheOptionAndItsAnswers) {
    const struct {
        const char* what;
        bool optionTicked;
        std::deque<bool> answers;
        Lines events;
        bool savedFileReplaced;
    } cases[] = {
        {"option off: no question, the copies are still written",
         false,
         {},
         {"warning | Heads up | Virus Found and Deleted Drive E:\\!"},
         false},
        {"declined", true, {false}, {kInfectedBoxEn[0], kInfectedBoxEn[1]}, false},
        {"existing file, replacement declined",
         true,
         {true, false},
         {kInfectedBoxEn[0], kInfectedBoxEn[1], kInfectedBoxEn[2],
          "question | Warning | File hesitate longer wish to replace?"},
         false},
        {"existing file replaced",
         true,
         {true, true},
         {kInfectedBoxEn[0], kInfectedBoxEn[1], kInfectedBoxEn[2],
          "question | Warning | File hesitate longer wish to replace?"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Machine m(UiLanguage::English);
        m.os.AddFile("E:\\bat.bat", 10);
        m.os.AddFile("C:\\Users\\user\\saved.txt", 0, attr::kArchive, "older report");
        m.session.options.afterDisinfections = c.optionTicked;
        m.session.options.afterChecks = !c.optionTicked;  // the checks' option plays no part
        m.dialogs.yesNoAnswers = c.answers;
        m.dialogs.saveChoices = {std::string("C:\\Users\\user\\saved.txt")};
        DeviceDisinfection(m.ctx, "E: PENDRIVE");
        EXPECT_EQ(m.dialogs.events, c.events);
        EXPECT_EQ(m.os.ContentOf("C:\\Users\\user\\saved.txt"),
                  c.savedFileReplaced ? ReportFileBytes(m.session.report.Lines()) : "older report");
        EXPECT_TRUE(m.os.FileExists(kRoamingCopy));
        EXPECT_TRUE(m.os.FileExists(kLocalCopy));
    }
}

TEST(DeviceDisinfection, AFailedCopyEndsTheActionAfterTheVerdict) {
    Machine m(UiLanguage::Portuguese);
    m.os.FailWritesUnder("C:\\Users\\user\\AppData\\Local", "Access is denied.");
    EXPECT_THROW(DeviceDisinfection(m.ctx, "E:"), FileWriteError);
    const Lines expected =
        Join({kStartPt,
              kNoRecycleFoldersPt,
              kNoRootVirusFilesPt,
              kNoAutorunNoBatPt,
              {"[KV] - Processo Concluído com Sucesso!", "[KV] - Nenhum Vírus Encontrado no Drive E:\\!"}});
    EXPECT_EQ(m.session.report.Lines(), expected);
    EXPECT_EQ(m.dialogs.events, Lines{"information | Outcome | Não foram Encontrados Vírus no Drive E:\\!"});
}

// ---- RemoveExecutableDisguise -------------------------------------------------------

struct DisguiseCase {
    const char* what;
    UiLanguage language;
    bool shortcutSeen;
    std::function<void(MemoryPlatform&)> setUp;
    Lines report;
    bool infected;
    std::function<void(MemoryPlatform&)> checkMachine;
};

TEST(RemoveExecutableDisguise, SizeProcessAndFolderTwinTests) {
    const auto product = [](MemoryPlatform& os, const char* name) {
        os.SetRegistryString(HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "ProductName", name);
    };
    const std::vector<DisguiseCase> cases = {
        {"the fixed-size copy on Windows XP, with its Run value",
         UiLanguage::Portuguese,
         true,
         [product](MemoryPlatform& os) {
             product(os, "Microsoft Windows XP");
             os.AddFile("E:\\Fotos.exe", 250001, attr::kHidden);
             os.AddProcess("explorer.exe");
             os.AddProcess("calc.exe");
             os.SetRegistryString(HKCU, kRun, "Fotos", "E:\\Fotos.exe");
         },
         {
             "[KV] > Processo [explorer.exe] finalizado!",
             "[KV] > Processo [kv008] finalizado!",
             "[KV] > Arquivo E:\\Fotos.exe Deletado!",
             "[KV] > Chave de Registro Fotos Deletada com Sucesso! - CurrentUser",
             "[KV] > Arquivo E:\\Fotos.exe deletado com sucesso!",
             "[KV] - Nenhum Código/Vírus Encontrado!",
         },
         false,
         [](MemoryPlatform& os) { EXPECT_TRUE(os.RunningProcesses().empty()); }},
        {"the copy held by its running process, beside its folder twin",
         UiLanguage::English,
         true,
         [product](MemoryPlatform& os) {
             product(os, "Windows XP");
             os.AddFile("E:\\Fotos.exe", 250999);
             os.AddFolder("E:\\Fotos");
             os.AddProcess("Fotos.exe", false, "E:\\Fotos.exe");
         },
         {
             "[KV] - Process [explorer.exe] is not running on this computer!",
             "[KV] - Process [kv008] is not running on this computer!",
             "[KV] > Arquivo E:\\Fotos.exe não pôde ser Deletado!",
             "[KV] > Arquivo E:\\Fotos.exe não pode ser deletado!",
             "[KV] - Could not delete file E:\\Fotos.exe",
         },
         true,
         [](MemoryPlatform& os) { EXPECT_TRUE(os.FileExists("E:\\Fotos.exe")); }},
        {"the copy deleted, then found beside its folder twin: no failure line",
         UiLanguage::English,
         true,
         [product](MemoryPlatform& os) {
             product(os, "Windows 10 Pro");
             os.AddFile("E:\\Fotos.exe", 250500);
             os.AddFolder("E:\\Fotos");
         },
         {
             "[KV] - Process [kv008] is not running on this computer!",
             "[KV] > Arquivo E:\\Fotos.exe Deletado!",
             "[KV] > Arquivo E:\\Fotos.exe deletado com sucesso!",
         },
         true,
         [](MemoryPlatform& os) { EXPECT_FALSE(os.Exists("E:\\Fotos.exe")); }},
        {"no shortcut seen, or sizes on the bounds: no copy; the twin alone is deleted",
         UiLanguage::Portuguese,
         false,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\a.exe", 250500);
             os.AddFile("E:\\b.exe", 250000);
             os.AddFolder("E:\\b");
         },
         {
             "[KV] > Arquivo E:\\b.exe Deletado com Sucesso!",
         },
         true,
         [](MemoryPlatform& os) { EXPECT_TRUE(os.FileExists("E:\\a.exe")); }},
        {"sizes on the bounds with a shortcut seen",
         UiLanguage::Portuguese,
         true,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\a.exe", 250000);
             os.AddFile("E:\\b.exe", 251000);
         },
         {"[KV] - Nenhum Código/Vírus Encontrado!"},
         false,
         nullptr},
        {"a running program is ended; the program's own executable is not counted",
         UiLanguage::Portuguese,
         false,
         [](MemoryPlatform& os) {
             os.AddFile("E:\\KV Vuduv.exe", 900000);
             os.AddFile("E:\\setup.exe", 900000, attr::kHidden);
             os.AddProcess("KV Vuduv.exe");
             os.AddProcess("C:\\Temp\\SETUP.EXE");
         },
         {"[KV] > Processo setup.exe finalizado com sucesso!"},
         true,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.ReadAttributes("E:\\setup.exe"), attr::kNormal);
             ASSERT_EQ(os.RunningProcesses().size(), 1u);
             EXPECT_EQ(os.RunningProcesses()[0].exeEntry, "KV Vuduv.exe");
         }},
        {"no executable at all",
         UiLanguage::English,
         true,
         [](MemoryPlatform&) {},
         {"[KV] - No Code/Virus Found!"},
         false,
         nullptr},
    };
    for (const DisguiseCase& c : cases) {
        SCOPED_TRACE(c.what);
        Machine m(c.language);
        c.setUp(m.os);
        m.session.outcome.ShortcutSeenFlag = c.shortcutSeen;
        RemoveExecutableDisguise(m.ctx, "E:\\", "*.exe");
        EXPECT_EQ(m.session.report.Lines(), c.report);
        EXPECT_EQ(m.session.outcome.InfectionFlag, c.infected);
        if (c.checkMachine) c.checkMachine(m.os);
    }
}

}  // namespace
}  // namespace kv

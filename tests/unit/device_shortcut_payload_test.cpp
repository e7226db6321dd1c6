// Check Device and Disinfect Device on sticks whose root shortcuts start a
// hidden payload (a "sysvolume" folder of scripts, a hidden "USB Driver.exe"
// with the user's files under a folder whose name shows nothing), and on
// sticks whose shortcuts are the user's own or lead off the device: whole
// reports and the machine afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "device/device_check.h"
#include "device/device_disinfection.h"
#include "tests/support/memory_platform.h"
#include "tests/support/report_blocks.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/shell_link_writer.h"

namespace kv {
namespace {

using test::Join;
using test::DeviceCheckRootNothing;
using test::DeviceDisinfectionStartPt;
using test::DeviceRecycleFoldersNotFoundPt;
using test::FileItemOnly;
using test::LinkShape;
using test::MemoryPlatform;
using test::ScriptedDialogs;
using Lines = std::vector<std::string>;
using Tree = std::map<std::string, std::uint32_t>;

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kCmd = "C:\\Windows\\System32\\cmd.exe";
const char* const kNbsp = "\xC2\xA0";
constexpr std::uint32_t kHiddenSystem = attr::kHidden | attr::kSystem;
constexpr std::uint32_t kDir = attr::kDirectory;

Lines Repeat(const std::string& line, int times) { return Lines(static_cast<std::size_t>(times), line); }

// Shortcuts are written with the format's bytes, or (readable false) as
// empty files that no reader can follow: the report the device gave before
// shortcuts were followed.
void AddShortcut(MemoryPlatform& os, const std::string& path, const std::string& target,
                 const std::string& arguments, bool readable, std::uint32_t attributes = attr::kArchive) {
    LinkShape shape;
    shape.target = target;
    shape.arguments = arguments;
    os.AddFile(path, 0, attributes, readable ? test::WriteShellLink(shape) : std::string());
}

struct Machine {
    explicit Machine(UiLanguage language) {
        os.AddDrive('C', DriveKind::Fixed);
        os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        session.language = language;
        session.options.afterChecks = false;
        session.options.afterDisinfections = false;
    }
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx{os, dialogs, session};
    const Lines& lines() const { return session.report.Lines(); }
};

// ---- A "sysvolume" stick: scripts in a hidden folder, started by wscript ----

const char* const kSysvolumeArgs =
    "/c start wscript //B //E:vbscript sysvolume\\u1234567.vbs & start explorer Trabalhos";

void SetUpSysvolumeStick(MemoryPlatform& os) {
    os.AddFolder("E:\\sysvolume", kDir | kHiddenSystem);
    for (const char* name : {"u1234567.vbs", "u1234567.bat", "u1234567.dat"}) {
        os.AddFile(std::string("E:\\sysvolume\\") + name, 2000);
    }
    os.AddFolder("E:\\Trabalhos", kDir | kHiddenSystem);
    os.AddFile("E:\\Trabalhos\\nota.docx", 9000);
    AddShortcut(os, "E:\\PENDRIVE.lnk", kCmd, kSysvolumeArgs, true);
    AddShortcut(os, "E:\\Trabalhos.lnk", kCmd, kSysvolumeArgs, true);
    os.SetRegistryString(RegRoot::CurrentUser, kRun, "u1234567", "wscript.exe //B E:\\sysvolume\\u1234567.vbs");
}


Lines SysvolumeCheckReport(UiLanguage language) {
    const bool pt = language == UiLanguage::Portuguese;
    const auto payloadLines = [&](const std::string& shortcut) {
        const std::string file = pt ? "[KV] > Arquivo oculto do atalho: " : "[KV] > Hidden file of the shortcut: ";
        return Lines{pt ? "[KV] > Atalho " + shortcut + " inicia arquivos ocultos do dispositivo!"
                        : "[KV] > Shortcut " + shortcut + " starts hidden files of the device!",
                     file + "E:\\sysvolume\\u1234567.vbs", file + "E:\\sysvolume\\u1234567.bat",
                     file + "E:\\sysvolume\\u1234567.dat"};
    };
    return Join({
        pt ? Lines{"[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018",
                   "[KV] - Início da Verificação - 07/12/2026 - 09:20:28",
                   "[KV] - Verificando Dispositivo Externo - Unidade: E:\\"}
           : Lines{"[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018",
                   "[KV] - Top of Verification - 07/12/2026 - 09:20:28",
                   "[KV] - Checking External Device - Drive: E:\\"},
        {"[KV] - Listando estrutura de Diretórios...", "[KV] - E:\\PENDRIVE.lnk", "[KV] - E:\\sysvolume",
         "[KV] - E:\\Trabalhos", "[KV] - E:\\Trabalhos.lnk", "[KV] - Fim da listagem da estrutura de Diretórios...",
         "[KV] - >>> Verificando Vírus ..."},
        DeviceCheckRootNothing(),
        {"[KV] - >>> Verificando outros Vírus ...", "[KV] - Verificando Tipo VBS...", "[KV] - Verificando Tipo WSF...",
         "[KV] - Verificando Tipo Manuel.doc...", "[KV] - Verificando Tipo VBE...", "[KV] - Verificando Atalhos..."},
        FileItemOnly(),
        FileItemOnly(),
        payloadLines("E:\\PENDRIVE.lnk"),
        payloadLines("E:\\Trabalhos.lnk"),
        {"[KV] - Verificando Tipo JS...", "[KV] - Verificando Tipo JS1...", "[KV] - Arquivo Autorun.inf não encontrado!"},
        pt ? Lines{"[KV] *** O Dispositivo (E:\\) está Infectado! Para remover use o botão \"Desinfectar "
                   "Dispositivo\""}
           : Lines{},
    });
}

TEST(ShortcutPayloadCheck, ASysvolumeStickNamesEachShortcutAndItsFilesAndChangesNothing) {
    for (UiLanguage language : {UiLanguage::Portuguese, UiLanguage::English}) {
        Machine m(language);
        SetUpSysvolumeStick(m.os);
        const Tree before = m.os.TreeUnder("E:\\");
        const DeviceCheckResult result = DeviceCheck(m.ctx, "E: PENDRIVE");
        EXPECT_EQ(m.lines(), SysvolumeCheckReport(language));
        EXPECT_TRUE(result.infectionFound);
        EXPECT_EQ(m.os.TreeUnder("E:\\"), before);
    }
}

// The five lines of the shared removal for a file with no process running.
Lines RemovedPt(const std::string& path, const std::string& base, bool runValue = false) {
    return {"[KV] - Processo [kv00x] não está em execução neste computador!",
            "[KV] > Arquivo " + path + " Deletado com Sucesso!",
            runValue ? "[KV] > Chave de Registro " + base + " Deletada!"
                     : "[KV] - Chave de Registro " + base + " não Encontrada!",
            "[KV] - Chave de Registro " + base + " não Encontrada!",
            "[KV] - Chave de Registro " + base + " não Encontrada!"};
}

const Lines kStartPt = Join({DeviceDisinfectionStartPt(), DeviceRecycleFoldersNotFoundPt()});

TEST(ShortcutPayloadDisinfection, ASysvolumeStickLosesItsScriptsAndTheirFolderBeforeTheShortcuts) {
    Machine m(UiLanguage::Portuguese);
    SetUpSysvolumeStick(m.os);
    DeviceDisinfection(m.ctx, "E: PENDRIVE");
    EXPECT_EQ(m.lines(),
              Join({
                  kStartPt,
                  Repeat("[KV] - Nenhum Código/Vírus Encontrado em E:\\", 5),
                  {"[KV] > Atalho E:\\PENDRIVE.lnk inicia arquivos ocultos do dispositivo!"},
                  RemovedPt("E:\\sysvolume\\u1234567.vbs", "u1234567", true),
                  RemovedPt("E:\\sysvolume\\u1234567.bat", "u1234567"),
                  RemovedPt("E:\\sysvolume\\u1234567.dat", "u1234567"),
                  {"[KV] > Atalho E:\\Trabalhos.lnk inicia arquivos ocultos do dispositivo!",
                   "[KV] > Pasta vazia E:\\sysvolume Deletada com Sucesso!"},
                  RemovedPt("E:\\PENDRIVE.lnk", "PENDRIVE"),
                  RemovedPt("E:\\Trabalhos.lnk", "Trabalhos"),
                  {"[KV] - Nenhum Código/Vírus Encontrado!", "[KV] - Nenhum Código/Vírus Encontrado em E:\\",
                   "[KV] - Nenhum Código/Vírus Encontrado em E:\\Trabalhos\\",
                   "[KV] - Arquivo \"autorun.inf\" não encontrado no Drive E:\\",
                   "[KV] - Arquivo \"bat.bat\" não encontrado no Drive E:\\",
                   "[KV] - Processo Concluído com Sucesso!",
                   "[KV] > Vírus Encontrados na Unidade E:\\! Verifique o relatório!",
                   "[KV] - Processo Concluído com Sucesso!"},
              }));
    EXPECT_EQ(m.os.TreeUnder("E:\\"), (Tree{{"E:\\Trabalhos", kDir}, {"E:\\Trabalhos\\nota.docx", attr::kArchive}}));
    EXPECT_TRUE(m.os.RegValueNames(RegRoot::CurrentUser, kRun).empty());
}

// A folder another program holds open answers its removal with success and
// stays (its deletion is only pending): it is reported as not deleted.
TEST(ShortcutPayloadDisinfection, AnEmptiedFolderThatStaysIsReportedAsNotDeleted) {
    Machine m(UiLanguage::Portuguese);
    SetUpSysvolumeStick(m.os);
    m.os.KeepFolderOnRemoval("E:\\sysvolume");
    DeviceDisinfection(m.ctx, "E: PENDRIVE");
    const Lines& lines = m.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "[KV] > Pasta vazia E:\\sysvolume não pôde ser Deletada!"),
              lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "[KV] > Pasta vazia E:\\sysvolume Deletada com Sucesso!"),
              lines.end());
    EXPECT_TRUE(m.session.outcome.UndeletedFileFlag);
    EXPECT_TRUE(m.os.Exists("E:\\sysvolume"));
}

// The disinfection searches every root folder for scripts; a folder whose
// script was already removed as a payload is searched afresh, so the script
// is neither reported twice nor reported as not deleted, while a script the
// payload removal did not touch is still found.
TEST(ShortcutPayloadDisinfection, AScriptRemovedAsAPayloadIsNotLookedForAgainInItsFolder) {
    Machine m(UiLanguage::Portuguese);
    MemoryPlatform& os = m.os;
    os.AddFolder("E:\\Fotos", kDir | kHiddenSystem);
    os.AddFile("E:\\Fotos\\run.js", 3000, kHiddenSystem);
    os.AddFile("E:\\Fotos\\praia.jpg", 90000);
    os.AddFile("E:\\Docs\\velho.js", 200);
    AddShortcut(os, "E:\\Fotos.lnk", kCmd, "/c start wscript Fotos\\run.js & start explorer Fotos", true);
    DeviceDisinfection(m.ctx, "E: PENDRIVE");

    const Lines& lines = m.lines();
    const auto count = [&lines](const std::string& line) { return std::count(lines.begin(), lines.end(), line); };
    EXPECT_EQ(count("[KV] > Arquivo E:\\Fotos\\run.js Deletado com Sucesso!"), 1);
    EXPECT_EQ(count("[KV] - Nenhum Código/Vírus Encontrado em E:\\Fotos\\"), 1);
    EXPECT_EQ(count("[KV] > Arquivo E:\\Docs\\velho.js Deletado com Sucesso!"), 1);
    for (const std::string& line : lines) EXPECT_EQ(line.find("Não foi possível"), std::string::npos) << line;
    EXPECT_FALSE(m.session.outcome.UndeletedFileFlag);
    EXPECT_EQ(os.TreeUnder("E:\\"),
              (Tree{{"E:\\Docs", kDir}, {"E:\\Fotos", kDir}, {"E:\\Fotos\\praia.jpg", attr::kArchive}}));
}

// ---- A worm's stick: one shortcut per folder, all starting one hidden program ----

// Counts the searches of the stick's root and the looks for one file.
struct CountingPlatform : MemoryPlatform {
    int rootListings = 0;
    int looksForPayload = 0;
    std::vector<DirEntry> FindEntries(const std::string& pattern) override {
        if (pattern == "E:\\*.*") ++rootListings;
        return MemoryPlatform::FindEntries(pattern);
    }
    bool FileExists(const std::string& path) override {
        if (path == "E:\\x.exe") ++looksForPayload;
        return MemoryPlatform::FileExists(path);
    }
};

void SetUpWormStick(MemoryPlatform& os, int shortcuts) {
    os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
    os.AddFile("E:\\x.exe", 300000, kHiddenSystem);
    os.AddFile("E:\\x.dat", 100, kHiddenSystem);
    for (int i = 0; i < shortcuts; ++i) {
        const std::string folder = "Pasta" + std::to_string(i);
        os.AddFolder("E:\\" + folder, kDir | kHiddenSystem);
        AddShortcut(os, "E:\\" + folder + ".lnk", kCmd, "/c start x.exe & start explorer " + folder, true);
    }
}

// The root is listed and the payload looked for as often on a stick of 40
// shortcuts as on one of 4: a worm's thousands of shortcuts cost no more
// readings of the root (under Wine each one reads the whole root).
TEST(ShortcutPayloadWorm, ReadingsOfTheRootDoNotGrowWithTheShortcuts) {
    // Root listings, looks for the payload.
    using Readings = std::pair<int, int>;
    const auto readingsOf = [](int shortcuts, const std::function<void(ActionContext&)>& action) {
        CountingPlatform os;
        SetUpWormStick(os, shortcuts);
        ScriptedDialogs dialogs;
        Session session;
        session.options.afterChecks = false;
        session.options.afterDisinfections = false;
        ActionContext ctx(os, dialogs, session);
        action(ctx);
        return Readings(os.rootListings, os.looksForPayload);
    };
    const auto check = [](ActionContext& ctx) { DeviceCheck(ctx, "E: PENDRIVE"); };
    const auto disinfection = [](ActionContext& ctx) { DeviceDisinfection(ctx, "E: PENDRIVE"); };
    EXPECT_EQ(readingsOf(4, check), readingsOf(40, check));
    EXPECT_EQ(readingsOf(4, disinfection), readingsOf(40, disinfection));
}

// The program and its companion are removed with the first shortcut; the
// others only name themselves. A payload that could not be removed is tried
// again with each shortcut that starts it.
TEST(ShortcutPayloadWorm, TheSharedPayloadIsRemovedWithTheFirstShortcutUnlessItStays) {
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "x.exe locked" : "x.exe free");
        Machine m(UiLanguage::Portuguese);
        SetUpWormStick(m.os, 3);
        if (locked) m.os.SetLocked("E:\\x.exe");
        DeviceDisinfection(m.ctx, "E: PENDRIVE");
        const Lines& lines = m.lines();
        const auto count = [&lines](const std::string& line) { return std::count(lines.begin(), lines.end(), line); };
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(count("[KV] > Atalho E:\\Pasta" + std::to_string(i) + ".lnk inicia arquivos ocultos do dispositivo!"),
                      1);
        }
        EXPECT_EQ(count("[KV] > Arquivo E:\\x.dat Deletado com Sucesso!"), 1);
        if (locked) {
            EXPECT_EQ(count("[KV] > Não foi possível Excluir o Arquivo E:\\x.exe"), 3);
            EXPECT_TRUE(m.os.Exists("E:\\x.exe"));
        } else {
            EXPECT_EQ(count("[KV] > Arquivo E:\\x.exe Deletado com Sucesso!"), 1);
            EXPECT_FALSE(m.os.Exists("E:\\x.exe"));
        }
    }
}

// ---- A "USB Driver.exe" stick: the user's files under an invisible name --------

TEST(ShortcutPayloadDisinfection, AUsbDriverStickGetsItsFilesBackUnderTheFirstFreeRecoveredName) {
    Machine m(UiLanguage::English);
    MemoryPlatform& os = m.os;
    os.AddFile("E:\\USB Driver.exe", 40000, kHiddenSystem);
    os.AddProcess("USB Driver.exe", true, "E:\\USB Driver.exe");
    os.SetRegistryString(RegRoot::CurrentUser, kRun, "USB Driver", "E:\\USB Driver.exe");
    const std::string invisible = std::string("E:\\") + kNbsp;
    os.AddFolder(invisible, kDir | kHiddenSystem);
    os.AddFile(invisible + "\\Trabalho.docx", 9000, attr::kHidden);
    os.AddFile(invisible + "\\Fotos\\praia.jpg", 90000);
    os.AddFile("E:\\RECOVERED\\old.doc", 100);  // left by an earlier cleaning
    AddShortcut(os, "E:\\PENDRIVE.lnk", kCmd,
                std::string("/c start \"\" \"USB Driver.exe\" & start explorer \"") + kNbsp + "\"", true);

    DeviceDisinfection(m.ctx, "E: PENDRIVE");
    EXPECT_EQ(m.lines(),
              Join({
                  {"[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018",
                   "[KV] - Top of Verification - 07/12/2026 - 09:20:28", "[KV] - Checking External Media E:\\",
                   "[KV] - Process [kv001] is not running on this computer!",
                   "[KV] - Process [kv002] is not running on this computer!",
                   "[KV] - Process [kv003] is not running on this computer! ",
                   "[KV] - File and Folder Drive E:\\ placed in visible mode ",
                   "[KV] - Folder E:\\RECYCLE\\ not Found!", "[KV] - Folder E:\\RECYCLE.BIN\\ not Found!",
                   "[KV] - Folder E:\\$RECYCLE.BIN\\ not Found!", "[KV] - Folder E:\\RECYCLER\\ not Found!",
                   "[KV] - Folder E:\\RECYCLER.BIN\\ not Found!", "[KV] - Folder E:\\$RECYCLER.BIN\\ not Found!",
                   "[KV] - Folder E:\\System Volume Information\\ not Found!"},
                  Repeat("[KV] - No Code/Virus Found in E:\\", 5),
                  {"[KV] > Shortcut E:\\PENDRIVE.lnk starts hidden files of the device!",
                   "[KV] > Process [kv00x] finished!", "[KV] > File E:\\USB Driver.exe Successfully Deleted!",
                   "[KV] > Registry key USB Driver Deleted!", "[KV] - Registry key USB Driver not Found!",
                   "[KV] - Registry key USB Driver not Found!",
                   "[KV] > Folder without a visible name " + invisible + " renamed E:\\RECOVERED-2.",
                   "[KV] > Folders and files directory E:\\RECOVERED-2\\ placed in visible mode",
                   "[KV] - Process [kv00x] is not running on this computer!",
                   "[KV] > File E:\\PENDRIVE.lnk Successfully Deleted!", "[KV] - Registry key PENDRIVE not Found!",
                   "[KV] - Registry key PENDRIVE not Found!", "[KV] - Registry key PENDRIVE not Found!",
                   "[KV] - No Code/Virus Found!", "[KV] - No Code/Virus Found in E:\\",
                   "[KV] - No Code/Virus Found in E:\\RECOVERED\\", "[KV] - No Code/Virus Found in E:\\RECOVERED-2\\",
                   "[KV] - File \"autorun.inf\" not found in the E:\\", "[KV] - File \"bat.bat\" not found in the E:\\",
                   "[KV] - Process Completed Successfully!", "[KV] > Virus Found and Deleted Drive E:\\!",
                   "[KV] - Process Completed Successfully!"},
              }));
    EXPECT_EQ(os.TreeUnder("E:\\"), (Tree{
                                        {"E:\\RECOVERED", kDir},
                                        {"E:\\RECOVERED\\old.doc", attr::kArchive},
                                        {"E:\\RECOVERED-2", kDir},
                                        {"E:\\RECOVERED-2\\Fotos", kDir},
                                        {"E:\\RECOVERED-2\\Fotos\\praia.jpg", attr::kArchive},
                                        {"E:\\RECOVERED-2\\Trabalho.docx", attr::kNormal},
                                    }));
    EXPECT_TRUE(os.RunningProcesses().empty());
    EXPECT_EQ(m.dialogs.events, (Lines{"warning | Heads up | Virus Found and Deleted Drive E:\\!"}));
}

// ---- Shortcuts that start nothing hidden on the device -------------------------

// The user's own shortcuts: a visible program, a document the user hid, a
// folder, an installed program opening a document; and a folder with an
// invisible name, which without a payload shortcut is no sign of the worm.
void SetUpUsersOwnShortcuts(MemoryPlatform& os, bool readable) {
    os.AddFile("E:\\Portable\\app.exe", 500000);
    os.AddFile("E:\\Docs\\report.docx", 9000, attr::kHidden);
    os.AddFile(std::string("E:\\") + kNbsp + "\\nota.txt", 10);
    AddShortcut(os, "E:\\app.lnk", "E:\\Portable\\app.exe", "", readable);
    AddShortcut(os, "E:\\report.lnk", "E:\\Docs\\report.docx", "", readable);
    AddShortcut(os, "E:\\Docs.lnk", "E:\\Docs", "", readable, attr::kHidden);
    AddShortcut(os, "E:\\Word.lnk", "C:\\Program Files\\Office\\winword.exe", "E:\\Docs\\report.docx", readable);
}

// Worm-like command lines whose files are all off the device: on the system
// drive, behind a folder link on the stick, on a network share.
void SetUpShortcutsLeadingOffTheDevice(MemoryPlatform& os, bool readable) {
    os.AddFile("C:\\evil\\x.vbs", 100, attr::kHidden);
    os.AddFile("C:\\Windows\\y.vbs", 100, attr::kHidden);
    os.AddFile("C:\\Windows\\y.bat", 100, attr::kHidden);
    os.AddFolderLink("E:\\link", "C:\\Windows");
    AddShortcut(os, "E:\\PENDRIVE.lnk", kCmd,
                "/c start wscript C:\\evil\\x.vbs & start wscript link\\y.vbs & start wscript \\\\server\\s\\z.vbs",
                readable);
    AddShortcut(os, "E:\\y.lnk", "C:\\Windows\\y.vbs", "", readable);
}

TEST(ShortcutPayloadDisinfection, ShortcutsWithoutAPayloadGiveTodaysReportAndRemoveOnlyThemselves) {
    struct Case {
        const char* what;
        std::function<void(MemoryPlatform&, bool)> setUp;
        Tree left;
    };
    const Case cases[] = {
        {"the user's own shortcuts", SetUpUsersOwnShortcuts,
         Tree{{std::string("E:\\") + kNbsp, kDir},
              {std::string("E:\\") + kNbsp + "\\nota.txt", attr::kArchive},
              {"E:\\Docs", kDir},
              {"E:\\Docs\\report.docx", attr::kHidden},
              {"E:\\Portable", kDir},
              {"E:\\Portable\\app.exe", attr::kArchive}}},
        {"shortcuts leading off the device", SetUpShortcutsLeadingOffTheDevice,
         Tree{{"E:\\link", kDir | attr::kReparsePoint}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (UiLanguage language : {UiLanguage::Portuguese, UiLanguage::English}) {
            Machine followed(language), unreadable(language);
            c.setUp(followed.os, true);
            c.setUp(unreadable.os, false);
            // (The disinfection's automatic report copies go under C:\Users.)
            const Tree windows = followed.os.TreeUnder("C:\\Windows"), evil = followed.os.TreeUnder("C:\\evil");

            DeviceCheck(followed.ctx, "E: PENDRIVE");
            DeviceCheck(unreadable.ctx, "E: PENDRIVE");
            EXPECT_EQ(followed.lines(), unreadable.lines());

            DeviceDisinfection(followed.ctx, "E: PENDRIVE");
            DeviceDisinfection(unreadable.ctx, "E: PENDRIVE");
            EXPECT_EQ(followed.lines(), unreadable.lines());
            EXPECT_EQ(followed.os.TreeUnder("E:\\"), c.left);
            EXPECT_EQ(followed.os.TreeUnder("C:\\Windows"), windows);
            EXPECT_EQ(followed.os.TreeUnder("C:\\evil"), evil);
        }
    }
}

}  // namespace
}  // namespace kv

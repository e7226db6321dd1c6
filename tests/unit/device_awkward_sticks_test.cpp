// The device actions on sticks built to be awkward: the program's own copies
// on the stick it cleans (run from there), user files whose 8.3 short names
// match a virus mask, and a stick whose deletions answer success and leave
// the file. Whole reports, boxes and the machine afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <sstream>

#include "cli/cli_run.h"
#include "core/report_file.h"
#include "core/text.h"
#include "device/device_check.h"
#include "device/device_disinfection.h"
#include "tests/support/memory_platform.h"
#include "tests/support/report_blocks.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::Join;
using test::DeviceCheckRootNothing;
using test::DeviceDisinfectionStartPt;
using test::FileItemOnly;
using test::MemoryPlatform;
using test::ScriptedDialogs;
using Lines = std::vector<std::string>;

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr RegRoot HKCU = RegRoot::CurrentUser;

struct Machine {
    Machine() {
        os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        session.options.afterChecks = false;
        session.options.afterDisinfections = false;
    }
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx{os, dialogs, session};
    const Lines& lines() const { return session.report.Lines(); }
};

// ---- Report blocks -----------------------------------------------------------------

const Lines kCheckHeader = {
    "[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018",
    "[KV] - Início da Verificação - 07/12/2026 - 09:20:28",
    "[KV] - Verificando Dispositivo Externo - Unidade: E:\\",
};
const Lines kCheckRootNothing = Join({
    {"[KV] - >>> Verificando Vírus ..."},
    DeviceCheckRootNothing(),
    {"[KV] - >>> Verificando outros Vírus ..."},
});
const std::string kExeNo = "[KV] - Vírus tipo <*.exe> não encontrado!";

Lines NotFoundFolders(std::initializer_list<const char*> names) {
    Lines lines;
    for (const char* name : names) lines.push_back(std::string("[KV] - Pasta E:\\") + name + "\\ não Encontrada!");
    return lines;
}
const std::string kNothingIn = "[KV] - Nenhum Código/Vírus Encontrado em ";
const std::string kNoExe = "[KV] - Nenhum Código/Vírus Encontrado!";
const Lines kNothingAtAll = {kNothingIn + "E:\\", kNothingIn + "E:\\", kNothingIn + "E:\\", kNothingIn + "E:\\",
                             kNothingIn + "E:\\", kNothingIn + "E:\\", kNoExe,           kNothingIn + "E:\\"};
const Lines kNoAutorunNoBat = {
    "[KV] - Arquivo \"autorun.inf\" não encontrado no Drive E:\\",
    "[KV] - Arquivo \"bat.bat\" não encontrado no Drive E:\\",
};
const Lines kCleanEnd = {
    "[KV] - Processo Concluído com Sucesso!",
    "[KV] - Nenhum Vírus Encontrado no Drive E:\\!",
    "[KV] - Processo Concluído com Sucesso!",
};
const Lines kInfectedEnd = {
    "[KV] - Processo Concluído com Sucesso!",
    "[KV] > Vírus Encontrados na Unidade E:\\! Verifique o relatório!",
    "[KV] - Processo Concluído com Sucesso!",
};

// The five lines of a file removed (or not) with no process and no Run value.
Lines FileRemoved(const std::string& path, const std::string& base, bool deleted = true) {
    return {"[KV] - Processo [kv00x] não está em execução neste computador!",
            deleted ? "[KV] > Arquivo " + path + " Deletado com Sucesso!"
                    : "[KV] > Não foi possível Excluir o Arquivo " + path,
            "[KV] - Chave de Registro " + base + " não Encontrada!",
            "[KV] - Chave de Registro " + base + " não Encontrada!",
            "[KV] - Chave de Registro " + base + " não Encontrada!"};
}

// ---- The program's own copies on the stick ------------------------------------------

const char* const kOwnNames[] = {"kvvuduv-cli.exe", "kvvuduv.exe"};

// Both programs copied to the stick and both running from there; the one
// under test (ownName) is the current process.
void SetUpOwnCopies(MemoryPlatform& os, const std::string& ownName) {
    os.AddFile("E:\\kvvuduv-cli.exe", 900000);
    os.AddFile("E:\\kvvuduv.exe", 1500000);
    os.AddFile("E:\\Trabalho.docx", 1200);
    for (const char* name : kOwnNames) {
        const std::uint32_t id = os.AddProcess(name, true, std::string("E:\\") + name);
        if (ownName == name) os.SetCurrentProcessId(id);
    }
}

TEST(OwnProgramOnTheStick, TheCheckDoesNotCountEitherProgram) {
    for (const char* ownName : kOwnNames) {
        SCOPED_TRACE(ownName);
        Machine m;
        SetUpOwnCopies(m.os, ownName);
        const DeviceCheckResult result = DeviceCheck(m.ctx, "E: PENDRIVE");
        EXPECT_EQ(m.lines(), Join({kCheckHeader,
                                   {"[KV] - Listando estrutura de Diretórios...", "[KV] - E:\\kvvuduv-cli.exe",
                                    "[KV] - E:\\kvvuduv.exe", "[KV] - E:\\Trabalho.docx",
                                    "[KV] - Fim da listagem da estrutura de Diretórios..."},
                                   kCheckRootNothing,
                                   {"[KV] - Verificando Tipo VBS...", "[KV] - Verificando Tipo WSF...",
                                    "[KV] - Verificando Tipo Manuel.doc...", "[KV] - Verificando Tipo VBE...",
                                    "[KV] - Verificando Atalhos...", kExeNo, kExeNo, kExeNo, kExeNo,
                                    "[KV] - Verificando Tipo JS...", "[KV] - Verificando Tipo JS1...",
                                    "[KV] - Arquivo Autorun.inf não encontrado!",
                                    "[KV] *** Não foram Encontrados Vírus no Drive E:\\!"}}));
        EXPECT_FALSE(result.FoundSomething());
        EXPECT_EQ(m.os.RunningProcesses().size(), 2u);
    }
}

// A copy of the running program also sits in a recycle folder: deleting
// that folder ends every process named like a file met on the way, which
// must never be the program itself.
TEST(OwnProgramOnTheStick, TheDisinfectionEndsNeitherProgramAndRunsToItsEnd) {
    for (const char* ownName : kOwnNames) {
        SCOPED_TRACE(ownName);
        Machine m;
        SetUpOwnCopies(m.os, ownName);
        m.os.AddFolder("E:\\RECYCLER", attr::kDirectory | attr::kHidden | attr::kSystem);
        m.os.AddFile(std::string("E:\\RECYCLER\\") + ownName, 900000, attr::kHidden);
        DeviceDisinfection(m.ctx, "E: PENDRIVE");
        EXPECT_EQ(m.lines(),
                  Join({DeviceDisinfectionStartPt(),
                        NotFoundFolders({"RECYCLE", "RECYCLE.BIN", "$RECYCLE.BIN"}),
                        {"[KV] > Pasta E:\\RECYCLER Deletada com Sucesso!"},
                        NotFoundFolders({"RECYCLER.BIN", "$RECYCLER.BIN", "System Volume Information"}),
                        kNothingAtAll,
                        {kNothingIn + "E:\\kvvuduv-cli.exe\\", kNothingIn + "E:\\kvvuduv.exe\\",
                         kNothingIn + "E:\\Trabalho.docx\\"},
                        kNoAutorunNoBat,
                        kCleanEnd}));
        EXPECT_EQ(m.dialogs.events,
                  Lines{"information | Outcome | Não foram Encontrados Vírus no Drive E:\\!"});
        EXPECT_EQ(m.os.RunningProcesses().size(), 2u);
        EXPECT_TRUE(m.os.FileExists("E:\\kvvuduv-cli.exe"));
        EXPECT_TRUE(m.os.FileExists("E:\\kvvuduv.exe"));
        EXPECT_TRUE(m.os.FileExists("C:\\Users\\user\\AppData\\Local\\zirozov\\kv-pen-07-12-2026-09-20-28.txt"));
    }
}

TEST(OwnProgramOnTheStick, KillProcessByNameNeverEndsTheCurrentProcess) {
    MemoryPlatform os;
    const std::uint32_t self = os.AddProcess("E:\\Fotos.exe");
    os.AddProcess("C:\\Temp\\FOTOS.EXE");
    os.SetCurrentProcessId(self);
    EXPECT_TRUE(IsProcessRunning(os, "fotos.exe"));
    EXPECT_TRUE(KillProcessByName(os, "fotos.exe"));  // the other one
    EXPECT_FALSE(IsProcessRunning(os, "fotos.exe"));
    EXPECT_FALSE(KillProcessByName(os, "fotos.exe"));
    ASSERT_EQ(os.RunningProcesses().size(), 1u);
    EXPECT_EQ(os.RunningProcesses()[0].processId, self);
}

class StringSink : public cli::OutputSink {
public:
    std::string text;
    void Write(const std::string& bytes) override { text += bytes; }
};

// The console program run from its copy on the stick: its closing lines,
// automatic copies, saved report and exit status.
TEST(OwnProgramOnTheStick, TheConsoleProgramRunFromTheStickFinishesItsWork) {
    MemoryPlatform os;
    os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
    SetUpOwnCopies(os, "kvvuduv-cli.exe");
    os.SetExecutablePath("E:\\kvvuduv-cli.exe");
    os.AddFile("E:\\Fotos.lnk", 900, attr::kHidden);
    StringSink out, err;
    const int status =
        cli::RunCli({"--save", "C:\\Users\\user\\r.txt", "disinfect-device", "E"}, os, out, err);
    EXPECT_EQ(status, cli::kExitFound);
    EXPECT_EQ(err.text, "");
    Lines transcript;
    std::istringstream in(out.text);
    for (std::string line; std::getline(in, line);) transcript.push_back(line);
    ASSERT_GE(transcript.size(), 3u);
    EXPECT_EQ(Lines(transcript.end() - 3, transcript.end()),
              (Lines{"[KV] > Vírus Encontrados na Unidade E:\\! Verifique o relatório!",
                     "== warning | Heads up | Vírus Encontrados na Unidade E:\\! Verifique o relatório!",
                     "[KV] - Processo Concluído com Sucesso!"}));
    EXPECT_TRUE(os.FileExists("C:\\Users\\user\\r.txt"));
    EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-pen-07-12-2026-09-20-28.txt"));
    EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Local\\zirozov\\kv-pen-07-12-2026-09-20-28.txt"));
    EXPECT_FALSE(os.Exists("E:\\Fotos.lnk"));
    EXPECT_EQ(os.RunningProcesses().size(), 2u);
}

// ---- Short-name look-alikes ---------------------------------------------------------

// Real shortcuts and a real script beside user files whose short names
// (ALBUM~1.LNK, ATALHO~1.LNK, BACKUP~1.VBS) match the virus masks.
void SetUpLookAlikes(MemoryPlatform& os) {
    os.AddFile("E:\\Fotos.lnk", 900, attr::kHidden);
    os.AddFile("E:\\Album.lnkx", 900);
    os.AddFile("E:\\Atalho.lnk~", 900);
    os.AddFile("E:\\Backup.vbs1", 300);
    os.AddFile("E:\\x.vbs", 300, attr::kHidden);
    os.SetRegistryString(HKCU, kRun, "Album", "kept: its file is no shortcut");
}

TEST(ShortNameLookAlikes, TheInMemoryMachineAnswersSearchesByShortNamesAsWindowsDoes) {
    MemoryPlatform os;
    SetUpLookAlikes(os);
    EXPECT_EQ(os.ShortNameOf("E:\\Album.lnkx"), "ALBUM~1.LNK");
    EXPECT_EQ(os.ShortNameOf("E:\\Atalho.lnk~"), "ATALHO~1.LNK");
    EXPECT_EQ(os.ShortNameOf("E:\\Fotos.lnk"), "");
    std::vector<std::string> names;
    for (const DirEntry& entry : os.FindEntries("E:\\*.lnk")) names.push_back(entry.name);
    EXPECT_EQ(names, (Lines{"Album.lnkx", "Atalho.lnk~", "Fotos.lnk"}));
    names.clear();
    for (const DirEntry& entry : FindByLongName(os, "E:\\", "*.lnk")) names.push_back(entry.name);
    EXPECT_EQ(names, Lines{"Fotos.lnk"});
    // Colliding stems get the next number, as Windows numbers them.
    os.AddFile("E:\\Album.lnky", 1);
    EXPECT_EQ(os.ShortNameOf("E:\\Album.lnky"), "ALBUM~2.LNK");
}

TEST(ShortNameLookAlikes, TheCheckReportsOnlyTheRealOnes) {
    Machine m;
    SetUpLookAlikes(m.os);
    DeviceCheck(m.ctx, "E: PENDRIVE");
    EXPECT_EQ(m.lines(),
              Join({kCheckHeader,
                    {"[KV] - Listando estrutura de Diretórios...", "[KV] - E:\\Album.lnkx", "[KV] - E:\\Atalho.lnk~",
                     "[KV] - E:\\Backup.vbs1", "[KV] - E:\\Fotos.lnk", "[KV] - E:\\x.vbs",
                     "[KV] - Fim da listagem da estrutura de Diretórios..."},
                    kCheckRootNothing,
                    {"[KV] - Verificando Tipo VBS..."},
                    FileItemOnly(),
                    {"[KV] - Verificando Tipo WSF...", "[KV] - Verificando Tipo Manuel.doc...",
                     "[KV] - Verificando Tipo VBE...", "[KV] - Verificando Atalhos..."},
                    FileItemOnly(),
                    {"[KV] - Verificando Tipo JS...", "[KV] - Verificando Tipo JS1...",
                     "[KV] - Arquivo Autorun.inf não encontrado!",
                     "[KV] *** O Dispositivo (E:\\) está Infectado! Para remover use o botão \"Desinfectar "
                     "Dispositivo\""}}));
}

TEST(ShortNameLookAlikes, TheDisinfectionRemovesOnlyTheRealOnes) {
    Machine m;
    SetUpLookAlikes(m.os);
    DeviceDisinfection(m.ctx, "E: PENDRIVE");
    EXPECT_EQ(m.lines(),
              Join({DeviceDisinfectionStartPt(),
                    NotFoundFolders({"RECYCLE", "RECYCLE.BIN", "$RECYCLE.BIN", "RECYCLER", "RECYCLER.BIN",
                                     "$RECYCLER.BIN", "System Volume Information"}),
                    {kNothingIn + "E:\\", kNothingIn + "E:\\", kNothingIn + "E:\\"},
                    FileRemoved("E:\\x.vbs", "x"),
                    {kNothingIn + "E:\\"},
                    FileRemoved("E:\\Fotos.lnk", "Fotos"),
                    {kNoExe, kNothingIn + "E:\\", kNothingIn + "E:\\Album.lnkx\\", kNothingIn + "E:\\Atalho.lnk~\\",
                     kNothingIn + "E:\\Backup.vbs1\\"},
                    kNoAutorunNoBat,
                    kInfectedEnd}));
    EXPECT_EQ(m.os.TreeUnder("E:\\"), (std::map<std::string, std::uint32_t>{{"E:\\Album.lnkx", attr::kNormal},
                                                                            {"E:\\Atalho.lnk~", attr::kNormal},
                                                                            {"E:\\Backup.vbs1", attr::kNormal}}));
    EXPECT_TRUE(m.os.RegValueExists(HKCU, kRun, "Album"));
}

// ---- Deletions that answer success and leave the file -------------------------------

TEST(SilentlyFailingDeletes, EveryFileThatStaysIsReportedNotDeleted) {
    Machine m;
    m.os.AddFile("E:\\Fotos.lnk", 900, attr::kHidden);
    m.os.AddFile("E:\\x.vbs", 300, attr::kHidden);
    m.os.AddFolder("E:\\Fotos", attr::kDirectory | attr::kHidden);
    m.os.AddFile("E:\\Fotos.exe", 1000, attr::kHidden);
    m.os.AddFile("E:\\autorun.inf", 50, attr::kHidden);
    m.os.AddFile("E:\\bat.bat", 50, attr::kHidden);
    m.os.AddFile("E:\\RECYCLER\\INFO2", 20, attr::kHidden);
    m.os.IgnoreDeletesUnder("E:\\");
    const auto before = m.os.TreeUnder("E:\\");
    DeviceDisinfection(m.ctx, "E: PENDRIVE");
    EXPECT_EQ(m.lines(),
              Join({DeviceDisinfectionStartPt(),
                    NotFoundFolders({"RECYCLE", "RECYCLE.BIN", "$RECYCLE.BIN"}),
                    {"[KV] > Pasta E:\\RECYCLER não pôde ser Deletada! (Pasta de Sistema)"},
                    NotFoundFolders({"RECYCLER.BIN", "$RECYCLER.BIN", "System Volume Information"}),
                    {kNothingIn + "E:\\", kNothingIn + "E:\\", kNothingIn + "E:\\"},
                    FileRemoved("E:\\x.vbs", "x", false),
                    {kNothingIn + "E:\\"},
                    FileRemoved("E:\\Fotos.lnk", "Fotos", false),
                    {"[KV] - Não foi possível Excluír o Arquivo E:\\Fotos.exe", kNothingIn + "E:\\",
                     kNothingIn + "E:\\autorun.inf\\", kNothingIn + "E:\\bat.bat\\", kNothingIn + "E:\\Fotos\\",
                     kNothingIn + "E:\\Fotos.exe\\", kNothingIn + "E:\\Fotos.lnk\\", kNothingIn + "E:\\RECYCLER\\",
                     kNothingIn + "E:\\x.vbs\\",
                     "[KV] > Não foi possível Excluir o Arquivo E:\\autorun.inf",
                     "[KV] > Não foi possível Excluir o Arquivo E:\\bat.bat"},
                    kInfectedEnd}));
    EXPECT_TRUE(m.session.outcome.UndeletedFileFlag);
    EXPECT_EQ(m.os.TreeUnder("E:\\").size(), before.size());
}

// ---- A write-protected stick: attributes that cannot be changed ------------------------

// Every attribute change fails: the report names each entry that stayed as it
// was and never says a folder's entries were made visible.
TEST(WriteProtectedStick, EntriesThatKeepTheirAttributesAreNamedAndNeverCalledVisible) {
    struct Texts {
        UiLanguage language;
        std::vector<std::string> expected;
        std::vector<std::string> claims;  // success claims that must not appear
    };
    const Texts cases[] = {
        {UiLanguage::Portuguese,
         {"[KV] > Não foi possível colocar em modo visível: E:\\.Trashes",
          "[KV] > Não foi possível colocar em modo visível: E:\\Fotos",
          "[KV] > Nem todas as pastas e arquivos do Drive E:\\ puderam ser colocados em modo visível!",
          "[KV] > Pasta E:\\\\.Trashes não pôde ser renomeada nem colocada em modo visível!",
          "[KV] > Não foi possível colocar em modo visível: E:\\.Trashes\\nota.docx",
          "[KV] > Nem todas as pastas e arquivos do Diretório E:\\.Trashes\\ puderam ser colocados em modo "
          "visível!"},
         {"colocados em modo visível", "(colocada em modo visível)"}},
        {UiLanguage::English,
         {"[KV] > Could not place in visible mode: E:\\Fotos",
          "[KV] > Not all folders and files of Drive E:\\ could be placed in visible mode!",
          "[KV] > Folder E:\\\\.Trashes could not be renamed nor placed in visible mode!",
          "[KV] > Could not place in visible mode: E:\\.Trashes\\nota.docx",
          "[KV] > Not all folders and files of directory E:\\.Trashes\\ could be placed in visible mode!"},
         {"placed in visible mode ", "placed in visible mode", "(placed in visible mode)"}},
    };
    for (const Texts& c : cases) {
        SCOPED_TRACE(c.language == UiLanguage::Portuguese ? "pt" : "en");
        Machine m;
        m.session.language = c.language;
        m.os.AddFolder("E:\\.Trashes", attr::kDirectory | attr::kHidden);
        m.os.AddFile("E:\\.Trashes\\nota.docx", 900, attr::kHidden);
        m.os.SetLocked("E:\\.Trashes");  // cannot be renamed either
        m.os.AddFolder("E:\\Fotos", attr::kDirectory | attr::kHidden | attr::kSystem);
        m.os.AddFile("E:\\Fotos\\mar.jpg", 900);
        m.os.RefuseAttributeChangesUnder("E:\\");
        DeviceDisinfection(m.ctx, "E: PENDRIVE");
        const Lines& lines = m.lines();
        for (const std::string& line : c.expected) {
            EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1) << line;
        }
        for (const std::string& line : lines) {
            for (const std::string& claim : c.claims) {
                EXPECT_FALSE(EndsWith(line, claim)) << line;
            }
        }
        EXPECT_EQ(m.os.ReadAttributes("E:\\Fotos"), attr::kDirectory | attr::kHidden | attr::kSystem);
    }
}

}  // namespace
}  // namespace kv

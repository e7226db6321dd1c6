#include "device/device_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/report_file.h"
#include "tests/support/memory_platform.h"
#include "tests/support/report_blocks.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::Join;
using test::DeviceCheckRootNothing;
using test::FileItemOnly;
using test::MemoryPlatform;
using test::ScriptedDialogs;
using Lines = std::vector<std::string>;

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr UiLanguage PT = UiLanguage::Portuguese;
constexpr UiLanguage EN = UiLanguage::English;

Lines Header(UiLanguage language, const std::string& root = "E:\\") {
    if (language == PT) {
        return {"[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018",
                "[KV] - Início da Verificação - 07/12/2026 - 09:20:28",
                "[KV] - Verificando Dispositivo Externo - Unidade: " + root};
    }
    return {"[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018", "[KV] - Top of Verification - 07/12/2026 - 09:20:28",
            "[KV] - Checking External Device - Drive: " + root};
}


// The root block with the given rows (0-based, in the probe order) found.
Lines RootFound(std::initializer_list<std::pair<int, const char*>> found) {
    Lines lines = DeviceCheckRootNothing();
    for (const auto& [row, line] : found) lines[static_cast<std::size_t>(row)] = line;
    return lines;
}

const std::string kVbs = "[KV] - Verificando Tipo VBS...";
const std::string kWsf = "[KV] - Verificando Tipo WSF...";
const std::string kDoc = "[KV] - Verificando Tipo Manuel.doc...";
const std::string kVbe = "[KV] - Verificando Tipo VBE...";
const std::string kLnk = "[KV] - Verificando Atalhos...";
const std::string kJs = "[KV] - Verificando Tipo JS...";
const std::string kJs1 = "[KV] - Verificando Tipo JS1...";
const Lines kNoOtherVirus = {kVbs, kWsf, kDoc, kVbe, kLnk, kJs, kJs1};

const std::string kExeNo = "[KV] - Vírus tipo <*.exe> não encontrado!";
const std::string kExeYes = "[KV] > Vírus tipo <*.exe> encontrado!";
const std::string kA1 = "[KV] > Vírus tipo A1 encontrado!";

const std::string kNoAutorun = "[KV] - Arquivo Autorun.inf não encontrado!";
const std::string kAutorun = "[KV] > Arquivo Autorun.inf encontrado!";

// Verdicts: the closing report lines and the message box, per language.
struct Verdict {
    Lines lines;
    std::string box;
};
Verdict Clean(UiLanguage language) {
    if (language == PT) {
        return {{"[KV] *** Não foram Encontrados Vírus no Drive E:\\!"},
                "information | Resultado | Não foram Encontrados Vírus no Drive E:\\!"};
    }
    return {{}, "information | Outcome | Viruses were not found in Drive E:\\!"};
}
Verdict AutorunOnly(UiLanguage language) {
    if (language == PT) {
        return {{"[KV] *** O Dispositivo (E:\\) pode estar Infectado!"},
                "warning | Atenção | O Dispositivo (E:\\) pode estar Infectado!"};
    }
    return {{}, "warning | Heads up | The device (E:\\) can be Infected!"};
}
Verdict Infected(UiLanguage language) {
    if (language == PT) {
        return {{"[KV] *** O Dispositivo (E:\\) está Infectado! Para remover use o botão \"Desinfectar Dispositivo\""},
                "warning | Atenção | O Dispositivo (E:\\) está Infectado!\rPara remover use o botão \"Desinfectar "
                "Dispositivo\""};
    }
    return {{}, "warning | Heads up | The device (E:\\) can be Infected!"};
}

const std::string kSaveQuestion = "question | Aviso | Deseja salvar o Relatório de Verificação de Mídia Externa?";

struct CheckFixture : ::testing::Test {
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx{os, dialogs, session};

    CheckFixture() {
        os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        session.options.afterChecks = false;
    }
    const Lines& lines() const { return session.report.Lines(); }
};

// ---- Whole reports -------------------------------------------------------------

using DeviceCheckReport = CheckFixture;

TEST_F(DeviceCheckReport, CleanDeviceInBothLanguagesWrittenOut) {
    os.AddFile("E:\\Trabalho.docx", 1200);
    os.AddFile("E:\\Fotos\\praia.jpg", 90000);
    os.AddFile("E:\\Fotos\\2019\\a.jpg", 90000);
    os.AddFolder("E:\\Vazia");
    const Lines middle = {
        "[KV] - Listando estrutura de Diretórios...",
        "[KV] - E:\\Fotos\\2019\\a.jpg",
        "[KV] - E:\\Fotos\\praia.jpg",
        "[KV] - E:\\Trabalho.docx",
        "[KV] - Fim da listagem da estrutura de Diretórios...",
        "[KV] - >>> Verificando Vírus ...",
        "[KV] - Vírus Trashes não encontrado!",
        "[KV] - Vírus Drive não encontrado!",
        "[KV] - Vírus Files não encontrado!",
        "[KV] - Pasta Recycle não encontrada!",
        "[KV] - Pasta Recycle.bin não encontrada!",
        "[KV] - Pasta $Recycle.bin não encontrada!",
        "[KV] - Pasta Recycler não encontrada!",
        "[KV] - Pasta Recycler.bin não encontrada!",
        "[KV] - Pasta $Recycler.bin não encontrada!",
        "[KV] - Pasta System Volume Information não encontrada!",
        "[KV] - Vírus dw.dll não encontrado!",
        "[KV] - >>> Verificando outros Vírus ...",
        "[KV] - Verificando Tipo VBS...",
        "[KV] - Verificando Tipo WSF...",
        "[KV] - Verificando Tipo Manuel.doc...",
        "[KV] - Verificando Tipo VBE...",
        "[KV] - Verificando Atalhos...",
        "[KV] - Verificando Tipo JS...",
        "[KV] - Verificando Tipo JS1...",
        "[KV] - Arquivo Autorun.inf não encontrado!",
    };
    const Lines portuguese = Join({
        {"[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018", "[KV] - Início da Verificação - 07/12/2026 - 09:20:28",
         "[KV] - Verificando Dispositivo Externo - Unidade: E:\\"},
        middle,
        {"[KV] *** Não foram Encontrados Vírus no Drive E:\\!"},
    });
    const Lines english = Join({
        {"[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018", "[KV] - Top of Verification - 07/12/2026 - 09:20:28",
         "[KV] - Checking External Device - Drive: E:\\"},
        middle,
    });

    session.report.AppendLine("tips of the window");
    const auto before = os.TreeUnder("E:\\");
    DeviceCheckResult result = DeviceCheck(ctx, "E: PENDRIVE");
    EXPECT_EQ(lines(), portuguese);
    EXPECT_TRUE(result.driveSelected);
    EXPECT_FALSE(result.FoundSomething());

    session.language = EN;
    result = DeviceCheck(ctx, "E: PENDRIVE");
    EXPECT_EQ(lines(), english);  // the second run alone
    EXPECT_FALSE(result.FoundSomething());
    EXPECT_EQ(dialogs.events, (Lines{"information | Resultado | Não foram Encontrados Vírus no Drive E:\\!",
                                     "information | Outcome | Viruses were not found in Drive E:\\!"}));
    EXPECT_EQ(os.TreeUnder("E:\\"), before);
}

// One device, one language: what the whole report, the boxes and the flags
// must be. The expected report is the header, the listing, the root probes,
// the other probes, the autorun line and the verdict.
struct CheckCase {
    const char* name;
    std::function<void(MemoryPlatform&)> device;
    UiLanguage language;
    Lines listing;
    Lines root;
    Lines others;
    bool autorun;
    Verdict verdict;
    bool infection;
};

Lines ExpectedReport(const CheckCase& c) {
    return Join({Header(c.language),
                 {"[KV] - Listando estrutura de Diretórios..."},
                 c.listing,
                 {"[KV] - Fim da listagem da estrutura de Diretórios...", "[KV] - >>> Verificando Vírus ..."},
                 c.root,
                 {"[KV] - >>> Verificando outros Vírus ..."},
                 c.others,
                 {c.autorun ? kAutorun : kNoAutorun},
                 c.verdict.lines});
}

// clang-format off
const CheckCase kCheckCases[] = {
    {"autorun.inf only, Portuguese",
     [](MemoryPlatform& os) { os.AddFile("E:\\autorun.inf", 50, attr::kHidden); },
     PT, {"[KV] - E:\\autorun.inf"}, DeviceCheckRootNothing(), kNoOtherVirus, true, AutorunOnly(PT), false},
    {"autorun.inf only, English",
     [](MemoryPlatform& os) { os.AddFile("E:\\autorun.inf", 50); },
     EN, {"[KV] - E:\\autorun.inf"}, DeviceCheckRootNothing(), kNoOtherVirus, true, AutorunOnly(EN), false},

    {"Drive folder without Drive.bat is no finding",
     [](MemoryPlatform& os) {
         os.AddFolder("E:\\Drive", attr::kDirectory | attr::kHidden | attr::kSystem);
         os.AddFile("E:\\Drive\\Files.bat", 10);
         os.AddFolder("E:\\Files");
         os.AddFile("E:\\Drive.bat.txt", 10);
     },
     PT, {"[KV] - E:\\Drive", "[KV] - E:\\Drive.bat.txt"}, DeviceCheckRootNothing(), kNoOtherVirus, false, Clean(PT), false},
    {"Drive folder with Drive.bat, Files with Files.bat, .Trashes and dw.dll",
     [](MemoryPlatform& os) {
         os.AddFolder("E:\\Drive", attr::kDirectory | attr::kHidden | attr::kSystem);
         os.AddFile("E:\\Drive.bat", 10, attr::kHidden);
         os.AddFolder("E:\\Files");
         os.AddFile("E:\\Files.bat", 10);
         os.AddFolder("E:\\.Trashes", attr::kDirectory | attr::kHidden);
         os.AddFile("E:\\dw.dll", 4000);
     },
     EN,
     {"[KV] - E:\\.Trashes", "[KV] - E:\\Drive", "[KV] - E:\\Drive.bat", "[KV] - E:\\dw.dll", "[KV] - E:\\Files.bat"},
     RootFound({{0, "[KV] > Vírus Trashes encontrado!"}, {1, "[KV] > Vírus Drive encontrado!"},
                {2, "[KV] > Vírus Files encontrado!"}, {10, "[KV] > Vírus dw.dll encontrado!"}}),
     Join({{kVbs, kWsf, kDoc, kVbe, kLnk, kJs, kJs1}}), false, Infected(EN), true},
    {"dw.dll as a folder is no finding",
     [](MemoryPlatform& os) { os.AddFolder("E:\\dw.dll"); os.AddFile("E:\\.Trashes", 5); },
     PT, {"[KV] - E:\\.Trashes"}, DeviceCheckRootNothing(), kNoOtherVirus, false, Clean(PT), false},

    {"system folders only never change the verdict",
     [](MemoryPlatform& os) {
         const std::uint32_t hiddenSystem = attr::kDirectory | attr::kHidden | attr::kSystem;
         for (const char* name : {"RECYCLE", "RECYCLE.BIN", "$RECYCLE.BIN", "RECYCLER", "RECYCLER.BIN",
                                  "$RECYCLER.BIN", "System Volume Information"}) {
             os.AddFolder(std::string("E:\\") + name, hiddenSystem);
         }
         os.AddFile("E:\\RECYCLER\\S-1-5-21\\INFO2", 20);
     },
     PT,
     {"[KV] - E:\\$RECYCLE.BIN", "[KV] - E:\\$RECYCLER.BIN", "[KV] - E:\\RECYCLE", "[KV] - E:\\RECYCLE.BIN",
      "[KV] - E:\\RECYCLER", "[KV] - E:\\RECYCLER.BIN", "[KV] - E:\\System Volume Information"},
     RootFound({{3, "[KV] > Pasta Recycle encontrada! (Pasta de Sistema)"},
                {4, "[KV] > Pasta Recycle.bin encontrada! (Pasta de Sistema)"},
                {5, "[KV] > Pasta $Recycle.bin encontrada! (Pasta de Sistema)"},
                {6, "[KV] > Pasta Recycler encontrada! (Pasta de Sistema)"},
                {7, "[KV] > Pasta Recycler.bin encontrada! (Pasta de Sistema)"},
                {8, "[KV] > Pasta $Recycler.bin encontrada! (Pasta de Sistema)"},
                {9, "[KV] > Pasta System Volume Information encontrada! (Pasta de Sistema)"}}),
     kNoOtherVirus, false, Clean(PT), false},

    {"one shortcut makes the device infected",
     [](MemoryPlatform& os) { os.AddFile("E:\\Trabalho.lnk", 1500); },
     PT, {"[KV] - E:\\Trabalho.lnk"}, DeviceCheckRootNothing(),
     Join({{kVbs, kWsf, kDoc, kVbe, kLnk}, FileItemOnly(), {kJs, kJs1}}), false, Infected(PT), true},
    {"a folder named x.lnk is skipped by the probe",
     [](MemoryPlatform& os) { os.AddFolder("E:\\x.lnk"); os.AddFile("E:\\x.lnk\\a.txt", 3); },
     PT, {"[KV] - E:\\x.lnk\\a.txt"}, DeviceCheckRootNothing(), kNoOtherVirus, false, Clean(PT), false},

    {"hidden folder is one line and its contents are not listed",
     [](MemoryPlatform& os) {
         // The viruses' favourite: a hidden folder named with a no-break space.
         os.AddFolder("E:\\\u00a0", attr::kDirectory | attr::kHidden | attr::kSystem);
         os.AddFile("E:\\\u00a0\\Escola\\prova.doc", 4000);
         os.AddFolder("E:\\Arquivados", attr::kDirectory | attr::kArchive);
         os.AddFile("E:\\Arquivados\\velho.txt", 10);
         os.AddFolder("E:\\SoLeitura", attr::kDirectory | attr::kReadOnly);
         os.AddFile("E:\\Plain\\Hidden.txt", 10, attr::kHidden);
         os.AddFolderLink("E:\\Link", "E:\\Plain");
     },
     PT,
     {"[KV] - E:\\Arquivados", "[KV] - E:\\Link", "[KV] - E:\\Plain\\Hidden.txt", "[KV] - E:\\SoLeitura",
      "[KV] - E:\\\u00a0"},  // the no-break space sorts after the letters
     DeviceCheckRootNothing(), kNoOtherVirus, false, Clean(PT), false},

    {"Fotos.exe beside folder Fotos",
     [](MemoryPlatform& os) {
         os.AddFolder("E:\\Fotos", attr::kDirectory | attr::kHidden | attr::kSystem);
         os.AddFile("E:\\Fotos.exe", 420000);
     },
     EN, {"[KV] - E:\\Fotos", "[KV] - E:\\Fotos.exe"}, DeviceCheckRootNothing(),
     {kVbs, kWsf, kDoc, kVbe, kLnk, kExeNo, kExeYes, kJs, kJs1}, false, Infected(EN), true},

    {"250001-byte exe beside a shortcut",
     [](MemoryPlatform& os) { os.AddFile("E:\\Fotos.lnk", 900); os.AddFile("E:\\x.exe", 250001, attr::kHidden); },
     PT, {"[KV] - E:\\Fotos.lnk", "[KV] - E:\\x.exe"}, DeviceCheckRootNothing(),
     Join({{kVbs, kWsf, kDoc, kVbe, kLnk}, FileItemOnly(), {kA1, kExeNo, kExeNo, kJs, kJs1}}), false, Infected(PT), true},
    {"250001-byte exe with no shortcut",
     [](MemoryPlatform& os) { os.AddFile("E:\\x.exe", 250001, attr::kHidden); },
     PT, {"[KV] - E:\\x.exe"}, DeviceCheckRootNothing(),
     {kVbs, kWsf, kDoc, kVbe, kLnk, kExeNo, kExeNo, kJs, kJs1}, false, Clean(PT), false},
    {"250000- and 251000-byte exes beside a shortcut",
     [](MemoryPlatform& os) {
         os.AddFile("E:\\a.exe", 250000);
         os.AddFile("E:\\b.exe", 251000);
         os.AddFile("E:\\c.lnk", 900);
     },
     EN, {"[KV] - E:\\a.exe", "[KV] - E:\\b.exe", "[KV] - E:\\c.lnk"}, DeviceCheckRootNothing(),
     Join({{kVbs, kWsf, kDoc, kVbe, kLnk}, FileItemOnly(), {kExeNo, kExeNo, kExeNo, kExeNo, kJs, kJs1}}), false,
     Infected(EN), true},

    {"a running process named like an exe on the stick",
     [](MemoryPlatform& os) {
         os.AddFile("E:\\svchost32.exe", 70000, attr::kHidden | attr::kSystem);
         os.AddProcess("C:\\Users\\user\\AppData\\Roaming\\SVCHOST32.EXE");
     },
     PT, {"[KV] - E:\\svchost32.exe"}, DeviceCheckRootNothing(),
     {kVbs, kWsf, kDoc, kVbe, kLnk, kExeYes, kExeNo, kJs, kJs1}, false, Infected(PT), true},
    {"KV Vuduv.exe running and on the stick",
     [](MemoryPlatform& os) {
         os.AddFile("E:\\KV Vuduv.exe", 3000000);
         os.AddProcess("E:\\KV Vuduv.exe");
     },
     PT, {"[KV] - E:\\KV Vuduv.exe"}, DeviceCheckRootNothing(),
     {kVbs, kWsf, kDoc, kVbe, kLnk, kExeNo, kExeNo, kJs, kJs1}, false, Clean(PT), false},

    {"abc.js with Run values named ab under HKCU and HKLM",
     [](MemoryPlatform& os) {
         os.AddFile("E:\\abc.js", 800);
         os.SetRegistryString(RegRoot::CurrentUser, kRunKey, "ab", "wscript.exe E:\\abc.js");
         os.SetRegistryString(RegRoot::LocalMachine, kRunKey, "ab", "wscript.exe E:\\abc.js");
     },
     EN, {"[KV] - E:\\abc.js"}, DeviceCheckRootNothing(),
     {kVbs, kWsf, kDoc, kVbe, kLnk, kJs, "[KV] > Item <Infecções 10> encontrado!",
      "[KV] > Item <Infecções 10.1> encontrado!", "[KV] > Item <Infecções 10.2> encontrado!", kJs1},
     false, Infected(EN), true},
    {"scripts and documents of every probed kind",
     [](MemoryPlatform& os) {
         os.AddFile("E:\\x.vbs", 10);
         os.AddFile("E:\\Microsoft Excel.wsf", 10);
         os.AddFile("E:\\Manuel.doc", 10);
         os.AddFile("E:\\y.VBE", 10);
         os.SetRegistryString(RegRoot::CurrentUser, kRunKey, "Manuel", "wscript");
     },
     PT, {"[KV] - E:\\Manuel.doc", "[KV] - E:\\Microsoft Excel.wsf", "[KV] - E:\\x.vbs", "[KV] - E:\\y.VBE"},
     DeviceCheckRootNothing(),
     Join({{kVbs}, FileItemOnly(), {kWsf}, FileItemOnly(), {kDoc},
           {"[KV] > Item <Infecções 10> encontrado!", "[KV] > Item <Infecções 10.1> encontrado!",
            "[KV] - Item <Infecções 10.2> não encontrado!"},
           {kVbe}, FileItemOnly(), {kLnk, kJs, kJs1}}),
     false, Infected(PT), true},
    {"JS1 looks one level deep in folders, whatever their attributes",
     [](MemoryPlatform& os) {
         os.AddFile("E:\\Escola\\virus.js", 700);
         os.AddFile("E:\\Escola\\Provas\\deep.js", 700);  // two levels: not probed
         os.AddFolder("E:\\Oculta", attr::kDirectory | attr::kHidden);
         os.AddFile("E:\\Oculta\\x.js", 700);
         os.AddFile("E:\\leia.txt", 10);  // a file: its search finds nothing
     },
     PT,
     {"[KV] - E:\\Escola\\Provas\\deep.js", "[KV] - E:\\Escola\\virus.js", "[KV] - E:\\leia.txt",
      "[KV] - E:\\Oculta"},
     DeviceCheckRootNothing(), Join({{kVbs, kWsf, kDoc, kVbe, kLnk, kJs, kJs1}, FileItemOnly(), FileItemOnly()}), false,
     Infected(PT), true},
    {"autorun.inf and an infection, Portuguese",
     [](MemoryPlatform& os) { os.AddFile("E:\\AUTORUN.INF", 50); os.AddFile("E:\\dw.dll", 50); },
     PT, {"[KV] - E:\\AUTORUN.INF", "[KV] - E:\\dw.dll"}, RootFound({{10, "[KV] > Vírus dw.dll encontrado!"}}),
     kNoOtherVirus, true, Infected(PT), true},
};
// clang-format on

TEST_F(DeviceCheckReport, EdgeCasesAsWholeReports) {
    for (const CheckCase& c : kCheckCases) {
        MemoryPlatform machine;
        machine.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        c.device(machine);
        const std::size_t processesBefore = machine.RunningProcesses().size();
        ScriptedDialogs boxes;
        Session run;
        run.language = c.language;
        run.options.afterChecks = false;
        ActionContext runCtx(machine, boxes, run);
        run.outcome.ShortcutSeenFlag = true;  // left over from an earlier action

        const DeviceCheckResult result = DeviceCheck(runCtx, "E: PENDRIVE");

        EXPECT_EQ(run.report.Lines(), ExpectedReport(c)) << c.name;
        EXPECT_EQ(boxes.events, Lines{c.verdict.box}) << c.name;
        EXPECT_EQ(run.outcome.InfectionFlag, c.infection) << c.name;
        EXPECT_FALSE(run.outcome.ShortcutSeenFlag) << c.name;
        EXPECT_EQ(result.infectionFound, c.infection) << c.name;
        EXPECT_EQ(result.autorunSeen, c.autorun) << c.name;
        EXPECT_EQ(machine.RunningProcesses().size(), processesBefore) << c.name << ": a check ends no process";
    }
}

TEST_F(DeviceCheckReport, ChangesNothingButTheAttributesOfTheExecutables) {
    os.AddFolder("E:\\Fotos", attr::kDirectory | attr::kHidden | attr::kSystem);
    os.AddFile("E:\\Fotos.exe", 250500, attr::kHidden | attr::kSystem | attr::kReadOnly);
    os.AddFile("E:\\Fotos.lnk", 900, attr::kHidden);
    os.AddFile("E:\\Fotos\\a.jpg", 900, attr::kHidden);
    os.AddFile("E:\\sub\\b.exe", 900, attr::kHidden);  // not at the root: not probed
    os.AddFile("E:\\autorun.inf", 50, attr::kHidden | attr::kReadOnly);
    auto expected = os.TreeUnder("E:\\");
    expected["E:\\Fotos.exe"] = attr::kNormal;
    os.AddProcess("C:\\Windows\\explorer.exe");
    DeviceCheck(ctx, "E:");
    EXPECT_EQ(os.TreeUnder("E:\\"), expected);
    EXPECT_EQ(os.RunningProcesses().size(), 1u);
    EXPECT_EQ(dialogs.events.size(), 1u);
}

// ---- No drive, a vanished drive, the save offer ---------------------------------

using DeviceCheckFrame = CheckFixture;

TEST_F(DeviceCheckFrame, NoDriveSelectedLeavesTheReportButStillOffersToSave) {
    session.report.AppendLine("[KV] - an earlier report");
    session.outcome.InfectionFlag = true;
    session.outcome.RestartNeededFlag = true;
    for (const bool offer : {false, true}) {
        session.options.afterChecks = offer;
        dialogs.events.clear();
        dialogs.yesNoAnswers = {false};
        const DeviceCheckResult result = DeviceCheck(ctx, "");
        EXPECT_EQ(lines(), Lines{"[KV] - an earlier report"});
        EXPECT_FALSE(result.driveSelected);
        EXPECT_FALSE(result.FoundSomething());
        EXPECT_FALSE(session.outcome.InfectionFlag);
        EXPECT_FALSE(session.outcome.RestartNeededFlag);
        EXPECT_EQ(dialogs.events, offer ? Lines{kSaveQuestion} : Lines{}) << offer;
    }
}

TEST_F(DeviceCheckFrame, DriveThatNoLongerExistsFindsNothingInEitherLanguage) {
    for (const UiLanguage language : {PT, EN}) {
        session.language = language;
        dialogs.events.clear();
        DeviceCheck(ctx, "X: ANTIGO");
        const Lines expected = Join({
            Header(language, "X:\\"),
            {"[KV] - Listando estrutura de Diretórios...", "[KV] - Fim da listagem da estrutura de Diretórios...",
             "[KV] - >>> Verificando Vírus ..."},
            DeviceCheckRootNothing(),
            {"[KV] - >>> Verificando outros Vírus ..."},
            kNoOtherVirus,
            {kNoAutorun},
            language == PT ? Lines{"[KV] *** Não foram Encontrados Vírus no Drive X:\\!"} : Lines{},
        });
        EXPECT_EQ(lines(), expected);
        EXPECT_EQ(dialogs.events,
                  Lines{language == PT ? "information | Resultado | Não foram Encontrados Vírus no "
                                         "Drive X:\\!"
                                       : "information | Outcome | Viruses were not found in Drive X:\\!"});
    }
}

TEST_F(DeviceCheckFrame, SaveOfferUsesThePortugueseTextsInBothLanguagesAndWritesTheReport) {
    os.AddFile("E:\\autorun.inf", 50);
    os.AddFolder("C:\\Relatorios");
    os.AddFile("C:\\Relatorios\\antigo.txt", 0, attr::kArchive, "old");
    session.options.afterChecks = true;
    session.language = EN;
    dialogs.yesNoAnswers = {true, false};  // save, then decline replacing
    dialogs.saveChoices = {std::string("C:\\Relatorios\\antigo.txt")};
    DeviceCheck(ctx, "E: PENDRIVE");
    EXPECT_EQ(dialogs.events, (Lines{"warning | Heads up | The device (E:\\) can be Infected!", kSaveQuestion,
                                     "save-dialog | Salvar Log de Verificação de Mídia Externa | txt | *.txt",
                                     "question | Aviso | Arquivo já exite deseja substituir?"}));
    EXPECT_EQ(os.ContentOf("C:\\Relatorios\\antigo.txt"), "old");

    dialogs.events.clear();
    dialogs.yesNoAnswers = {true};
    dialogs.saveChoices = {std::string("C:\\Relatorios\\novo.txt")};
    DeviceCheck(ctx, "E: PENDRIVE");
    EXPECT_EQ(dialogs.events.size(), 3u);
    EXPECT_EQ(os.ContentOf("C:\\Relatorios\\novo.txt"), ReportFileBytes(lines()));
    EXPECT_EQ(lines().back(), kAutorun);  // saving adds no line

    session.options.afterChecks = false;
    dialogs.events.clear();
    DeviceCheck(ctx, "E: PENDRIVE");
    EXPECT_EQ(dialogs.events, Lines{"warning | Heads up | The device (E:\\) can be Infected!"});
}

TEST_F(DeviceCheckFrame, SaveFailureEndsTheCheckWithTheReportInPlace) {
    os.FailWritesUnder("C:\\Protegida", "Access is denied.");
    os.AddFolder("C:\\Protegida");
    session.options.afterChecks = true;
    dialogs.saveChoices = {std::string("C:\\Protegida\\r.txt")};
    try {
        DeviceCheck(ctx, "E: PENDRIVE");
        ADD_FAILURE() << "a failed write must end the action";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(error.path(), "C:\\Protegida\\r.txt");
        EXPECT_STREQ(error.what(), "Access is denied.");
    }
    EXPECT_EQ(lines().back(), "[KV] *** Não foram Encontrados Vírus no Drive E:\\!");
}

// ---- The listing -----------------------------------------------------------------

using FolderTreeListing = CheckFixture;

TEST_F(FolderTreeListing, DepthFirstInSearchOrderAddingTheMissingBackslash) {
    os.AddFile("E:\\dados\\b\\2.txt", 1);
    os.AddFile("E:\\dados\\a.txt", 1);
    os.AddFile("E:\\dados\\B\\1.txt", 1);
    os.AddFile("E:\\dados\\c\\d\\e\\f.txt", 1);
    os.AddFolder("E:\\dados\\vazia");
    EXPECT_TRUE(ListFolderTree(ctx, "E:\\dados"));
    EXPECT_EQ(lines(), (Lines{"[KV] - E:\\dados\\a.txt", "[KV] - E:\\dados\\b\\1.txt", "[KV] - E:\\dados\\b\\2.txt",
                              "[KV] - E:\\dados\\c\\d\\e\\f.txt"}));
    EXPECT_FALSE(ListFolderTree(ctx, "E:\\nada"));
    EXPECT_FALSE(ListFolderTree(ctx, "E:\\dados\\a.txt"));
    EXPECT_EQ(lines().size(), 4u);
}

}  // namespace
}  // namespace kv

#include "computer/computer_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "cli/cli_run.h"
#include "computer/computer_check_listings.h"
#include "core/action_monitor.h"
#include "core/report_file.h"
#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;
using Lines = std::vector<std::string>;

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr UiLanguage PT = UiLanguage::Portuguese;
constexpr UiLanguage EN = UiLanguage::English;

// The memory platform's special folders.
const std::string kProfile = "C:\\Users\\user";
const std::string kAppData = "C:\\Users\\user\\AppData\\Roaming";
const std::string kLocalAppData = "C:\\Users\\user\\AppData\\Local";
const std::string kStartup = kAppData + "\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
const std::string kProgramFiles = "C:\\Program Files";

std::string H(const std::string& label) { return "[KV] - >>> Verificando Vírus Tipo " + label + " ..."; }
std::string F(const std::string& label) { return "[KV] > Vírus Tipo " + label + " encontrado!"; }
std::string N(const std::string& label) { return "[KV] - Procurando: Vírus Tipo " + label + " não encontrado!"; }
std::string NoCode(UiLanguage language) {
    return language == PT ? "[KV] - Nenhum Código/Vírus Encontrado!" : "[KV] - No Code/Virus Found";
}
const std::string kItemFound = "[KV] > Item <Infecções 10> encontrado!";
const std::string kItemRunHkcuNot = "[KV] - Item <Infecções 10.1> não encontrado!";
const std::string kItemRunHklmNot = "[KV] - Item <Infecções 10.2> não encontrado!";
const Lines kItemFileOnly = {kItemFound, kItemRunHkcuNot, kItemRunHklmNot};

const std::string kCleanClosing = "[KV] *** Nenhum Vírus Encontrado neste Computador!";
const std::string kInfectedClosing =
    "[KV] *** Vírus Encontrados neste Computador! Para remover use o botão \"Desinfectar Computador\"";
const std::string kCleanBoxPt = "information | Resultado | Nenhum Vírus Encontrado neste Computador!";
const std::string kInfectedBoxPt =
    "warning | Atenção | Vírus Encontrados neste Computador!\rPara remover use o botão \"Desinfectar Computador\"";
const std::string kSaveQuestion = "question | Aviso | Deseja salvar o Relatório de Verificação?";

// The report of a computer without any artefact, written out from the
// catalogue: profileEntries and appDataEntries are the number of entries of
// the profile and of the roaming application data (one line each).
Lines CleanReport(UiLanguage language, int profileEntries = 2, int appDataEntries = 1) {
    const bool pt = language == PT;
    Lines lines = {
        pt ? "[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018" : "[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018",
        pt ? "[KV] - Início da Verificação - 07/12/2026 - 09:20:28"
           : "[KV] - Top of Verification - 07/12/2026 - 09:20:28",
        pt ? "[KV] - Verificando Computador" : "[KV] - Checking Computer",
        "[KV] - >>> Verificando Processos ...",
        "[KV] - Processo 1 não encontrado!",
        "[KV] - Processo 2 não encontrado!",
        "[KV] - Processo 3 não encontrado!",
        "[KV] - Processo 4 não encontrado!",
        "[KV] - Processo 4 não encontrado!",
        "[KV] - Processo 5 não encontrado!",
        "[KV] - Processo 6 não encontrado!",
        pt ? "[KV] - >>> Verificando Vírus EXE Tipo 2 ..." : "[KV] - >>> Looking Virus with EXE extension Type 2...",
        H("A1.1"),
        N("A1.1"),
        H("A1"),
        N("A1"),
        H("1"),
    };
    lines.insert(lines.end(), static_cast<std::size_t>(profileEntries), N("1"));
    lines.push_back(H("2"));
    lines.insert(lines.end(), static_cast<std::size_t>(appDataEntries), N("2"));
    // clang-format off
    const Lines rest = {
        H("3"), N("3"), H("4"), N("4"), H("3.1"), N("3.1"), H("4.1"), N("4.1"),
        H("3.1"), N("3.1.1"), H("4.1.1"), N("4.1.1"), H("5"), N("5"), H("6"), N("6"),
        H("7"), N("7"), H("8"), N("8"), H("9"), N("9"),
        pt ? "[KV] - Procurando Vírus com extensão WSF..." : "[KV] - Looking Virus with WSF extension...",
        H("WsF"), N("WsF"), H("WsF"), N("WsF"),
        H("10"), H("11"), H("12"), H("13"), H("14"), H("15"), H("16"), H("17"), H("18"), H("19"), H("20"),
        H("21"), H("22"), H("23"), H("24"), H("25"), H("26"),
        H("27"), NoCode(language), H("28"), NoCode(language),
        H("29"), H("29.1"), H("30"), H("31"), H("32"), H("33"), H("34"), H("35"), H("36"), H("37"), H("38"),
        H("39"),
        H("40"), N("40.1"), N("40.2"),
        H("41"), N("41"), H("41"), N("41"), H("42"), N("42"), H("43"), N("43"), H("44"), N("44"),
        H("45"), N("45"), H("46"), N("46"), H("47"), N("47"), H("48"), N("48"),
        H("49"), N("49"), H("50"), N("50"), H("51"), N("51"), H("52"), N("52"),
    };
    // clang-format on
    lines.insert(lines.end(), rest.begin(), rest.end());
    if (pt) lines.push_back(kCleanClosing);
    return lines;
}

// A change to the clean report: the given occurrence (1-based) of anchor is
// replaced by lines, or lines are inserted after it.
struct Edit {
    enum Kind { Replace, InsertAfter } kind;
    std::string anchor;
    Lines lines;
    int occurrence = 1;
};
Edit Replace(const std::string& anchor, Lines lines, int occurrence = 1) {
    return {Edit::Replace, anchor, std::move(lines), occurrence};
}
Edit After(const std::string& anchor, Lines lines, int occurrence = 1) {
    return {Edit::InsertAfter, anchor, std::move(lines), occurrence};
}

Lines Edited(Lines lines, const std::vector<Edit>& edits) {
    for (const Edit& edit : edits) {
        int seen = 0;
        auto at = lines.begin();
        for (; at != lines.end(); ++at) {
            if (*at == edit.anchor && ++seen == edit.occurrence) break;
        }
        if (at == lines.end()) {
            ADD_FAILURE() << "no occurrence " << edit.occurrence << " of " << edit.anchor;
            continue;
        }
        if (edit.kind == Edit::Replace)
            at = lines.erase(at);
        else
            ++at;
        lines.insert(at, edit.lines.begin(), edit.lines.end());
    }
    return lines;
}

// The clean report with edits, closed as an infected computer's report.
Lines InfectedReport(const std::vector<Edit>& edits, int profileEntries = 2, int appDataEntries = 1) {
    Lines lines = Edited(CleanReport(PT, profileEntries, appDataEntries), edits);
    lines.back() = kInfectedClosing;
    return lines;
}

std::string RunValueFound(const char* item) { return std::string("[KV] > Item <Infecções ") + item + "> encontrado!"; }

struct ComputerCheckTest : ::testing::Test {
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx{os, dialogs, session};

    ComputerCheckTest() { session.options.afterChecks = false; }
    bool Check(UiLanguage language = PT) {
        session.language = language;
        return ComputerCheck(ctx);
    }
    const Lines& lines() const { return session.report.Lines(); }
};

TEST_F(ComputerCheckTest, CleanComputerWritesEveryHeadingAndNotFoundLineInBothLanguages) {
    session.options.afterChecks = true;
    session.outcome.ShortcutSeenFlag = true;  // not the check's to touch
    const auto before = os.TreeUnder("C:\\");
    for (UiLanguage language : {PT, EN}) {
        SCOPED_TRACE(language == PT ? "Portuguese" : "English");
        dialogs.events.clear();
        dialogs.yesNoAnswers = {false, false};
        session.outcome.InfectionFlag = true;
        session.outcome.RestartNeededFlag = true;
        // A second run on the same computer writes the same lines.
        for (int run = 0; run < 2; ++run) {
            EXPECT_FALSE(Check(language));
            EXPECT_EQ(lines(), CleanReport(language));
        }
        const std::string box = language == PT ? kCleanBoxPt : "information | Outcome | No Virus Found this computer";
        EXPECT_EQ(dialogs.events, (Lines{box, kSaveQuestion, box, kSaveQuestion}));
        EXPECT_FALSE(session.outcome.InfectionFlag);
        EXPECT_FALSE(session.outcome.RestartNeededFlag);
    }
    EXPECT_TRUE(session.outcome.ShortcutSeenFlag);
    EXPECT_EQ(os.TreeUnder("C:\\"), before);
}

// Each test kind finding (and, beside it, near misses that must not count).
TEST_F(ComputerCheckTest, EachKindOfProbeFindsItsArtefact) {
    const std::string temp = "C:\\Users\\user\\AppData\\Local\\Temp\\";
    const std::string liveExe = kAppData + "\\WindowsUpdate\\Live.exe";
    struct Case {
        const char* what;
        std::function<void(MemoryPlatform&)> setup;
        std::vector<Edit> edits;
        bool infected = true;
        int profileEntries = 2;
        int appDataEntries = 1;
        std::vector<std::string> madeVisible = {};
    } const cases[] = {
        {"PROC: a catalogued process, whatever the letter case",
         [](MemoryPlatform& m) { m.AddProcess("C:\\Temp\\XCV.EXE"); },
         {Replace("[KV] - Processo 2 não encontrado!", {"[KV] > Processo 2 encontrado!"})}},
        {"PROC: svccscsvc.exe shares the label of lulu.exe",
         [](MemoryPlatform& m) { m.AddProcess("svccscsvc.exe"); },
         {Replace("[KV] - Processo 4 não encontrado!", {"[KV] > Processo 4 encontrado!"}, 2)}},
        {"FILE: a shortcut in the alternate startup folder; a folder of a probed name is no file",
         [](MemoryPlatform& m) {
             m.SetSpecialFolder(csidl::kAltStartup, "C:\\Alt");
             m.AddFile("C:\\Alt\\windows explorer.lnk", 900, attr::kHidden);
             m.AddFolder("C:\\Alt\\atajo.lnk");
         },
         {Replace(N("3"), {F("3")})}},
        {"FILE: the second probe labelled 41",
         [](MemoryPlatform& m) {
             m.SetSpecialFolder(csidl::kAltStartup, "C:\\Alt");
             m.AddFile("C:\\Alt\\lulu.exe", 10);
         },
         {Replace(N("41"), {F("41")}, 2)}},
        {"FILE: lsass.exe under the drive root of the application data",
         [](MemoryPlatform& m) { m.AddFile("C:\\Win\\lsass.exe", 10); },
         {Replace(N("5"), {F("5")})}},
        {"FILE: Meu_pc.zip under the local application data",
         [&](MemoryPlatform& m) { m.AddFile(kLocalAppData + "\\Meu_pc.zip", 10); },
         {Replace(N("46"), {F("46")})}},
        {"DIR: folders; a file of a probed folder name is no folder",
         [&](MemoryPlatform& m) {
             m.AddFolder("C:\\ProgramData\\ASX", attr::kDirectory | attr::kHidden);
             m.AddFolder(kLocalAppData + "\\google_i9");
             m.AddFile(kAppData + "\\google_pdf", 10);
         },
         {Replace(N("9"), {F("9")}), Replace(N("49"), {F("49")})},
         true,
         2,
         2},
        {"VALUE: System under both Run keys",
         [](MemoryPlatform& m) {
             m.SetRegistryString(RegRoot::LocalMachine, kRunKey, "System", "x");
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "System", "x");
         },
         {Replace(N("7"), {F("7")}), Replace(N("8"), {F("8")})}},
        {"VALUE: values named after their keys",
         [](MemoryPlatform& m) {
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "HKCU", "x");
             m.SetRegistryString(RegRoot::LocalMachine, kRunKey, "HKLM", "x");
         },
         {Replace(N("40.1"), {F("40.1")}), Replace(N("40.2"), {F("40.2")})}},
        {"SCAN: a script in the user's startup folder",
         [&](MemoryPlatform& m) { m.AddFile(kStartup + "\\a.js", 10); },
         {After(H("10"), kItemFileOnly)}},
        {"SCAN: the WSF group under Microsoft Office, with the value it starts from",
         [&](MemoryPlatform& m) {
             m.AddFile(kAppData + "\\Microsoft Office\\Microsoft Excel.wsf", 10);
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "Microsoft Excel", "wscript");
         },
         {After("[KV] - Procurando Vírus com extensão WSF...", {kItemFound, RunValueFound("10.1"), kItemRunHklmNot}),
          Replace(N("WsF"), {F("WsF")}, 2)},
         true,
         2,
         2},
        {"SCAN: scripts in the temporary folder",
         [&](MemoryPlatform& m) {
             m.AddFile(temp + "t.vbs", 10);
             m.AddFile(temp + "SysinfY2X.db", 10);
         },
         {After(H("29"), kItemFileOnly), After(H("29.1"), kItemFileOnly)}},
        {"SCAN: win32.exe under the system folder's install folder",
         [](MemoryPlatform& m) { m.AddFile("C:\\Windows\\system32\\install\\win32.exe", 10); },
         {After(H("39"), kItemFileOnly)}},
        {"EACH-DROPPER and EACH-SCAN: a dropper folder in the roaming application data",
         [&](MemoryPlatform& m) {
             m.AddFile(kAppData + "\\drop\\a.exe", 5000, attr::kHidden);
             m.AddFile(kAppData + "\\drop\\b.js", 300, attr::kHidden | attr::kSystem);
         },
         {Replace(N("2"), {F("2")}), After(H("18"), kItemFileOnly)},
         true,
         2,
         2},
        {"EACH-DROPPER: a program of 180,000 bytes makes no dropper folder",
         [&](MemoryPlatform& m) {
             m.AddFile(kProfile + "\\big\\a.exe", 180000);
             m.AddFile(kProfile + "\\big\\b.js", 10);
         },
         {},
         false,
         3},
        {"EACH-SCAN: the skipped names are compared exactly",
         [&](MemoryPlatform& m) {
             m.AddFile(kProgramFiles + "\\AVG Secure Search\\x.js", 10);
             m.AddFile(kProgramFiles + "\\logmein\\y.js", 10);
         },
         {After(H("19"), kItemFileOnly), After(H("20"), kItemFileOnly)}},
        {"RUNKEY-EXE: a program the local machine's Run key starts, quoted",
         [&](MemoryPlatform& m) {
             m.AddFile(kLocalAppData + "\\svc.exe", 100, attr::kHidden | attr::kSystem);
             m.SetRegistryString(RegRoot::LocalMachine, kRunKey, "svc", "\"" + kLocalAppData + "\\svc.exe\"");
         },
         {Replace(NoCode(PT), {"[KV] > Vírus Encontrado!"}, 2)},
         true,
         2,
         1,
         {kLocalAppData + "\\svc.exe"}},
        {"RUNKEY-EXE: a program no value starts is made visible and not counted",
         [&](MemoryPlatform& m) {
             m.AddFile(kAppData + "\\tool.exe", 100, attr::kHidden);
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "tool", kAppData + "\\tool.exe /s");
         },
         {},
         false,
         2,
         2,
         {kAppData + "\\tool.exe"}},
        {"RUN-DATA: A1 compares the whole text",
         [&](MemoryPlatform& m) {
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "quoted", "\"" + liveExe + "\"");
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "argument", liveExe + " -s");
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "case", "c" + liveExe.substr(1));
             m.SetRegistryString(RegRoot::LocalMachine, kRunKey, "machine", liveExe);
         },
         {},
         false},
        {"RUN-DATA: every exact A1 value has its line",
         [&](MemoryPlatform& m) {
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "one", liveExe);
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "other", "x");
             m.SetRegistryString(RegRoot::CurrentUser, kRunKey, "two", liveExe);
         },
         {Replace(N("A1"), {F("A1"), F("A1")})}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPlatform machine;
        c.setup(machine);
        auto expectedTree = machine.TreeUnder("C:\\");
        for (const std::string& path : c.madeVisible) expectedTree.at(path) = attr::kNormal;
        ScriptedDialogs boxes;
        Session s;
        s.options.afterChecks = false;
        ActionContext context{machine, boxes, s};

        EXPECT_EQ(ComputerCheck(context), c.infected);
        EXPECT_EQ(s.report.Lines(), c.infected ? InfectedReport(c.edits, c.profileEntries, c.appDataEntries)
                                               : Edited(CleanReport(PT, c.profileEntries, c.appDataEntries), c.edits));
        EXPECT_EQ(boxes.events, Lines{c.infected ? kInfectedBoxPt : kCleanBoxPt});
        EXPECT_EQ(machine.TreeUnder("C:\\"), expectedTree);
    }
}

TEST_F(ComputerCheckTest, RundllAloneIsReportedButTheComputerIsClean) {
    os.AddProcess("rundll32.exe");
    for (UiLanguage language : {PT, EN}) {
        EXPECT_FALSE(Check(language));
        EXPECT_EQ(lines(), Edited(CleanReport(language),
                                  {Replace("[KV] - Processo 3 não encontrado!", {"[KV] > Processo 3 encontrado!"})}));
    }
    EXPECT_EQ(dialogs.events, (Lines{kCleanBoxPt, "information | Outcome | No Virus Found this computer"}));
}

TEST_F(ComputerCheckTest, NefcbInTheFolderOrTheRegistryHasOneNotFoundLineForBoth) {
    const std::string inRegistry = "[KV] > Vírus Tipo A1.1 encontrado no registro!";
    struct Case {
        const char* what;
        bool folder;
        std::vector<std::pair<RegRoot, std::string>> values;
        Lines lines;  // in place of A1.1's not-found line
    } const cases[] = {
        {"folder only", true, {}, {F("A1.1")}},
        {"a value only", false, {{RegRoot::CurrentUser, "C:\\x\\nefcb\\up.exe"}}, {inRegistry}},
        {"folder and two values",
         true,
         {{RegRoot::CurrentUser, "nefcb"}, {RegRoot::CurrentUser, "other"}, {RegRoot::CurrentUser, "a nefcb b"}},
         {F("A1.1"), inRegistry, inRegistry}},
        {"other letter case", false, {{RegRoot::CurrentUser, "C:\\NEFCB\\up.exe"}}, {N("A1.1")}},
        {"the local machine's key is not looked at",
         false,
         {{RegRoot::LocalMachine, "C:\\nefcb\\up.exe"}},
         {N("A1.1")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPlatform machine;
        if (c.folder) machine.AddFolder(kLocalAppData + "\\nefcb");
        int n = 0;
        for (const auto& [root, data] : c.values) {
            machine.SetRegistryString(root, kRunKey, "v" + std::to_string(n++), data);
        }
        Session s;
        s.options.afterChecks = false;
        ActionContext context{machine, dialogs, s};
        const bool found = c.lines.front() != N("A1.1");
        EXPECT_EQ(ComputerCheck(context), found);
        // A1 keeps its own not-found line after a finding of A1.1.
        const std::vector<Edit> edits = {Replace(N("A1.1"), c.lines)};
        EXPECT_EQ(s.report.Lines(), found ? InfectedReport(edits) : Edited(CleanReport(PT), edits));
    }
}

TEST_F(ComputerCheckTest, PictureEndingsAreComparedOnTheLastFourCharacters) {
    const struct {
        const char* data;
        bool found;
    } cases[] = {
        {"C:\\fotos\\praia.jpg", true},
        {"\"C:\\fotos\\praia.jpg\"", true},
        {".jpg", true},  // four characters: compared whole
        {"jpg\"", true},
        {"jpg", false},  // shorter: compared whole
        {"", false},
        {"C:\\fotos\\praia.JPG", false},  // letter case counts
        {"\"C:\\fotos\\praia.jpg\" /s", false},
        {"C:\\fotos\\praia.jpg ", false},
        {"C:\\fotos\\praia.jpeg", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
            MemoryPlatform machine;
            machine.SetRegistryString(root, kRunKey, "foto", c.data);
            Session s;
            s.options.afterChecks = false;
            ActionContext context{machine, dialogs, s};
            EXPECT_EQ(ComputerCheck(context), c.found);
            const std::string line = F(root == RegRoot::LocalMachine ? "53" : "54");
            EXPECT_EQ(s.report.Lines(), c.found ? InfectedReport({After(N("52"), {line})}) : CleanReport(PT));
        }
    }
}

TEST_F(ComputerCheckTest, EveryEntryOfAFullProfileHasItsLine) {
    for (int i = 0; i < 15; ++i) os.AddFile(kProfile + "\\file" + std::to_string(i) + ".txt", 10);
    for (int i = 0; i < 15; ++i) {
        os.AddFolder(kProfile + "\\folder" + std::to_string(i), attr::kDirectory | attr::kHidden | attr::kSystem);
    }
    EXPECT_FALSE(Check());
    EXPECT_EQ(lines(), CleanReport(PT, 32));
}

// Records the paths the check asks about.
class RecordingPlatform : public MemoryPlatform {
public:
    std::vector<std::string> asked;
    std::vector<DirEntry> FindEntries(const std::string& pattern) override {
        asked.push_back(pattern);
        return MemoryPlatform::FindEntries(pattern);
    }
    bool FileExists(const std::string& path) override {
        asked.push_back(path);
        return MemoryPlatform::FileExists(path);
    }
    bool FolderExists(const std::string& path) override {
        asked.push_back(path);
        return MemoryPlatform::FolderExists(path);
    }
    bool Asked(const std::string& path) const { return std::find(asked.begin(), asked.end(), path) != asked.end(); }
};

TEST_F(ComputerCheckTest, UnresolvedSpecialFoldersGivePathsBuiltFromEmptyTexts) {
    RecordingPlatform machine;
    for (int id : {csidl::kStartup, csidl::kCommonStartup, csidl::kAppData, csidl::kLocalAppData, csidl::kCommonAppData,
                   csidl::kWindows, csidl::kProgramFiles, csidl::kProfile, csidl::kSystemX86}) {
        machine.SetSpecialFolder(id, "");
    }
    // A1 compares with the path built from the empty application data.
    machine.SetRegistryString(RegRoot::CurrentUser, kRunKey, "live", "\\WindowsUpdate\\Live.exe");
    Session s;
    s.options.afterChecks = false;
    ActionContext context{machine, dialogs, s};
    EXPECT_TRUE(ComputerCheck(context));
    EXPECT_EQ(s.report.Lines(), InfectedReport({Replace(N("A1"), {F("A1")})}, 0, 0));
    for (const char* path :
         {"\\nefcb\\", "\\*.*", "\\windows explorer.lnk", "\\atajo.lnk", "\\start.lnk", "\\Win\\lsass.exe",
          "\\desktop.exe", "\\ASX", "\\Microsoft Office\\*.WsF", "\\*.js", "\\temp\\*.js", ":\\Program Files\\*.*",
          "\\*.vbs", "\\*.exe", "\\install\\win32.exe", "\\svccscsvc.exe", "\\Meu_pc.zip", "\\google_pdf\\"}) {
        EXPECT_TRUE(machine.Asked(path)) << path;
    }
}

TEST_F(ComputerCheckTest, WithoutATemporaryFolderItsProbesLookWhereTheProbeBeforeThemLooked) {
    os.SetTempPath("");
    os.AddFile(kProgramFiles + "\\x.js", 10);
    os.AddFile(kProgramFiles + "\\z.vbe", 10);
    os.AddFile(kLocalAppData + "\\y.vbs", 10);
    os.AddFile(kLocalAppData + "\\SysinfY2X.db", 10);
    EXPECT_TRUE(Check());
    EXPECT_EQ(lines(), InfectedReport({
                           After(H("15"), kItemFileOnly), After(H("16"), kItemFileOnly),  // Program Files
                           After(H("24"), kItemFileOnly), After(H("29"), kItemFileOnly),  // local app data
                           After(H("29.1"), kItemFileOnly),                               // where 29 looked
                           After(H("36"), kItemFileOnly), After(H("37"), kItemFileOnly),  // Program Files
                       }));
}

TEST_F(ComputerCheckTest, AFindingInEnglishHasItsBoxOnlyAndTheSaveOfferWritesTheReport) {
    os.AddProcess("wscript.exe");
    os.AddFolder("C:\\relatorios");
    session.options.afterChecks = true;
    dialogs.yesNoAnswers = {true};
    dialogs.saveChoices = {std::string("C:\\relatorios\\pc.txt")};
    EXPECT_TRUE(Check(EN));
    Lines expected =
        Edited(CleanReport(EN), {Replace("[KV] - Processo 1 não encontrado!", {"[KV] > Processo 1 encontrado!"})});
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(dialogs.events, (Lines{"warning | Heads up | Computer virus found in this!", kSaveQuestion,
                                     "save-dialog | Salvar Log de Verificação de Computador | txt | *.txt"}));
    EXPECT_EQ(os.ContentOf("C:\\relatorios\\pc.txt"), ReportFileBytes(expected));
}

// Under the window's monitor: the check announces its steps and the entries it
// walks, and a stop between two entries ends it with the stopped line alone.
TEST_F(ComputerCheckTest, StopsBetweenTwoEntriesOfAWalkedFolder) {
    struct StopAfter : ActionMonitor {
        std::vector<std::string> steps;
        std::vector<std::string> folders;
        void StepStarted(const MessagePair& step) override { steps.push_back(step.pt); }
        void EntryReached(const std::string& folder) override { folders.push_back(folder); }
        bool StopRequested() const override { return folders.size() >= 3; }
    } monitor;
    ctx.monitor = &monitor;
    session.options.afterChecks = true;
    EXPECT_FALSE(RunUntilStopped(ctx, [](ActionContext& context) { ComputerCheck(context); }));
    EXPECT_EQ(monitor.steps, (Lines{"Verificando processos", "Procurando vírus no computador"}));
    EXPECT_EQ(monitor.folders, (Lines{kProfile + "\\", kProfile + "\\", kAppData + "\\"}));
    Lines expected = CleanReport(PT);
    // The third entry still has its line; the next row does not start.
    expected.erase(std::find(expected.begin(), expected.end(), H("3")), expected.end());
    expected.push_back(kStoppedLine.pt);
    EXPECT_EQ(lines(), expected);
    EXPECT_TRUE(dialogs.events.empty());
}

// A search the run already made is answered from memory; after any change
// on the disk every search is made afresh.
TEST(ComputerCheckListings, RepeatedSearchesAreKeptUntilSomethingChanges) {
    struct CountingPlatform : MemoryPlatform {
        int searches = 0;
        std::vector<DirEntry> FindEntries(const std::string& pattern) override {
            ++searches;
            return MemoryPlatform::FindEntries(pattern);
        }
    } os;
    os.AddFile("C:\\d\\a.exe", 10, attr::kHidden);
    CachedListings listings(os);
    EXPECT_EQ(listings.FindEntries("C:\\d\\*.exe").at(0).attributes, attr::kHidden);
    os.AddFile("C:\\d\\b.exe", 10);  // behind the run's back: not seen
    EXPECT_EQ(listings.FindEntries("C:\\d\\*.exe").size(), 1u);
    EXPECT_EQ(os.searches, 1);
    listings.FindEntries("C:\\d\\*.js");
    EXPECT_EQ(os.searches, 2);
    listings.ClearAttributes("C:\\d\\a.exe");
    const std::vector<DirEntry> fresh = listings.FindEntries("C:\\d\\*.exe");
    EXPECT_EQ(os.searches, 3);
    ASSERT_EQ(fresh.size(), 2u);
    EXPECT_EQ(fresh[0].attributes, attr::kNormal);
}

TEST(ComputerCheckCli, RunsWithoutADriveAndExitsByTheOutcome) {
    struct Sink : cli::OutputSink {
        std::string text;
        void Write(const std::string& bytes) override { text += bytes; }
    };
    MemoryPlatform os;
    os.AddFolder("C:\\r");
    Sink out, err;
    EXPECT_EQ(cli::RunCli({"--lang", "en", "check-computer"}, os, out, err), cli::kExitNothingFound);
    EXPECT_EQ(out.text.substr(out.text.rfind("[KV] - >>> Verificando Vírus Tipo 52")),
              "[KV] - >>> Verificando Vírus Tipo 52 ...\n"
              "[KV] - Procurando: Vírus Tipo 52 não encontrado!\n"
              "== information | Outcome | No Virus Found this computer\n");
    os.AddProcess("xcv.exe");
    out.text.clear();
    EXPECT_EQ(cli::RunCli({"check-computer", "--save", "C:\\r\\pc.txt"}, os, out, err), cli::kExitFound);
    EXPECT_EQ(err.text, "");
    EXPECT_NE(out.text.find("[KV] > Processo 2 encontrado!\n"), std::string::npos);
    EXPECT_EQ(os.ContentOf("C:\\r\\pc.txt"),
              ReportFileBytes(
                  InfectedReport({Replace("[KV] - Processo 2 não encontrado!", {"[KV] > Processo 2 encontrado!"})})));
}

}  // namespace
}  // namespace kv

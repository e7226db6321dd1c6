#include "routines/probes.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;
using Lines = std::vector<std::string>;

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

const Lines kItemFileOnly = {
    "[KV] > Item <Infecções 10> encontrado!",
    "[KV] - Item <Infecções 10.1> não encontrado!",
    "[KV] - Item <Infecções 10.2> não encontrado!",
};

struct ProbeFixture : ::testing::Test {
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx{os, dialogs, session};

    ProbeFixture() { os.AddDrive('E', DriveKind::Removable, "PENDRIVE"); }
    const Lines& lines() const { return session.report.Lines(); }
};

using FileAndRunValueProbe = ProbeFixture;

TEST_F(FileAndRunValueProbe, NothingMatchingWritesNothingAndSetsNothing) {
    os.AddFile("E:\\notes.txt", 10);
    os.AddFolder("E:\\x.lnk");  // a folder matching the mask is not a match
    os.AddFolder("E:\\old.vbs", attr::kDirectory | attr::kHidden);
    for (const char* mask : {"*.lnk", "*.vbs", "Manuel.doc"}) ProbeFileAndRunValue(ctx, "E:\\", mask);
    ProbeFileAndRunValue(ctx, "E:\\missing\\", "*.js");
    EXPECT_TRUE(lines().empty());
    EXPECT_FALSE(session.outcome.InfectionFlag);
    EXPECT_FALSE(session.outcome.ShortcutSeenFlag);
}

TEST_F(FileAndRunValueProbe, BaseNameDropsTheLastFourCharactersWhateverTheMask) {
    // abc.js -> "ab" (the character before the dot goes too): a value named
    // like the whole stem is not a match, one named "ab" is.
    os.AddFile("E:\\abc.js", 100);
    os.AddFile("E:\\sub\\other.js", 100);  // one folder only, no descent
    os.SetRegistryString(RegRoot::CurrentUser, kRunKey, "abc", "wscript E:\\abc.js");
    os.SetRegistryString(RegRoot::LocalMachine, kRunKey, "ab", "wscript E:\\abc.js");
    ProbeFileAndRunValue(ctx, "E:\\", "*.js");
    EXPECT_EQ(lines(), (Lines{"[KV] > Item <Infecções 10> encontrado!", "[KV] - Item <Infecções 10.1> não encontrado!",
                              "[KV] > Item <Infecções 10.2> encontrado!"}));
    EXPECT_TRUE(session.outcome.InfectionFlag);
    EXPECT_FALSE(session.outcome.ShortcutSeenFlag);
}

TEST_F(FileAndRunValueProbe, RunValueAloneIsReportedPerRootAndDeniedKeysFindNothing) {
    os.AddFile("E:\\Microsoft Excel.wsf", 10);
    os.SetRegistryString(RegRoot::LocalMachine, kRunKey, "Microsoft Excel", "wscript");
    os.SetRegistryString(RegRoot::CurrentUser, kRunKey, "Microsoft Excel", "wscript");
    os.DenyRegistryKey(RegRoot::LocalMachine, kRunKey);  // no administrator rights
    ProbeFileAndRunValue(ctx, "E:\\", "Microsoft Excel.wsf");
    EXPECT_EQ(lines(), (Lines{"[KV] > Item <Infecções 10> encontrado!", "[KV] > Item <Infecções 10.1> encontrado!",
                              "[KV] - Item <Infecções 10.2> não encontrado!"}));
}

TEST_F(FileAndRunValueProbe, EveryMatchingFileGivesThreeLinesInSearchOrder) {
    os.AddFile("E:\\b.vbs", 1, attr::kHidden | attr::kSystem);
    os.AddFile("E:\\A.VBS", 1);
    os.SetRegistryString(RegRoot::CurrentUser, kRunKey, "b", "wscript");
    ProbeFileAndRunValue(ctx, "E:\\", "*.vbs");
    Lines expected = kItemFileOnly;  // A.VBS first: entries come in name order
    expected.insert(expected.end(),
                    {"[KV] > Item <Infecções 10> encontrado!", "[KV] > Item <Infecções 10.1> encontrado!",
                     "[KV] - Item <Infecções 10.2> não encontrado!"});
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(os.ReadAttributes("E:\\b.vbs"), attr::kHidden | attr::kSystem);  // a probe changes nothing
}

// A root of many files: each file's Run values are still found in any letter
// case, while the registry is asked for single values only where the keys'
// lists of names leave a doubt (a name they hold, a name outside ASCII), not
// once per file.
TEST(FileAndRunValueProbeMany, RunValuesAreFoundInAnyCaseWithoutAskingForEveryFile) {
    struct CountingPlatform : MemoryPlatform {
        int valueLookups = 0;
        bool RegValueExists(RegRoot root, const std::string& key, const std::string& name) override {
            ++valueLookups;
            return MemoryPlatform::RegValueExists(root, key, name);
        }
    } os;
    os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
    for (int i = 10; i < 30; ++i) os.AddFile("E:\\f" + std::to_string(i) + ".vbs", 10);
    os.AddFile("E:\\Ação.vbs", 10);
    os.SetRegistryString(RegRoot::CurrentUser, kRunKey, "F15", "wscript E:\\f15.vbs");
    os.SetRegistryString(RegRoot::LocalMachine, kRunKey, "f20", "wscript E:\\f20.vbs");
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx(os, dialogs, session);
    ProbeFileAndRunValue(ctx, "E:\\", "*.vbs");

    const Lines& lines = session.report.Lines();
    ASSERT_EQ(lines.size(), 21u * 3);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "[KV] > Item <Infecções 10.1> encontrado!"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "[KV] > Item <Infecções 10.2> encontrado!"), 1);
    // f15 in one key, f20 in the other, Ação in both.
    EXPECT_LE(os.valueLookups, 4);
}

TEST_F(FileAndRunValueProbe, OnlyTheExactShortcutMaskRaisesShortcutSeen) {
    os.AddFile("E:\\Fotos.lnk", 500);
    const struct {
        const char* mask;
        bool shortcutSeen;
    } cases[] = {{"*.lnk", true}, {"*.LNK", false}, {"Fotos.lnk", false}};
    for (const auto& c : cases) {
        session.outcome = ScanOutcome{};
        session.report.Clear();
        ProbeFileAndRunValue(ctx, "E:\\", c.mask);
        EXPECT_EQ(lines(), kItemFileOnly) << c.mask;
        EXPECT_TRUE(session.outcome.InfectionFlag) << c.mask;
        EXPECT_EQ(session.outcome.ShortcutSeenFlag, c.shortcutSeen) << c.mask;
    }
}

using ExecutableDisguiseProbe = ProbeFixture;

TEST_F(ExecutableDisguiseProbe, TellTaleSizeNeedsAShortcutAndLiesStrictlyBetweenTheBounds) {
    const struct {
        std::uint64_t size;
        bool shortcutSeen;
        bool a1;
    } cases[] = {
        {250001, true, true},  {250999, true, true},  {250001, false, false},
        {250000, true, false}, {251000, true, false}, {1000, true, false},
        // A user's 4 GiB program whose low 32 bits fall in the window.
        {(std::uint64_t{1} << 32) + 250500, true, false}, {(std::uint64_t{5} << 32) + 250001, true, false},
    };
    for (const auto& c : cases) {
        MemoryPlatform machine;
        machine.AddFile("E:\\Setup.exe", c.size, attr::kHidden);
        Session run;
        run.outcome.ShortcutSeenFlag = c.shortcutSeen;
        ActionContext runCtx(machine, dialogs, run);
        ProbeExecutableDisguise(runCtx, "E:\\", "*.exe");
        Lines expected = {"[KV] - Vírus tipo <*.exe> não encontrado!", "[KV] - Vírus tipo <*.exe> não encontrado!"};
        if (c.a1) expected.insert(expected.begin(), "[KV] > Vírus tipo A1 encontrado!");
        EXPECT_EQ(run.report.Lines(), expected) << c.size << " shortcut " << c.shortcutSeen;
        EXPECT_EQ(run.outcome.InfectionFlag, c.a1) << c.size;
        EXPECT_EQ(machine.ReadAttributes("E:\\Setup.exe"), attr::kNormal) << "the probe leaves the file visible";
    }
}

TEST_F(ExecutableDisguiseProbe, RunningProcessCountsUnlessItIsOurOwnProgram) {
    const struct {
        const char* file;
        const char* process;
        bool found;
    } cases[] = {
        {"xcv.exe", "C:\\Users\\user\\AppData\\xcv.exe", true},  // same name, another folder
        {"XCV.exe", "xcv.exe", true},                            // process names ignore case
        {"KV Vuduv.exe", "KV Vuduv.exe", false},                 // the user runs us from the stick
        {"KV Vuduv 2.exe", "kv vuduv 2.exe", false},
        {"kv vuduv.exe", "kv vuduv.exe", true},  // the own-name test is case-sensitive
        {"kvvuduv-cli.exe", "E:\\kvvuduv-cli.exe", false},  // our executables, by name
        {"KVVUDUV.EXE", "kvvuduv.exe", false},               // compared as process names are
        {"kvvuduv-cli2.exe", "kvvuduv-cli2.exe", true},
        {"notepad.exe", "calc.exe", false},
    };
    for (const auto& c : cases) {
        MemoryPlatform machine;
        machine.AddFile(std::string("E:\\") + c.file, 4096);
        machine.AddProcess(c.process);
        Session run;
        ActionContext runCtx(machine, dialogs, run);
        ProbeExecutableDisguise(runCtx, "E:\\", "*.exe");
        const Lines expected = {
            c.found ? "[KV] > Vírus tipo <*.exe> encontrado!" : "[KV] - Vírus tipo <*.exe> não encontrado!",
            "[KV] - Vírus tipo <*.exe> não encontrado!"};
        EXPECT_EQ(run.report.Lines(), expected) << c.file;
        EXPECT_EQ(run.outcome.InfectionFlag, c.found) << c.file;
        EXPECT_EQ(machine.RunningProcesses().size(), 1u) << "a check never ends a process";
    }
}

TEST_F(ExecutableDisguiseProbe, FolderTwinIsTheFullPathWithoutTheLastFourCharacters) {
    os.AddFile("E:\\Fotos.exe", 300000, attr::kHidden | attr::kReadOnly);
    os.AddFolder("E:\\Fotos", attr::kDirectory | attr::kHidden);
    os.AddFile("E:\\Musica.exe", 300000);
    os.AddFile("E:\\Musica", 12);    // a file, not a folder
    os.AddFolder("E:\\Videos.exe");  // a folder matching the mask is skipped
    os.AddFolder("E:\\Videos");
    ProbeExecutableDisguise(ctx, "E:\\", "*.exe");
    EXPECT_EQ(lines(), (Lines{
                           "[KV] - Vírus tipo <*.exe> não encontrado!",  // Fotos.exe: not running
                           "[KV] > Vírus tipo <*.exe> encontrado!",      // ... but E:\Fotos exists
                           "[KV] - Vírus tipo <*.exe> não encontrado!",  // Musica.exe
                           "[KV] - Vírus tipo <*.exe> não encontrado!",
                       }));
    EXPECT_TRUE(session.outcome.InfectionFlag);
    EXPECT_EQ(os.ReadAttributes("E:\\Fotos.exe"), attr::kNormal);
    EXPECT_EQ(os.ReadAttributes("E:\\Fotos"), attr::kDirectory | attr::kHidden);  // only the matches change
}

TEST_F(ExecutableDisguiseProbe, AFileNamedJustDotExeHasNoTwin) {
    // Its base name is empty: the folder probed would be the searched folder
    // itself, which always exists.
    os.AddFile("E:\\.exe", 10);
    os.AddFile("E:\\sub\\.exe", 10);
    ProbeExecutableDisguise(ctx, "E:\\", "*.exe");
    ProbeExecutableDisguise(ctx, "E:\\sub\\", "*.exe");
    EXPECT_EQ(lines(), Lines(4, "[KV] - Vírus tipo <*.exe> não encontrado!"));
    EXPECT_FALSE(session.outcome.InfectionFlag);
}

TEST_F(ExecutableDisguiseProbe, TheMaskStandsInTheLinesAsPassedAndNoMatchWritesNothing) {
    ProbeExecutableDisguise(ctx, "E:\\", "*.exe");
    EXPECT_TRUE(lines().empty());
    os.AddFile("E:\\a.scr", 10);
    os.AddFolder("E:\\a");
    ProbeExecutableDisguise(ctx, "E:\\", "*.SCR");
    EXPECT_EQ(lines(), (Lines{"[KV] - Vírus tipo <*.SCR> não encontrado!", "[KV] > Vírus tipo <*.SCR> encontrado!"}));
}

}  // namespace
}  // namespace kv

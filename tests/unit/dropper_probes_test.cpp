#include "routines/dropper_probes.h"

#include <gtest/gtest.h>

#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;
using Lines = std::vector<std::string>;

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kFolder = "C:\\Users\\ana\\AppData\\Roaming\\";

struct DropperProbeFixture : ::testing::Test {
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx{os, dialogs, session};

    DropperProbeFixture() {
        os.AddDrive('C', DriveKind::Fixed);
        os.AddFolder(kFolder);
    }
    const Lines& lines() const { return session.report.Lines(); }
};

using DropperFolderProbe = DropperProbeFixture;

TEST_F(DropperFolderProbe, NeedsASmallProgramAndASmallScript) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::uint64_t>> files;  // name, size
        std::vector<std::string> folders;
        int answer;
    } const cases[] = {
        {"both just below the limit, different names", {{"a.exe", 179999}, {"b.js", 10}}, {}, 1},
        {"program of exactly the limit", {{"a.exe", 180000}, {"b.js", 10}}, {}, 2},
        {"script of exactly the limit", {{"a.exe", 10}, {"b.js", 180000}}, {}, 2},
        // Sizes are full 64-bit sizes: 4 GiB + 10 is not small.
        {"program over 4 GiB", {{"a.exe", (std::uint64_t{1} << 32) + 10}, {"b.js", 10}}, {}, 2},
        {"folder named like a program", {{"b.js", 10}}, {"x.exe"}, 2},
        {"folder named like a script", {{"a.exe", 10}}, {"x.js"}, 2},
        {"scripts only", {{"b.js", 10}, {"c.js", 20}}, {}, 2},
        {"one large and one small program", {{"big.exe", 900000}, {"small.exe", 5}, {"b.js", 1}}, {}, 1},
        // An 8.3 search also answers by short names: only long names count.
        {"longer extensions", {{"a.exex", 10}, {"b.jsx", 10}}, {}, 2},
        {"empty folder", {}, {}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPlatform machine;
        machine.AddDrive('C', DriveKind::Fixed);
        machine.AddFolder("C:\\d");
        for (const auto& [name, size] : c.files) machine.AddFile("C:\\d\\" + name, size, attr::kHidden);
        for (const auto& name : c.folders) machine.AddFolder("C:\\d\\" + name);
        Session s;
        ActionContext context{machine, dialogs, s};
        EXPECT_EQ(ProbeDropperFolder(context, "C:\\d\\"), c.answer);
        EXPECT_EQ(s.outcome.InfectionFlag, c.answer == 1);
        EXPECT_TRUE(s.report.Lines().empty());
    }
}

TEST_F(DropperFolderProbe, MissingFolderAnswersTwoAndLeavesASetFlagSet) {
    session.outcome.InfectionFlag = true;
    EXPECT_EQ(ProbeDropperFolder(ctx, "C:\\nowhere\\"), 2);
    EXPECT_TRUE(session.outcome.InfectionFlag);
}

using RunKeyExecutablesProbe = DropperProbeFixture;

TEST_F(RunKeyExecutablesProbe, MatchesTheExactPathQuotedOrNotInEitherKey) {
    const std::string path = std::string(kFolder) + "upd.exe";
    struct Case {
        const char* what;
        RegRoot root;
        std::string data;
        bool found;
    } const cases[] = {
        {"plain path, current user", RegRoot::CurrentUser, path, true},
        {"quoted path, local machine", RegRoot::LocalMachine, "\"" + path + "\"", true},
        {"path with an argument", RegRoot::CurrentUser, path + " /s", false},
        {"quoted path with an argument", RegRoot::CurrentUser, "\"" + path + "\" /s", false},
        {"other letter case", RegRoot::CurrentUser, "C:\\Users\\ana\\AppData\\Roaming\\UPD.exe", false},
        {"a lone quote", RegRoot::CurrentUser, "\"", false},
        {"empty data", RegRoot::LocalMachine, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryPlatform machine;
        machine.AddFile(path, 5000, attr::kHidden | attr::kSystem | attr::kReadOnly);
        machine.SetRegistryString(c.root, kRunKey, "Updater", c.data);
        Session s;
        ActionContext context{machine, dialogs, s};
        ProbeRunKeyExecutables(context, kFolder, "*.exe");
        EXPECT_EQ(s.report.Lines(),
                  Lines{c.found ? "[KV] > Vírus Encontrado!" : "[KV] - Nenhum Código/Vírus Encontrado!"});
        EXPECT_EQ(s.outcome.InfectionFlag, c.found);
        // The one change the probe makes: every listed file is made visible.
        EXPECT_EQ(machine.ReadAttributes(path), attr::kNormal);
    }
}

TEST_F(RunKeyExecutablesProbe, WritesOneSummaryLineInTheActiveLanguage) {
    session.language = UiLanguage::English;
    ProbeRunKeyExecutables(ctx, kFolder, "*.exe");  // empty folder
    ProbeRunKeyExecutables(ctx, "C:\\missing\\", "*.exe");
    os.AddFile(std::string(kFolder) + "a.exe", 1);
    os.AddFile(std::string(kFolder) + "b.exe", 1);
    os.SetRegistryString(RegRoot::CurrentUser, kRunKey, "b", std::string(kFolder) + "b.exe");
    os.SetRegistryString(RegRoot::LocalMachine, kRunKey, "a", std::string(kFolder) + "a.exe");
    ProbeRunKeyExecutables(ctx, kFolder, "*.exe");
    EXPECT_EQ(lines(), (Lines{"[KV] - No Code/Virus Found", "[KV] - No Code/Virus Found", "[KV] > Virus Found!"}));
}

TEST_F(RunKeyExecutablesProbe, ADeniedKeyStillLeavesTheOtherCompared) {
    os.AddFile(std::string(kFolder) + "a.exe", 1);
    os.SetRegistryString(RegRoot::LocalMachine, kRunKey, "a", std::string(kFolder) + "a.exe");
    os.DenyRegistryKey(RegRoot::LocalMachine, kRunKey);
    ProbeRunKeyExecutables(ctx, kFolder, "*.exe");
    os.SetRegistryString(RegRoot::CurrentUser, kRunKey, "a", std::string(kFolder) + "a.exe");
    ProbeRunKeyExecutables(ctx, kFolder, "*.exe");
    EXPECT_EQ(lines(), (Lines{"[KV] - Nenhum Código/Vírus Encontrado!", "[KV] > Vírus Encontrado!"}));
}

}  // namespace
}  // namespace kv

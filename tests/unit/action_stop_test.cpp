// The disinfections and the device check under a monitor: the steps and entries they announce for
// a progress line, and a stop at a safe point ending them with one line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "core/action_monitor.h"
#include "computer/computer_disinfection.h"
#include "core/report_file.h"
#include "device/device_check.h"
#include "device/device_disinfection.h"
#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;
using Lines = std::vector<std::string>;

// Records what the action announces; asks to stop once a number of entries
// was reached, or while a step of a given name runs (the user pressed Stop).
class RecordingMonitor : public ActionMonitor {
public:
    std::vector<std::string> steps;  // Portuguese names, in order
    std::size_t entries = 0;
    std::string lastFolder;
    std::size_t stopAfterEntries = SIZE_MAX;
    std::string stopDuringStep;

    void StepStarted(const MessagePair& step) override {
        steps.push_back(step.pt);
        if (step.pt == stopDuringStep) stopping_ = true;
    }
    void EntryReached(const std::string& folder) override {
        ++entries;
        lastFolder = folder;
    }
    bool StopRequested() const override { return stopping_ || entries >= stopAfterEntries; }

private:
    bool stopping_ = false;
};

struct Machine {
    explicit Machine(UiLanguage language) {
        os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        session.language = language;
        ctx.monitor = &monitor;
    }
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    RecordingMonitor monitor;
    ActionContext ctx{os, dialogs, session};
    const Lines& lines() const { return session.report.Lines(); }
};

void AddTenFiles(MemoryPlatform& os) {
    for (int i = 0; i < 10; ++i) os.AddFile("E:\\Fotos\\f" + std::to_string(i) + ".jpg", 100);
}

TEST(ActionMonitor, CheckAnnouncesItsStepsAndEntriesAndReportsAsWithout) {
    Machine watched(UiLanguage::Portuguese), plain(UiLanguage::Portuguese);
    plain.ctx.monitor = nullptr;
    for (Machine* m : {&watched, &plain}) {
        AddTenFiles(m->os);
        m->os.AddFile("E:\\autorun.inf", 10);
        EXPECT_TRUE(RunUntilStopped(m->ctx, [](ActionContext& ctx) { DeviceCheck(ctx, "E: PENDRIVE"); }));
    }
    EXPECT_EQ(watched.lines(), plain.lines());
    EXPECT_EQ(watched.dialogs.events, plain.dialogs.events);
    EXPECT_EQ(watched.monitor.steps, (Lines{"Listando as pastas do dispositivo", "Procurando vírus"}));
    EXPECT_EQ(watched.monitor.entries, 12u);               // the folder, its ten files, autorun.inf
    EXPECT_EQ(watched.monitor.lastFolder, "E:\\Fotos\\");  // the search gives the folder last
}

TEST(ActionMonitor, CheckStoppedBetweenTwoEntriesEndsWithTheStoppedLineAndNoBox) {
    for (const auto& [language, stopped] :
         {std::pair{UiLanguage::Portuguese, kStoppedLine.pt}, std::pair{UiLanguage::English, kStoppedLine.en}}) {
        Machine m(language);
        AddTenFiles(m.os);
        m.session.options.afterChecks = true;
        m.monitor.stopAfterEntries = 4;  // the folder and three files
        EXPECT_FALSE(RunUntilStopped(m.ctx, [](ActionContext& ctx) { DeviceCheck(ctx, "E: PENDRIVE"); }));
        const Lines& lines = m.lines();
        ASSERT_EQ(lines.size(), 3u + 1u + 3u + 1u);  // header, listing line, three entries, stopped
        EXPECT_EQ(lines[6], "[KV] - E:\\Fotos\\f2.jpg");
        EXPECT_EQ(lines.back(), stopped);
        EXPECT_TRUE(m.dialogs.events.empty());  // neither verdict box nor save question
    }
}

TEST(ActionMonitor, DisinfectionStoppedBetweenStepsKeepsItsCopiesAndLeavesTheRestUndone) {
    for (const auto& [language, stopped] :
         {std::pair{UiLanguage::Portuguese, kStoppedLine.pt}, std::pair{UiLanguage::English, kStoppedLine.en}}) {
        Machine m(language);
        m.os.AddFolder("E:\\Fotos", attr::kDirectory | attr::kHidden);
        m.os.AddFile("E:\\x.vbs", 100, attr::kHidden);
        m.os.AddFile("E:\\autorun.inf", 10);
        // Asked while the recycle folders are deleted: that step has no safe
        // point inside, so the stop comes before the next one.
        m.monitor.stopDuringStep = "Excluindo as pastas de lixeira";
        EXPECT_FALSE(RunUntilStopped(m.ctx, [](ActionContext& ctx) { DeviceDisinfection(ctx, "E: PENDRIVE"); }));

        const Lines& lines = m.lines();
        EXPECT_EQ(lines.back(), stopped);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), stopped), 1);
        EXPECT_TRUE(m.dialogs.events.empty());
        // The steps before the stop ran, the later ones did not.
        EXPECT_EQ(m.os.ReadAttributes("E:\\Fotos"), attr::kDirectory);
        EXPECT_TRUE(m.os.FileExists("E:\\x.vbs"));
        EXPECT_TRUE(m.os.FileExists("E:\\autorun.inf"));
        for (const char* copy : {"C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-pen-07-12-2026-09-20-28.txt",
                                 "C:\\Users\\user\\AppData\\Local\\zirozov\\kv-pen-07-12-2026-09-20-28.txt"}) {
            EXPECT_EQ(m.os.ContentOf(copy), ReportFileBytes(lines)) << copy;
        }
    }
}

TEST(ActionMonitor, ComputerDisinfectionAnnouncesItsGroupsAndReportsAsWithout) {
    Machine watched(UiLanguage::Portuguese);
    Machine unwatched(UiLanguage::Portuguese);
    unwatched.ctx.monitor = nullptr;
    for (Machine* m : {&watched, &unwatched}) {
        m->os.AddFile("C:\\ProgramData\\evil.exe", 5000);
        EXPECT_TRUE(RunUntilStopped(m->ctx, [](ActionContext& ctx) { ComputerDisinfection(ctx); }));
    }
    EXPECT_EQ(watched.lines(), unwatched.lines());
    ASSERT_EQ(watched.monitor.steps.size(), 19u);
    EXPECT_EQ(watched.monitor.steps.front(), "Grupo de remoção 1 de 18");
    EXPECT_EQ(watched.monitor.steps[17], "Grupo de remoção 18 de 18");
    EXPECT_EQ(watched.monitor.steps.back(), "Reparando funções de sistema");
}

TEST(ActionMonitor, ComputerDisinfectionStoppedBetweenGroupsKeepsItsCopiesAndLeavesLaterGroupsUndone) {
    for (const auto& [language, stopped] :
         {std::pair{UiLanguage::Portuguese, kStoppedLine.pt}, std::pair{UiLanguage::English, kStoppedLine.en}}) {
        Machine m(language);
        m.os.AddFile("C:\\ProgramData\\evil.exe", 5000);                      // group 2
        m.os.AddFile("C:\\Users\\user\\AppData\\Roaming\\evil.vbs", 500);  // group 12
        m.monitor.stopDuringStep = "Grupo de remoção 9 de 18";
        EXPECT_FALSE(RunUntilStopped(m.ctx, [](ActionContext& ctx) { ComputerDisinfection(ctx); }));

        const Lines& lines = m.lines();
        EXPECT_EQ(lines.back(), stopped);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), stopped), 1);
        EXPECT_TRUE(m.dialogs.events.empty());
        EXPECT_FALSE(m.os.FileExists("C:\\ProgramData\\evil.exe"));
        EXPECT_TRUE(m.os.FileExists("C:\\Users\\user\\AppData\\Roaming\\evil.vbs"));
        for (const char* copy : {"C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-pc-07-12-2026-09-20-28.txt",
                                 "C:\\Users\\user\\AppData\\Local\\zirozov\\kv-pc-07-12-2026-09-20-28.txt"}) {
            EXPECT_EQ(m.os.ContentOf(copy), ReportFileBytes(lines)) << copy;
        }
    }
}

}  // namespace
}  // namespace kv

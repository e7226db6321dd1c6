#include <gtest/gtest.h>

#include "core/report_file.h"
#include "core/report_header.h"
#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;

class Recorder : public ReportObserver {
public:
    std::vector<std::string> seen;
    void OnLineAppended(const std::string& line) override { seen.push_back(line); }
    void OnReportCleared() override { seen.push_back("<cleared>"); }
};

struct ReportFixture : ::testing::Test {
    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    ActionContext ctx{os, dialogs, session};
};

using ReportHeader = ReportFixture;

TEST_F(ReportHeader, ClearsThenWritesThreeLinesInTheActiveLanguage) {
    Recorder recorder;
    session.report.SetObserver(&recorder);
    session.report.AppendLine("old tips");
    os.SetDateTimeTexts({"07/12/2026", "09:20:28"});

    WriteReportHeader(ctx, ActionKind::DeviceCheck, "E:\\");
    const std::vector<std::string> portuguese = {
        "[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018",
        "[KV] - Início da Verificação - 07/12/2026 - 09:20:28",
        "[KV] - Verificando Dispositivo Externo - Unidade: E:\\",
    };
    EXPECT_EQ(session.report.Lines(), portuguese);
    EXPECT_EQ(recorder.seen.front(), "old tips");
    EXPECT_EQ(recorder.seen.at(1), "<cleared>");
    EXPECT_EQ(recorder.seen.size(), 5u);

    session.language = UiLanguage::English;
    os.SetDateTimeTexts({"2026.12.07", "9:20:28 PM"});
    WriteReportHeader(ctx, ActionKind::ComputerDisinfection);
    const std::vector<std::string> english = {
        "[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018",
        "[KV] - Top of Verification - 2026.12.07 - 9:20:28 PM",
        "[KV] - Checking Computer",
    };
    EXPECT_EQ(session.report.Lines(), english);
}

TEST_F(ReportHeader, ActionLinesOfEveryAction) {
    const struct {
        ActionKind action;
        UiLanguage language;
        const char* line;
    } cases[] = {
        {ActionKind::DeviceCheck, UiLanguage::English, "[KV] - Checking External Device - Drive: F:\\"},
        {ActionKind::DeviceDisinfection, UiLanguage::Portuguese, "[KV] - Verificando Mídia Externa F:\\"},
        {ActionKind::DeviceDisinfection, UiLanguage::English, "[KV] - Checking External Media F:\\"},
        {ActionKind::ComputerCheck, UiLanguage::Portuguese, "[KV] - Verificando Computador"},
    };
    for (const auto& c : cases) {
        session.language = c.language;
        WriteReportHeader(ctx, c.action, "F:\\");
        EXPECT_EQ(session.report.Lines().back(), c.line);
    }
}

using ReportSaving = ReportFixture;

TEST_F(ReportSaving, FileIsWindows1252WithCrLfAfterEveryLine) {
    session.report.AppendLine("[KV] - Início");
    session.report.AppendLine("[KV] > Arquivo E:\\照片.lnk");
    WriteReportFile(os, "C:\\r.txt", session.report.Lines());
    EXPECT_EQ(os.ContentOf("C:\\r.txt"), std::string("[KV] - In\xED" "cio\r\n[KV] > Arquivo E:\\??.lnk\r\n"));
}

TEST_F(ReportSaving, AutomaticCopiesGoToBothDataFoldersReplacingOnlyPathSeparators) {
    session.report.AppendLine("line");
    const struct {
        DateTimeTexts now;
        const char* stamp;
    } cases[] = {
        {{"07/12/2026", "09:20:28"}, "07-12-2026-09-20-28"},
        {{"07.12.2026", "09:20:28"}, "07.12.2026-09-20-28"},
        {{"2026\\12\\07", "9.20.28 PM"}, "2026-12-07-9.20.28 PM"},
    };
    for (const auto& c : cases) {
        os.SetDateTimeTexts(c.now);
        SaveAutomaticCopies(ctx, kDeviceCopyPrefix);
        const std::string name = std::string("\\zirozov\\kv-pen-") + c.stamp + ".txt";
        EXPECT_EQ(os.ContentOf("C:\\Users\\user\\AppData\\Roaming" + name), "line\r\n") << c.stamp;
        EXPECT_EQ(os.ContentOf("C:\\Users\\user\\AppData\\Local" + name), "line\r\n") << c.stamp;
    }
    // Within the same second the copy is replaced.
    session.report.AppendLine("second run");
    SaveAutomaticCopies(ctx, kComputerCopyPrefix);
    SaveAutomaticCopies(ctx, kComputerCopyPrefix);
    EXPECT_EQ(os.TreeUnder("C:\\Users\\user\\AppData\\Roaming\\zirozov").size(), 4u);
}

TEST_F(ReportSaving, AFailedWriteEndsTheActionWithTheSystemMessage) {
    os.FailWritesUnder("C:\\Users\\user\\AppData\\Local", "Access is denied.");
    try {
        SaveAutomaticCopies(ctx, kDeviceCopyPrefix);
        FAIL() << "expected a write error";
    } catch (const FileWriteError& error) {
        EXPECT_STREQ(error.what(), "Access is denied.");
        EXPECT_EQ(error.path(), "C:\\Users\\user\\AppData\\Local\\zirozov\\kv-pen-07-12-2026-09-20-28.txt");
    }
    // The roaming copy was written before the failure.
    EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-pen-07-12-2026-09-20-28.txt"));
}

const SaveOfferTexts kTexts{"Save?", "Aviso", "Save Log", "Replace?", "Aviso"};

TEST_F(ReportSaving, OfferAsksShowsTheDialogAndWrites) {
    session.report.AppendLine("x");
    dialogs.yesNoAnswers = {true};
    dialogs.saveChoices = {std::string("C:\\Users\\user\\report.txt")};
    OfferReportSave(ctx, true, kTexts);
    EXPECT_EQ(dialogs.events,
              (std::vector<std::string>{"question | Aviso | Save?", "save-dialog | Save Log | txt | *.txt"}));
    EXPECT_EQ(os.ContentOf("C:\\Users\\user\\report.txt"), "x\r\n");
}

TEST_F(ReportSaving, OfferEndsOnNoOnCancelOrOnDeclinedOverwrite) {
    session.report.AppendLine("new");
    os.AddFile("C:\\keep.txt", 0, attr::kArchive, "old");

    OfferReportSave(ctx, false, kTexts);
    EXPECT_TRUE(dialogs.events.empty());

    dialogs.yesNoAnswers = {false};
    OfferReportSave(ctx, true, kTexts);
    EXPECT_EQ(dialogs.events.size(), 1u);

    dialogs.events.clear();
    dialogs.yesNoAnswers = {true};
    OfferReportSave(ctx, true, kTexts);  // dialog cancelled
    EXPECT_EQ(dialogs.events.size(), 2u);

    dialogs.events.clear();
    dialogs.yesNoAnswers = {true, false};
    dialogs.saveChoices = {std::string("C:\\keep.txt")};
    OfferReportSave(ctx, true, kTexts);
    EXPECT_EQ(dialogs.events.back(), "question | Aviso | Replace?");
    EXPECT_EQ(dialogs.events.size(), 3u);
    EXPECT_EQ(os.ContentOf("C:\\keep.txt"), "old");

    dialogs.yesNoAnswers = {true, true};
    dialogs.saveChoices = {std::string("C:\\keep.txt")};
    OfferReportSave(ctx, true, kTexts);
    EXPECT_EQ(os.ContentOf("C:\\keep.txt"), "new\r\n");
}

}  // namespace
}  // namespace kv

// kvvuduv-cli disinfect-device on the in-memory machine: exit status,
// transcript, the automatic copies and --save.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_run.h"
#include "core/report_file.h"
#include "tests/support/memory_platform.h"

namespace kv::cli {
namespace {

using test::MemoryPlatform;
using Lines = std::vector<std::string>;

class StringSink : public OutputSink {
public:
    std::string text;
    void Write(const std::string& bytes) override { text += bytes; }
};

Lines SplitLines(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

Lines ReportLinesOf(const Lines& transcript) {
    Lines report;
    for (const std::string& line : transcript) {
        if (line.rfind("== ", 0) != 0) report.push_back(line);
    }
    return report;
}

const char* const kRoamingCopy = "C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-pen-07-12-2026-09-20-28.txt";
const char* const kLocalCopy = "C:\\Users\\user\\AppData\\Local\\zirozov\\kv-pen-07-12-2026-09-20-28.txt";

struct CliDisinfection : ::testing::Test {
    MemoryPlatform os;
    StringSink out, err;
    CliDisinfection() { os.AddDrive('E', DriveKind::Removable, "PENDRIVE"); }
    int Run(const std::vector<std::string>& args) { return RunCli(args, os, out, err); }
};

TEST_F(CliDisinfection, InfectedStickExitsOneWithTheWholeRunInTheTranscript) {
    os.AddFolder("E:\\.Trashes", attr::kDirectory | attr::kHidden);
    os.AddFile("E:\\.Trashes\\cv.pdf", 100, attr::kHidden);
    os.AddFile("E:\\cv.lnk", 900, attr::kHidden);
    EXPECT_EQ(Run({"--lang", "en", "--save", "C:\\Users\\user\\r.txt", "disinfect-device", "e:\\"}), kExitFound);
    EXPECT_EQ(err.text, "");

    const Lines transcript = SplitLines(out.text);
    const Lines report = ReportLinesOf(transcript);
    ASSERT_GE(transcript.size(), 3u);
    EXPECT_EQ(report.at(2), "[KV] - Checking External Media E:\\");
    // The box follows the verdict line; no save question (the console saves with --save).
    const Lines ending(transcript.end() - 3, transcript.end());
    EXPECT_EQ(ending, (Lines{"[KV] > Virus Found and Deleted Drive E:\\!",
                             "== warning | Heads up | Virus Found and Deleted Drive E:\\!",
                             "[KV] - Process Completed Successfully!"}));
    EXPECT_EQ(transcript.size(), report.size() + 1);

    EXPECT_EQ(os.ContentOf("C:\\Users\\user\\r.txt"), ReportFileBytes(report));
    const Lines withoutFinalLine(report.begin(), report.end() - 1);
    EXPECT_EQ(os.ContentOf(kRoamingCopy), ReportFileBytes(withoutFinalLine));
    EXPECT_EQ(os.ContentOf(kLocalCopy), ReportFileBytes(withoutFinalLine));
    EXPECT_EQ(os.ReadAttributes("E:\\RECOVERED\\cv.pdf"), attr::kNormal);
    EXPECT_FALSE(os.Exists("E:\\cv.lnk"));
}

TEST_F(CliDisinfection, CleanStickExitsZero) {
    os.AddFile("E:\\notes.txt", 10, attr::kHidden);
    EXPECT_EQ(Run({"disinfect-device", "E"}), kExitNothingFound);
    const Lines transcript = SplitLines(out.text);
    ASSERT_GE(transcript.size(), 2u);
    EXPECT_EQ(transcript[transcript.size() - 2],
              "== information | Outcome | Não foram Encontrados Vírus no Drive E:\\!");
    EXPECT_EQ(os.ReadAttributes("E:\\notes.txt"), attr::kNormal);
    EXPECT_TRUE(os.FileExists(kLocalCopy));
}

TEST_F(CliDisinfection, ACopyThatCannotBeWrittenExitsTwoAfterTheVerdict) {
    os.FailWritesUnder("C:\\Users\\user\\AppData\\Local", "Access is denied.");
    EXPECT_EQ(Run({"disinfect-device", "E:"}), kExitFailure);
    EXPECT_EQ(err.text, std::string("kvvuduv-cli: cannot write ") + kLocalCopy + ": Access is denied.\n");
    const Lines transcript = SplitLines(out.text);
    ASSERT_FALSE(transcript.empty());
    EXPECT_EQ(transcript.back(), "== information | Outcome | Não foram Encontrados Vírus no Drive E:\\!");
}

TEST_F(CliDisinfection, TheSystemDriveIsRefusedAndLeftAlone) {
    os.AddFile("C:\\autorun.inf", 10, attr::kHidden);
    os.AddFile("C:\\setup.lnk", 10, attr::kHidden);
    EXPECT_EQ(Run({"disinfect-device", "c"}), kExitFailure);
    EXPECT_EQ(out.text, "");
    EXPECT_TRUE(os.FileExists("C:\\autorun.inf"));
    EXPECT_EQ(os.ReadAttributes("C:\\setup.lnk"), attr::kHidden);
    EXPECT_FALSE(os.Exists("C:\\Users\\user\\AppData\\Roaming\\zirozov"));
}

}  // namespace
}  // namespace kv::cli

#include "app/options_file.h"

#include <gtest/gtest.h>

#include "tests/support/memory_platform.h"

namespace kv {
namespace {

using test::MemoryPlatform;

const char kDataFolder[] = "C:\\Users\\user\\AppData\\Roaming\\zirozov";
const char kOptionsFile[] = "C:\\Users\\user\\AppData\\Roaming\\zirozov\\parametros.ini";

TEST(OptionsFile, AnOptionIsOnOnlyWhenItsWholeLineIsOne) {
    struct Case {
        const char* bytes;
        bool afterChecks;
        bool afterDisinfections;
    };
    const Case cases[] = {
        {"1\r\n1\r\n", true, true},
        {"0\r\n1\r\n", false, true},
        {"1\r\n0\r\n", true, false},
        {"0", false, false},  // one line: the second reads as empty
        {"1", true, false},
        {"", false, false},
        {" 1\r\n1 \r\n", false, false},  // blanks are part of the line
        {"true\r\n1\r\n", false, true},
        {"1\r\n\r\n1\r\n", true, false},  // an empty second line
        {"1\n1\n", true, true},           // bare line feeds end lines too
        {"1\r1\r", true, true},
        {"\xEF\xBB\xBF"
         "1\r\n1\r\n",
         false, true},  // a byte-order mark is not "1"
    };
    for (const Case& c : cases) {
        const SaveOptions options = ParseOptionsFile(c.bytes);
        EXPECT_EQ(options.afterChecks, c.afterChecks) << '"' << c.bytes << '"';
        EXPECT_EQ(options.afterDisinfections, c.afterDisinfections) << '"' << c.bytes << '"';
    }
    EXPECT_EQ(OptionsFileBytes({false, true}), "0\r\n1\r\n");
    EXPECT_EQ(OptionsFileBytes({true, false}), "1\r\n0\r\n");
}

TEST(OptionsFile, FirstStartCreatesTheFileWithBothOptionsOnAndLaterStartsReadItAsItStands) {
    MemoryPlatform os;
    os.AddFolder(kDataFolder);
    const SaveOptions first = LoadOrCreateOptionsFile(os);
    EXPECT_TRUE(first.afterChecks);
    EXPECT_TRUE(first.afterDisinfections);
    EXPECT_EQ(os.ContentOf(kOptionsFile), "1\r\n1\r\n");

    os.AddFile(kOptionsFile, 0, attr::kArchive, "0\r\n1\r\n");
    const SaveOptions second = LoadOrCreateOptionsFile(os);
    EXPECT_FALSE(second.afterChecks);
    EXPECT_TRUE(second.afterDisinfections);
    EXPECT_EQ(os.ContentOf(kOptionsFile), "0\r\n1\r\n");
}

TEST(OptionsFile, SavingWritesTheUsersChoiceEvenWhenTheFileWasDeletedMeanwhile) {
    MemoryPlatform os;
    os.AddFile(kOptionsFile, 0, attr::kArchive, "1\r\n1\r\n");
    SaveOptionsFile(os, {false, true});
    EXPECT_EQ(os.ContentOf(kOptionsFile), "0\r\n1\r\n");

    ASSERT_TRUE(os.RemoveFile(kOptionsFile));
    SaveOptionsFile(os, {true, false});
    EXPECT_EQ(os.ContentOf(kOptionsFile), "1\r\n0\r\n");
}

TEST(OptionsFile, AFileThatCannotBeWrittenIsAnErrorWithTheSystemsMessage) {
    MemoryPlatform os;
    os.AddFolder(kDataFolder);
    os.FailWritesUnder(kDataFolder, "Access is denied.");
    try {
        LoadOrCreateOptionsFile(os);
        FAIL() << "no error";
    } catch (const OptionsFileError& error) {
        EXPECT_EQ(error.path(), kOptionsFile);
        EXPECT_TRUE(error.whileWriting());
        EXPECT_EQ(error.systemMessage(), "Access is denied.");
    }
    EXPECT_THROW(SaveOptionsFile(os, {true, true}), OptionsFileError);

    // A data folder that could not be created: the write fails the same way.
    MemoryPlatform noFolder;
    EXPECT_THROW(LoadOrCreateOptionsFile(noFolder), OptionsFileError);
    EXPECT_FALSE(noFolder.Exists(kOptionsFile));
}

}  // namespace
}  // namespace kv

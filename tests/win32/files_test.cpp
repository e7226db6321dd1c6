// Win32Platform's file and folder operations on real files of the test drive.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "core/win32/wide.h"
#include "core/win32/win32_platform.h"
#include "tests/win32/win32_test_support.h"

namespace kv {
namespace {

using test::AttributesOf;
using test::ContentOf;
using test::MakeFile;
using test::MakeFolder;
using ::testing::UnorderedElementsAre;

constexpr DWORD kVisibleBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// name -> (attribute bits the program looks at, size)
std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> Listing(const std::vector<DirEntry>& entries) {
    std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> listing;
    for (const DirEntry& entry : entries) {
        listing[entry.name] = {entry.attributes & kVisibleBits, entry.IsDirectory() ? 0 : entry.size};
    }
    return listing;
}

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const DirEntry& entry : entries) names.push_back(entry.name);
    return names;
}

class FilesTest : public ::testing::Test {
protected:
    Win32Platform os;
    test::ScratchFolder folder;
};

TEST_F(FilesTest, SearchYieldsEveryEntryWithItsAttributesAndSize) {
    MakeFile(folder / "plain.txt", std::string(1234, 'x'));
    MakeFile(folder / "hidden.lnk", "", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(folder / "system.sys", "abc", FILE_ATTRIBUTE_SYSTEM);
    MakeFile(folder / "both.exe", "", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile(folder / "readonly.txt", "", FILE_ATTRIBUTE_READONLY);
    MakeFolder(folder / "Hidden Folder", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(folder / "sub");

    const std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> expected = {
        {".", {FILE_ATTRIBUTE_DIRECTORY, 0}},
        {"..", {FILE_ATTRIBUTE_DIRECTORY, 0}},
        {"plain.txt", {0, 1234}},
        {"hidden.lnk", {FILE_ATTRIBUTE_HIDDEN, 0}},
        {"system.sys", {FILE_ATTRIBUTE_SYSTEM, 3}},
        {"both.exe", {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0}},
        {"readonly.txt", {FILE_ATTRIBUTE_READONLY, 0}},
        {"Hidden Folder", {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0}},
        {"sub", {FILE_ATTRIBUTE_DIRECTORY, 0}},
    };
    EXPECT_EQ(Listing(os.FindEntries(folder / "*.*")), expected);
}

TEST_F(FilesTest, DotEntriesComeFromSubfolderSearchesOnly) {
    MakeFolder(folder / "sub");
    MakeFile(folder / "sub\\inner.txt");
    EXPECT_THAT(Names(os.FindEntries(folder / "sub\\*.*")), UnorderedElementsAre(".", "..", "inner.txt"));
    // A drive root has no "." and "..", as on Windows.
    for (const std::string& name : Names(os.FindEntries(std::string(test::kTestDrive) + "*.*"))) {
        EXPECT_NE(name, ".");
        EXPECT_NE(name, "..");
    }
}

TEST_F(FilesTest, ExactNameSearchYieldsThatEntryOnly) {
    MakeFile(folder / "autorun.inf", "[autorun]", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile(folder / "autorun.inf.bak");
    MakeFile(folder / "xautorun.inf");
    MakeFolder(folder / "RECYCLER", FILE_ATTRIBUTE_HIDDEN);

    struct Case {
        const char* searched;
        const char* found;  // as stored on disk
        std::uint32_t bits;
    };
    const Case cases[] = {
        {"autorun.inf", "autorun.inf", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"AUTORUN.INF", "autorun.inf", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"recycler", "RECYCLER", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY},
    };
    for (const Case& c : cases) {
        const std::vector<DirEntry> entries = os.FindEntries(folder / c.searched);
        ASSERT_EQ(entries.size(), 1u) << c.searched;
        EXPECT_EQ(entries[0].name, c.found);
        EXPECT_EQ(entries[0].attributes & kVisibleBits, c.bits) << c.searched;
    }
    EXPECT_TRUE(os.FindEntries(folder / "missing.inf").empty());
    EXPECT_TRUE(os.FindEntries(folder / "missing folder\\*.*").empty());
}

TEST_F(FilesTest, MaskSearchYieldsTheMatchingFilesAndFolders) {
    MakeFile(folder / "Fotos.lnk");
    MakeFile(folder / "SHOUT.LNK", "", FILE_ATTRIBUTE_HIDDEN);
    MakeFolder(folder / "folder.lnk");
    MakeFile(folder / "notes.txt");
    MakeFile(folder / "lnk");
    MakeFile(folder / "double.lnk.txt");
    EXPECT_THAT(Names(os.FindEntries(folder / "*.lnk")), UnorderedElementsAre("Fotos.lnk", "SHOUT.LNK", "folder.lnk"));
}

TEST_F(FilesTest, NamesOutsideWindows1252SurviveSearchExistsAndDelete) {
    const std::string names[] = {"中文文件.exe", "Кириллица.lnk", "party 😀.vbs", "Relatório.txt"};
    for (const std::string& name : names) {
        std::string error;
        ASSERT_TRUE(os.WriteWholeFile(folder / name, "content of " + name, error)) << name << ": " << error;
    }
    EXPECT_THAT(Names(os.FindEntries(folder / "*.*")),
                UnorderedElementsAre(".", "..", names[0], names[1], names[2], names[3]));
    for (const std::string& name : names) {
        ASSERT_EQ(Names(os.FindEntries(folder / name)), std::vector<std::string>{name});
        EXPECT_TRUE(os.FileExists(folder / name)) << name;
        EXPECT_EQ(os.ReadWholeFile(folder / name), "content of " + name);
        EXPECT_TRUE(os.RemoveFile(folder / name)) << name;
        EXPECT_FALSE(os.FileExists(folder / name)) << name;
    }

    const std::string folderName = folder / "Папка 文件夹 😀";
    EXPECT_TRUE(os.CreateFolder(folderName));
    EXPECT_TRUE(os.FolderExists(folderName));
    EXPECT_TRUE(os.RemoveFolder(folderName));
    EXPECT_FALSE(os.FolderExists(folderName));
}

TEST_F(FilesTest, NamesEndingInABlankOrADotAreReachable) {
    // Malware names its files so that plain Win32 paths, which drop a trailing
    // blank or dot, cannot reach them.
    for (const std::string name : {"Fotos ", "nota."}) {
        const std::wstring raw = L"\\\\?\\" + Widen(folder / name);
        HANDLE file = CreateFileW(raw.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        CloseHandle(file);
        EXPECT_EQ(Names(os.FindEntries(folder / name)), std::vector<std::string>{name});
        EXPECT_TRUE(os.FileExists(folder / name)) << name;
        EXPECT_TRUE(os.ClearAttributes(folder / name)) << name;
        EXPECT_EQ(os.ReadAttributes(folder / name).value_or(FILE_ATTRIBUTE_HIDDEN) & FILE_ATTRIBUTE_HIDDEN, 0u);
        EXPECT_TRUE(os.Rename(folder / name, folder / (name + "x"))) << name;
        EXPECT_TRUE(os.RemoveFile(folder / (name + "x"))) << name;
        EXPECT_FALSE(os.FileExists(folder / (name + "x"))) << name;
    }
    // Doubled and trailing backslashes and dot components still work.
    MakeFolder(folder / "sub");
    EXPECT_TRUE(os.FolderExists(folder / "sub\\"));
    EXPECT_TRUE(os.FolderExists(folder / "\\sub"));
    EXPECT_TRUE(os.FolderExists(folder / "sub\\..\\sub"));
    EXPECT_TRUE(os.RemoveFolder(folder / "sub\\"));
}

TEST_F(FilesTest, ClearAttributesRemovesReadOnlyHiddenAndSystem) {
    MakeFile(folder / "virus.exe", "", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(folder / "Fotos", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(os.ReadAttributes(folder / "virus.exe").value_or(0) & kVisibleBits,
              FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    EXPECT_TRUE(os.ClearAttributes(folder / "virus.exe"));
    EXPECT_TRUE(os.ClearAttributes(folder / "Fotos"));
    EXPECT_EQ(AttributesOf(folder / "virus.exe") & kVisibleBits, 0u);
    EXPECT_EQ(AttributesOf(folder / "Fotos") & kVisibleBits, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(os.ReadAttributes(folder / "Fotos"), AttributesOf(folder / "Fotos"));
    EXPECT_FALSE(os.ClearAttributes(folder / "missing.exe"));
    EXPECT_EQ(os.ReadAttributes(folder / "missing.exe"), std::nullopt);
}

// Clearing and reading through one opening gives what the two separate calls
// give: the attributes cleared, and the search or the head as read apart.
TEST_F(FilesTest, ClearingAFolderAndSearchingItAgreesWithTheSeparateCalls) {
    const DWORD hiding = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    MakeFolder(folder / "Fotos", hiding);
    MakeFile(folder / "Fotos\\a.js", std::string(1234, 'x'));
    MakeFile(folder / "Fotos\\B.JS", "", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(folder / "Fotos\\notes.txt");
    MakeFolder(folder / "Fotos\\old.js");
    // More entries than one answer of the native search holds (64 KiB).
    for (int i = 0; i < 1500; ++i) MakeFile(folder / ("Fotos\\script with a long name " + std::to_string(i) + ".js"));
    MakeFolder(folder / "Empty", FILE_ATTRIBUTE_HIDDEN);

    struct Case {
        const char* folderName;
        const char* mask;
    };
    for (const Case& c : {Case{"Fotos", "*.js"}, Case{"Fotos", "*"}, Case{"Empty", "*.js"}, Case{"Empty", "*"}}) {
        SCOPED_TRACE(std::string(c.folderName) + "\\" + c.mask);
        SetFileAttributesW(Widen(folder / c.folderName).c_str(), hiding);  // hidden again for each case
        const PlatformOps::ClearedFolder cleared = os.ClearFolderAttributesAndSearch(folder / c.folderName, c.mask);
        EXPECT_TRUE(cleared.cleared);
        EXPECT_EQ(AttributesOf(folder / c.folderName) & kVisibleBits, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
        ASSERT_TRUE(cleared.entries.has_value());
        EXPECT_EQ(Listing(*cleared.entries), Listing(os.FindEntries(folder / (std::string(c.folderName) + "\\" + c.mask))));
    }
    EXPECT_EQ(os.FindEntries(folder / "Fotos\\*.js").size(), 1503u);

    const PlatformOps::ClearedFolder missing = os.ClearFolderAttributesAndSearch(folder / "Missing", "*.js");
    EXPECT_FALSE(missing.cleared);
    EXPECT_EQ(missing.entries, std::nullopt);
}

TEST_F(FilesTest, ClearingAFileAndReadingItsHeadAgreesWithTheSeparateCalls) {
    std::string big(100000, 'x');
    big[70000] = 'y';
    std::string error;
    ASSERT_TRUE(os.WriteWholeFile(folder / "big.lnk", big, error));
    SetFileAttributesW(Widen(folder / "big.lnk").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    const PlatformOps::ClearedFile cleared = os.ClearFileAttributesAndReadHead(folder / "big.lnk", 65537);
    EXPECT_TRUE(cleared.cleared);
    EXPECT_EQ(AttributesOf(folder / "big.lnk") & kVisibleBits, 0u);
    EXPECT_EQ(cleared.head, big.substr(0, 65537));

    const PlatformOps::ClearedFile missing = os.ClearFileAttributesAndReadHead(folder / "missing.lnk", 10);
    EXPECT_FALSE(missing.cleared);
    EXPECT_EQ(missing.head, std::nullopt);
}

TEST_F(FilesTest, RemoveFileDeletesOnlyFilesItMay) {
    MakeFile(folder / "plain.exe");
    MakeFile(folder / "readonly.exe", "", FILE_ATTRIBUTE_READONLY);
    MakeFile(folder / "open.exe");
    MakeFolder(folder / "folder.exe");
    HANDLE open = CreateFileW(Widen(folder / "open.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);

    struct Case {
        const char* name;
        bool removed;
    };
    const Case cases[] = {
        {"plain.exe", true},   {"readonly.exe", false}, {"open.exe", false},
        {"folder.exe", false}, {"missing.exe", false},
    };
    for (const Case& c : cases) {
        const bool existed = AttributesOf(folder / c.name) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(os.RemoveFile(folder / c.name), c.removed) << c.name;
        EXPECT_EQ(AttributesOf(folder / c.name) != INVALID_FILE_ATTRIBUTES, existed && !c.removed) << c.name;
    }
    CloseHandle(open);
}

TEST_F(FilesTest, RemoveFolderRemovesEmptyFoldersOnly) {
    MakeFolder(folder / "empty");
    MakeFolder(folder / "full");
    MakeFile(folder / "full\\file.txt");
    EXPECT_TRUE(os.RemoveFolder(folder / "empty"));
    EXPECT_FALSE(os.FolderExists(folder / "empty"));
    EXPECT_FALSE(os.RemoveFolder(folder / "full"));
    EXPECT_TRUE(os.FileExists(folder / "full\\file.txt"));
}

TEST_F(FilesTest, CreateFolderFailsWhenItExistsOrHasNoParent) {
    EXPECT_TRUE(os.CreateFolder(folder / "zirozov"));
    EXPECT_TRUE(os.FolderExists(folder / "zirozov"));
    EXPECT_FALSE(os.CreateFolder(folder / "zirozov"));
    EXPECT_FALSE(os.CreateFolder(folder / "missing\\zirozov"));
}

TEST_F(FilesTest, RenameRefusesAnExistingNameAndMovesFoldersWithTheirContent) {
    MakeFile(folder / "a.txt", "A");
    MakeFile(folder / "b.txt", "B");
    EXPECT_FALSE(os.Rename(folder / "a.txt", folder / "b.txt"));
    EXPECT_EQ(ContentOf(folder / "a.txt"), "A");
    EXPECT_EQ(ContentOf(folder / "b.txt"), "B");

    MakeFolder(folder / "_", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile(folder / "_\\Fotos.jpg", "jpeg");
    EXPECT_TRUE(os.Rename(folder / "_", folder / "RECUPERADOS"));
    EXPECT_FALSE(os.FolderExists(folder / "_"));
    EXPECT_EQ(ContentOf(folder / "RECUPERADOS\\Fotos.jpg"), "jpeg");
    EXPECT_FALSE(os.Rename(folder / "missing", folder / "other"));
}

TEST_F(FilesTest, CopyFileOverReplacesTheTarget) {
    MakeFile(folder / "kvvuduv.exe", "new program");
    MakeFile(folder / "desktop copy.exe", "old program, longer than the new one");
    EXPECT_TRUE(os.CopyFileOver(folder / "kvvuduv.exe", folder / "desktop copy.exe"));
    EXPECT_EQ(ContentOf(folder / "desktop copy.exe"), "new program");
    EXPECT_EQ(ContentOf(folder / "kvvuduv.exe"), "new program");
    EXPECT_TRUE(os.CopyFileOver(folder / "kvvuduv.exe", folder / "fresh.exe"));
    EXPECT_EQ(ContentOf(folder / "fresh.exe"), "new program");
    EXPECT_FALSE(os.CopyFileOver(folder / "missing.exe", folder / "other.exe"));
    EXPECT_EQ(AttributesOf(folder / "other.exe"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, FileExistsAndFolderExistsTellFilesFromFolders) {
    MakeFile(folder / "file.exe");
    MakeFile(folder / "hidden.exe", "", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(folder / "folder");
    MakeFolder(folder / "hidden folder", FILE_ATTRIBUTE_HIDDEN);
    // A time stamp before 1980, which the DOS date format cannot hold, does
    // not make an existing file vanish.
    MakeFile(folder / "old.exe");
    HANDLE old =
        CreateFileW(Widen(folder / "old.exe").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(old, INVALID_HANDLE_VALUE);
    const SYSTEMTIME in1975 = {1975, 6, 0, 15, 12, 0, 0, 0};
    FILETIME stamp;
    ASSERT_TRUE(SystemTimeToFileTime(&in1975, &stamp));
    ASSERT_TRUE(SetFileTime(old, nullptr, nullptr, &stamp));
    CloseHandle(old);

    struct Case {
        const char* name;
        bool file;
        bool folder;
    };
    const Case cases[] = {
        {"file.exe", true, false},
        {"hidden.exe", true, false},
        {"old.exe", true, false},
        {"folder", false, true},
        {"hidden folder", false, true},
        {"missing.exe", false, false},
        {"missing\\file.exe", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(os.FileExists(folder / c.name), c.file) << c.name;
        EXPECT_EQ(os.FolderExists(folder / c.name), c.folder) << c.name;
    }
}

TEST_F(FilesTest, WriteWholeFileReplacesTheContentAndReadWholeFileReadsItBack) {
    const std::string bytes("bin\0ary \xFF\xFE\r\n", 12);
    std::string error = "stale";
    ASSERT_TRUE(os.WriteWholeFile(folder / "kv-pen-report.txt", "a first, longer content", error));
    ASSERT_TRUE(os.WriteWholeFile(folder / "kv-pen-report.txt", bytes, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(ContentOf(folder / "kv-pen-report.txt"), bytes);
    EXPECT_EQ(os.ReadWholeFile(folder / "kv-pen-report.txt"), bytes);
    ASSERT_TRUE(os.WriteWholeFile(folder / "empty.txt", "", error));
    EXPECT_EQ(os.ReadWholeFile(folder / "empty.txt"), "");
    EXPECT_EQ(os.ReadWholeFile(folder / "missing.txt"), std::nullopt);
}

// Shortcut reading: a bounded read stops at its limit.
TEST_F(FilesTest, ReadFileHeadReadsAtMostTheLimit) {
    std::string big(100000, 'x');
    big[70000] = 'y';
    std::string error;
    ASSERT_TRUE(os.WriteWholeFile(folder / "big.lnk", big, error));
    EXPECT_EQ(os.ReadFileHead(folder / "big.lnk", 65537), big.substr(0, 65537));
    EXPECT_EQ(os.ReadFileHead(folder / "big.lnk", 200000), big);
    EXPECT_EQ(os.ReadFileHead(folder / "missing.lnk", 10), std::nullopt);
}

TEST_F(FilesTest, WriteWholeFileInAMissingFolderFailsWithTheSystemMessage) {
    std::string error;
    EXPECT_FALSE(os.WriteWholeFile(folder / "missing\\report.txt", "text", error));
    EXPECT_EQ(error, SystemErrorMessage(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(AttributesOf(folder / "missing"), INVALID_FILE_ATTRIBUTES);
}

// A replacement that fails at its last step leaves no half-written file
// beside the target: here a folder stands where the file would go.
TEST_F(FilesTest, AFailedReplacementLeavesNothingBehind) {
    MakeFolder(folder / "Relatório.txt");
    MakeFile(folder / "Relatório.txt\\kept.txt", "kept");
    std::string error;
    EXPECT_FALSE(os.WriteWholeFile(folder / "Relatório.txt", "new report", error));
    EXPECT_EQ(error, SystemErrorMessage(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ContentOf(folder / "Relatório.txt\\kept.txt"), "kept");
    EXPECT_THAT(Names(os.FindEntries(folder / "*")), UnorderedElementsAre(".", "..", "Relatório.txt"));
}

// A write that runs out of room half way (a full stick) must not cost the
// user the report saved before under that name. T:\win32-small-disk is a
// 64 KiB file system where the machine allows mounting one (see
// test-drive.sh).
TEST_F(FilesTest, AWriteThatFillsTheDiskKeepsTheOldFileWhole) {
    const std::string small = std::string(test::kTestDrive) + "win32-small-disk\\";
    if (AttributesOf(small + ".mounted") == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no small file system here (mounting one needs root)";
    }
    const std::string report = small + "Relatório.txt";
    std::string error;
    ASSERT_TRUE(os.WriteWholeFile(report, "the report saved before", error)) << error;
    EXPECT_FALSE(os.WriteWholeFile(report, std::string(256 * 1024, 'x'), error));
    EXPECT_EQ(error, SystemErrorMessage(ERROR_DISK_FULL));
    const std::string kept = ContentOf(report);
    EXPECT_TRUE(kept == "the report saved before") << kept.size() << " bytes: " << kept.substr(0, 40);
    EXPECT_THAT(Names(os.FindEntries(small + "*")), UnorderedElementsAre(".", "..", ".mounted", "Relatório.txt"));
    // With room again the same name is replaced.
    EXPECT_TRUE(os.WriteWholeFile(report, "a new report", error)) << error;
    EXPECT_EQ(ContentOf(report), "a new report");
    EXPECT_TRUE(os.RemoveFile(report));
}

}  // namespace
}  // namespace kv

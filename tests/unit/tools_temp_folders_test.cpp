// The temporary-folder cleaner: sizes, their formatting, the cleanup with its
// logs, and the folders it refuses to empty.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/report_file.h"
#include "tests/support/memory_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tools/temp_folders.h"

namespace kv {
namespace {

using test::MemoryPlatform;
using test::ScriptedDialogs;

constexpr std::uint64_t kGiB = 1ull << 30;
const char* const kUserTemp = "C:\\Users\\user\\AppData\\Local\\Temp\\";
const char* const kSystemTemp = "C:\\Windows\\temp\\";
const char* const kRoamingLog = "C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-temp07-12-202609-20-28.txt";
const char* const kLocalLog = "C:\\Users\\user\\AppData\\Local\\zirozov\\kv-temp07-12-202609-20-28.txt";

TEST(ToolsTempFolders, ResolvesTheUserAndTheSystemFolder) {
    MemoryPlatform os;
    const TempFolders folders = ResolveTempFolders(os);
    EXPECT_EQ(folders.user, kUserTemp);
    EXPECT_EQ(folders.system, kSystemTemp);
    os.SetTempPath("");  // GetTempPath failed
    EXPECT_EQ(ResolveTempFolders(os).user, "");
}

TEST(ToolsTempFolders, SizesAreSixtyFourBitAndNeverFollowLinks) {
    MemoryPlatform os;
    os.AddFile("C:\\T\\big.iso", 3 * kGiB);
    os.AddFile("C:\\T\\sub\\deeper\\half.bin", kGiB / 2);
    os.AddFile("C:\\T\\.cache\\x.bin", 100);  // a folder whose name begins with a dot still counts
    os.AddFile("C:\\T\\sub\\small.txt", 7);
    // A junction back up the tree and one to a big folder elsewhere.
    os.AddFolderLink("C:\\T\\sub\\loop", "C:\\T");
    os.AddFile("C:\\Elsewhere\\huge.bin", 50 * kGiB);
    os.AddFolderLink("C:\\T\\elsewhere", "C:\\Elsewhere");
    const std::uint64_t expected = 3 * kGiB + kGiB / 2 + 100 + 7;
    EXPECT_EQ(FolderSize(os, "C:\\T"), expected);
    EXPECT_EQ(FolderSize(os, "C:\\T\\"), expected);
    EXPECT_EQ(FolderSize(os, "C:\\Missing\\"), 0u);
    EXPECT_EQ(OccupiedSpaceText(os, UiLanguage::Portuguese, "C:\\T\\"), "Espaço ocupado: 3.50 GB");
    os.SetNumberSeparators({",", "."});
    EXPECT_EQ(OccupiedSpaceText(os, UiLanguage::English, "C:\\T\\"), "Occupied space: 3,50 GB");
    EXPECT_EQ(OccupiedSpaceText(os, UiLanguage::English, ""), "Occupied space: 0B");
}

TEST(ToolsTempFolders, FormatSizeAtItsBoundsWithBothSeparatorStyles) {
    const NumberSeparators point{".", ","};
    const NumberSeparators comma{",", "."};
    struct Row {
        std::uint64_t bytes;
        const char* withPoint;
        const char* withComma;
    };
    const Row rows[] = {
        {0, "0B", "0B"},
        {512, "512B", "512B"},
        {1023, "1023B", "1023B"},
        {1024, "1.00 KB", "1,00 KB"},
        {1536, "1.50 KB", "1,50 KB"},
        {1048575, "1,024.00 KB", "1.024,00 KB"},  // rounded up to the next whole
        {1048576, "1.00 MB", "1,00 MB"},
        {1073741823, "1,024.00 MB", "1.024,00 MB"},
        {1073741824, "1.00 GB", "1,00 GB"},
        {2147483648ull, "2.00 GB", "2,00 GB"},  // past what 32 bits hold
        {4294967296ull + 5 * kGiB / 100, "4.05 GB", "4,05 GB"},
        {5ull << 40, "5,120.00 GB", "5.120,00 GB"},
        {std::numeric_limits<std::uint64_t>::max(), "17,179,869,184.00 GB", "17.179.869.184,00 GB"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FormatSize(row.bytes, point), row.withPoint) << row.bytes;
        EXPECT_EQ(FormatSize(row.bytes, comma), row.withComma) << row.bytes;
    }
    EXPECT_EQ(FormatSize(1040000, NumberSeparators{",", "\xC2\xA0"}),
              "1\xC2\xA0"
              "015,63 KB");
}

TEST(ToolsTempFolders, EmptyFolderTreeRemovesPlainFoldersAndNeverEntersALink) {
    MemoryPlatform os;
    os.AddFile("C:\\T\\a\\one.txt");
    os.AddFile("C:\\T\\a\\b\\two.txt", 0, attr::kHidden | attr::kReadOnly);
    os.AddFile("C:\\T\\c\\d\\three.txt");
    EXPECT_TRUE(EmptyFolderTree(os, "C:\\T\\a"));
    EXPECT_TRUE(EmptyFolderTree(os, "C:\\T\\c\\"));
    EXPECT_TRUE(os.TreeUnder("C:\\T").empty());
    EXPECT_FALSE(EmptyFolderTree(os, "C:\\T\\a"));  // gone: false

    // A link is not a plain folder: it stays (so does its folder), and what
    // it points at is untouched.
    os.AddFile("C:\\T\\e\\four.txt");
    os.AddFile("C:\\Keep\\precious.doc");
    os.AddFolderLink("C:\\T\\e\\link", "C:\\Keep");
    EXPECT_FALSE(EmptyFolderTree(os, "C:\\T\\e"));
    EXPECT_FALSE(os.Exists("C:\\T\\e\\four.txt"));
    EXPECT_TRUE(os.Exists("C:\\T\\e\\link"));
    EXPECT_TRUE(os.Exists("C:\\Keep\\precious.doc"));
}

class CleanupTest : public ::testing::Test {
protected:
    CleanupTest() { os.AddFolder(kSystemTemp); }
    CleanupResult Clean(UiLanguage language, const TempFolders& folders) {
        session.language = language;
        ActionContext ctx(os, dialogs, session);
        CleanupRequest request{folders, "Temporária de Usuário", "Temporária do Windows",
                               [this](const std::string& line) { watched.push_back(line); }};
        return CleanTempFolders(ctx, request);
    }
    TempFolders Resolved() { return ResolveTempFolders(os); }
    std::string LogBytes(const std::vector<std::string>& lines) { return ReportFileBytes(lines); }

    MemoryPlatform os;
    ScriptedDialogs dialogs;
    Session session;
    std::vector<std::string> watched;
};

TEST_F(CleanupTest, LinesForLockedFilesHiddenSubfoldersAndSubfoldersHoldingALockedFile) {
    const std::string user = kUserTemp;
    os.AddFile(user + "locked.tmp");
    os.SetLocked(user + "locked.tmp");
    os.AddFile(user + "plain.tmp", 0, attr::kHidden | attr::kReadOnly);
    os.AddFile(user + "Hidden\\inside.txt");
    os.SetAttributes(user + "Hidden", attr::kDirectory | attr::kHidden);
    os.AddFile(user + "Busy\\in-use.log");
    os.SetLocked(user + "Busy\\in-use.log");
    os.AddFile(user + "Busy\\free.txt");
    os.AddFile(user + "Busy\\Deep\\x.txt");
    os.AddFile(user + "Done\\y.txt");
    os.AddFile(std::string(kSystemTemp) + "sys.tmp");

    const CleanupResult result = Clean(UiLanguage::Portuguese, Resolved());
    const std::vector<std::string> expected = {
        "Obs.: Aquivos ou pastas não deletados podem estar em uso...",
        "Iniciando Limpeza...",
        "Pasta " + user + " encontrada.",
        "Pasta " + user + "Busy não pode ser deletada.",
        "Pasta " + user + "Done deletada.",
        "Arquivo " + user + "Hidden não pode ser deletado.",
        "Arquivo " + user + "locked.tmp não pode ser deletado.",
        "Arquivo " + user + "plain.tmp deletado.",
        "Pasta C:\\Windows\\temp\\ encontrada.",
        "Arquivo C:\\Windows\\temp\\sys.tmp deletado.",
        "Processo concluído com sucesso!",
    };
    EXPECT_EQ(result.lines, expected);
    EXPECT_EQ(watched, expected);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.logPath, kRoamingLog);
    EXPECT_EQ(os.ContentOf(kRoamingLog), LogBytes(expected));
    EXPECT_EQ(os.ContentOf(kLocalLog), LogBytes(expected));
    EXPECT_EQ(dialogs.events, std::vector<std::string>{"information | Aviso | Processo concluído com sucesso!"});
    // What could not go stays; the hidden folder is left whole (made visible).
    EXPECT_EQ(os.TreeUnder(user), (std::map<std::string, std::uint32_t>{{user + "Busy", attr::kDirectory},
                                                                        {user + "Busy\\in-use.log", attr::kNormal},
                                                                        {user + "Hidden", attr::kDirectory},
                                                                        {user + "Hidden\\inside.txt", attr::kArchive},
                                                                        {user + "locked.tmp", attr::kNormal}}));
    EXPECT_TRUE(os.TreeUnder(kSystemTemp).empty());
    EXPECT_TRUE(os.ShellOpens().empty());  // opening the log is the caller's
}

TEST_F(CleanupTest, EnglishLinesAndAnEmptyFolder) {
    os.AddFile(std::string(kUserTemp) + "Old\\a.txt");
    const CleanupResult result = Clean(UiLanguage::English, Resolved());
    EXPECT_EQ(result.lines, (std::vector<std::string>{
                                "Obs.: Aquivos ou pastas não deletados podem estar em uso...",
                                "Iniciando Limpeza...",
                                "Folder C:\\Users\\user\\AppData\\Local\\Temp\\ found.",
                                "Folder C:\\Users\\user\\AppData\\Local\\Temp\\Old deleted.",
                                "Folder C:\\Windows\\temp\\ found.",
                                "Process completed successfully!",
                            }));
    EXPECT_EQ(dialogs.events, std::vector<std::string>{"information | Warning | Process completed successfully!"});
}

TEST_F(CleanupTest, AMissingOrUnresolvedFolderEndsTheCleanupWithoutABox) {
    struct Row {
        const char* what;
        TempFolders folders;
        const char* lastLine;
    };
    const Row rows[] = {
        {"missing user folder", {"C:\\Nowhere\\", kSystemTemp}, "Pasta C:\\Nowhere\\ não encontrada."},
        // After a language switch the labels hold names: never looked up.
        {"unresolved user folder", {"", kSystemTemp}, "Pasta Temporária de Usuário\\ não encontrada."},
        {"relative text", {"Temporária de Usuário", kSystemTemp}, "Pasta Temporária de Usuário\\ não encontrada."},
        {"unresolved system folder", {kUserTemp, ""}, "Pasta Temporária do Windows\\ não encontrada."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        dialogs.events.clear();
        os.AddFile(std::string(kSystemTemp) + "sys.tmp");
        os.AddFolder("C:\\Temporária de Usuário");  // what a relative name could have matched
        os.AddFile("C:\\Temporária de Usuário\\keep.txt");
        const CleanupResult result = Clean(UiLanguage::Portuguese, row.folders);
        EXPECT_FALSE(result.completed);
        EXPECT_EQ(result.lines.back(), row.lastLine);
        EXPECT_TRUE(dialogs.events.empty());
        EXPECT_EQ(os.ContentOf(kLocalLog), LogBytes(result.lines));
        EXPECT_TRUE(os.Exists("C:\\Temporária de Usuário\\keep.txt"));
        EXPECT_TRUE(os.Exists(std::string(kSystemTemp) + "sys.tmp"));
    }
}

TEST_F(CleanupTest, RefusesEveryFolderThatIsNotATemporaryOne) {
    os.SetExecutablePath("D:\\Tools\\KV\\kvvuduv.exe");
    os.SetSpecialFolder(5, "C:\\Users\\user\\Documents");
    struct Row {
        const char* folder;
        const char* reason;
    };
    const Row refused[] = {
        {"C:\\", "é a raiz de uma unidade"},
        {"D:\\", "é a raiz de uma unidade"},
        {"C:\\Windows\\", "é a pasta do Windows ou uma de suas pastas de sistema"},
        {"c:\\windows\\System32\\", "é a pasta do Windows ou uma de suas pastas de sistema"},
        {"C:\\Windows\\SysWOW64\\", "é a pasta do Windows ou uma de suas pastas de sistema"},
        {"D:\\Tools\\KV\\", "é a pasta deste programa"},
        {"C:\\Users\\", "é a pasta do perfil do usuário ou uma de suas pastas conhecidas"},
        {"C:\\Users\\user\\", "é a pasta do perfil do usuário ou uma de suas pastas conhecidas"},
        {"C:\\Users\\user\\Desktop\\", "é a pasta do perfil do usuário ou uma de suas pastas conhecidas"},
        {"C:\\Users\\user\\Documents\\", "é a pasta do perfil do usuário ou uma de suas pastas conhecidas"},
        {"C:\\Users\\user\\AppData\\", "é a pasta do perfil do usuário ou uma de suas pastas conhecidas"},
        {"C:\\Users\\user\\AppData\\Local\\", "é a pasta do perfil do usuário ou uma de suas pastas conhecidas"},
    };
    for (const Row& row : refused) {
        SCOPED_TRACE(row.folder);
        os.AddFolder(row.folder);
        os.AddFile(std::string(row.folder) + "precious.txt");
        os.AddFile(std::string(kSystemTemp) + "sys.tmp");
        const CleanupResult result = Clean(UiLanguage::Portuguese, {row.folder, kSystemTemp});
        ASSERT_GE(result.lines.size(), 3u);
        EXPECT_EQ(result.lines[2],
                  std::string("Pasta ") + row.folder + " não será limpa: " + row.reason + ". Nada foi deletado nela.");
        EXPECT_EQ(result.lines[3], "Pasta C:\\Windows\\temp\\ encontrada.");
        EXPECT_TRUE(os.Exists(std::string(row.folder) + "precious.txt"));
        EXPECT_FALSE(os.Exists(std::string(kSystemTemp) + "sys.tmp"));
        EXPECT_TRUE(result.completed);
    }
    EXPECT_EQ(ClassifyCleanupFolder(os, "\\\\server\\share\\"), UnsafeFolder::DriveRoot);
    EXPECT_EQ(ClassifyCleanupFolder(os, "\\\\server\\share\\temp\\"), UnsafeFolder::None);
    // The English line of one of them.
    const CleanupResult english = Clean(UiLanguage::English, {"C:\\", kSystemTemp});
    EXPECT_EQ(english.lines[2],
              "Folder C:\\ will not be cleaned: it is the root of a drive. Nothing was deleted in it.");

    // Real temporary folders, also inside the Windows or the program's folder, are cleaned.
    for (const char* folder : {"C:\\Windows\\Temp\\sub\\", "D:\\Tools\\KV\\tmp\\", "C:\\Temp\\",
                               "C:\\Users\\user\\AppData\\Local\\Temp\\"}) {
        SCOPED_TRACE(folder);
        os.AddFile(std::string(folder) + "old.tmp");
        EXPECT_EQ(ClassifyCleanupFolder(os, folder), UnsafeFolder::None);
        Clean(UiLanguage::Portuguese, {folder, kSystemTemp});
        EXPECT_FALSE(os.Exists(std::string(folder) + "old.tmp"));
    }
}

TEST_F(CleanupTest, ALogThatCannotBeCreatedEndsTheCleanupBeforeAnyDeletion) {
    os.AddFile(std::string(kUserTemp) + "a.tmp");
    os.FailWritesUnder("C:\\Users\\user\\AppData\\Local\\zirozov", "Disk full.");
    try {
        Clean(UiLanguage::Portuguese, Resolved());
        FAIL() << "no error";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(error.path(), kLocalLog);
        EXPECT_STREQ(error.what(), "Disk full.");
    }
    EXPECT_TRUE(os.Exists(std::string(kUserTemp) + "a.tmp"));
    EXPECT_TRUE(dialogs.events.empty());
}

}  // namespace
}  // namespace kv

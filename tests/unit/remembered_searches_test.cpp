#include "routines/remembered_searches.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/memory_platform.h"

namespace kv {
namespace {

using test::MemoryPlatform;

std::vector<std::string> Names(const std::vector<DirEntry>& entries) {
    std::vector<std::string> names;
    for (const DirEntry& entry : entries) names.push_back(entry.name);
    return names;
}

// A stick where E:\Fotos\ was searched for scripts (a.js) and a script has
// since appeared there behind the view's back (late.js): a remembered
// answer says a.js only, a fresh search says both.
struct Stick {
    MemoryPlatform os;
    RememberedSearches view{os};
    Stick() {
        os.AddDrive('E', DriveKind::Removable);
        os.AddFile("E:\\Fotos\\a.js", 10);
        os.AddFile("E:\\Fotos\\Sub\\b.txt", 10);
        os.AddFile("E:\\Outra\\c.txt", 10);
        os.AddFile("E:\\Atalho.lnk", 10);
        view.Remember("E:\\Fotos\\", "*.js", os.FindEntries("E:\\Fotos\\*.js"));
        os.AddFile("E:\\Fotos\\late.js", 10);
    }
    bool Remembered() { return Names(view.FindEntries("E:\\Fotos\\*.js")) == std::vector<std::string>{"a.js"}; }
};

TEST(RememberedSearches, AnswersTheRememberedSearchOnlyAndEveryOtherOneAfresh) {
    Stick stick;
    EXPECT_TRUE(stick.Remembered());
    EXPECT_TRUE(stick.Remembered());  // as often as asked
    // The same folder spelled in another case is the same folder.
    EXPECT_EQ(Names(stick.view.FindEntries("e:\\FOTOS\\*.js")), std::vector<std::string>{"a.js"});
    // Another mask, another folder: the device answers.
    EXPECT_EQ(stick.view.FindEntries("E:\\Fotos\\*.*").size(), 5u);  // . .. a.js late.js Sub
    EXPECT_EQ(Names(stick.view.FindEntries("E:\\Outra\\*.txt")), std::vector<std::string>{"c.txt"});
}

TEST(RememberedSearches, AChangeForgetsTheFoldersItMayHaveTouchedAndNoOther) {
    struct Case {
        const char* what;
        std::function<void(RememberedSearches&)> change;
        bool forgotten;
    };
    const Case cases[] = {
        {"a file deleted in the folder", [](RememberedSearches& v) { v.RemoveFile("E:\\Fotos\\a.js"); }, true},
        {"a file of the folder cleared, other case",
         [](RememberedSearches& v) { v.ClearAttributes("e:\\fotos\\A.JS"); }, true},
        {"a change below the folder", [](RememberedSearches& v) { v.RemoveFile("E:\\Fotos\\Sub\\b.txt"); }, true},
        {"the folder itself renamed", [](RememberedSearches& v) { v.Rename("E:\\Fotos", "E:\\Fotos2"); }, true},
        {"a folder renamed onto its name", [](RememberedSearches& v) { v.Rename("E:\\Outra", "E:\\Fotos"); }, true},
        {"the folder's own attributes cleared", [](RememberedSearches& v) { v.ClearAttributes("E:\\Fotos"); }, true},
        {"the root's attributes cleared", [](RememberedSearches& v) { v.ClearAttributes("E:\\"); }, true},
        {"a file written in the folder",
         [](RememberedSearches& v) {
             std::string error;
             v.WriteWholeFile("E:\\Fotos\\x.js", "x", error);
         },
         true},
        {"a process ended (it may have written anywhere)",
         [](RememberedSearches& v) { v.TerminateProcessById(1234); }, true},
        {"a command run", [](RememberedSearches& v) { v.RunCommandLine("cmd /c echo"); }, true},
        {"a shortcut at the root deleted", [](RememberedSearches& v) { v.RemoveFile("E:\\Atalho.lnk"); }, false},
        {"a root entry named like the folder's start",
         [](RememberedSearches& v) { v.ClearAttributes("E:\\Fotos2"); }, false},
        {"a file in another folder deleted", [](RememberedSearches& v) { v.RemoveFile("E:\\Outra\\c.txt"); }, false},
        {"a search", [](RememberedSearches& v) { v.FindEntries("E:\\Fotos\\*.*"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stick stick;
        stick.os.AddProcess("virus.exe");
        c.change(stick.view);
        EXPECT_EQ(stick.Remembered(), !c.forgotten);
    }
}

// A stick whose folders are full of scripts is not held in memory at once:
// past the limit a search is made afresh.
TEST(RememberedSearches, RemembersNoMoreThanItsLimit) {
    MemoryPlatform os;
    os.AddDrive('E', DriveKind::Removable);
    os.AddFile("E:\\Muitos\\late.js", 10);
    RememberedSearches view(os);
    const std::vector<DirEntry> many(RememberedSearches::kMaxEntries - 1, DirEntry{"a.js", 0, 1});
    EXPECT_TRUE(view.Remember("E:\\Cheia\\", "*.js", many));
    EXPECT_EQ(view.FindEntries("E:\\Cheia\\*.js").size(), many.size());
    EXPECT_FALSE(view.Remember("E:\\Muitos\\", "*.js", {DirEntry{"a.js", 0, 1}, DirEntry{"b.js", 0, 1}}));
    EXPECT_EQ(Names(view.FindEntries("E:\\Muitos\\*.js")), std::vector<std::string>{"late.js"});
    EXPECT_TRUE(view.Remember("E:\\Um\\", "*.js", {DirEntry{"c.js", 0, 1}}));
}

TEST(RememberedSearches, ClearingAndSearchingAFolderForgetsItsOldAnswer) {
    Stick stick;
    const PlatformOps::ClearedFolder cleared = stick.view.ClearFolderAttributesAndSearch("E:\\Fotos", "*.js");
    EXPECT_TRUE(cleared.cleared);
    ASSERT_TRUE(cleared.entries.has_value());
    EXPECT_EQ(cleared.entries->size(), 2u);
    EXPECT_FALSE(stick.Remembered());
}

}  // namespace
}  // namespace kv

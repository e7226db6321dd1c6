// What shortcuts start: command lines read as cmd, wscript, cscript and
// rundll32 read them; the hidden files of the device they lead to; shortcuts
// of the user's own that lead to nothing hidden; invisible folder names.
#include "routines/shortcut_payload.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/memory_platform.h"
#include "tests/support/shell_link_writer.h"

namespace kv {
namespace {

using test::LinkShape;
using test::MemoryPlatform;
using test::WriteShellLink;
using Names = std::vector<NamedFile>;
using Paths = std::vector<std::string>;

const char* const kCmd = "C:\\Windows\\System32\\cmd.exe";

TEST(ShortcutPayloadTest, CommandLinesNameWhatTheirHostsWouldStart) {
    struct Case {
        const char* program;
        const char* arguments;
        Names named;
    };
    const Case cases[] = {
        {kCmd, "/c start wscript //B //E:vbscript sysvolume\\u1234567.vbs",
         {{kCmd, false}, {"wscript", false}, {"sysvolume\\u1234567.vbs", true}}},
        {kCmd, "/C start \"\" \"USB Driver.exe\" & start explorer \"\xC2\xA0\"",
         {{kCmd, false}, {"USB Driver.exe", false}, {"explorer", false}}},
        // A quoted command string is read both ways cmd may read it.
        {kCmd, "/c \"start cscript.exe //nologo a.js && start explorer Fotos\"",
         {{kCmd, false},
          {"start cscript.exe //nologo a.js && start explorer Fotos", false},
          {"cscript.exe", false},
          {"a.js", true},
          {"explorer", false}}},
        {kCmd, "/q /k call x.bat | more", {{kCmd, false}, {"x.bat", false}, {"more", false}}},
        {kCmd, "/c start /min /d E:\\ /b wscript z.vbs", {{kCmd, false}, {"wscript", false}, {"z.vbs", true}}},
        {kCmd, "/c start \"USB Driver.exe\"", {{kCmd, false}}},  // only a window title
        {kCmd, "/c start wscript a.vbs ^& b.exe", {{kCmd, false}, {"wscript", false}, {"a.vbs", true}}},
        {kCmd, "/c cmd /c start WScript.EXE y.vbs",
         {{kCmd, false}, {"cmd", false}, {"WScript.EXE", false}, {"y.vbs", true}}},
        {kCmd, "/q x.exe", {{kCmd, false}}},  // without /c or /k nothing runs
        {"rundll32.exe", "sysvolume\\u1.dat,Start", {{"rundll32.exe", false}, {"sysvolume\\u1.dat", true}}},
        {"C:\\Windows\\rundll32.exe", "\"my lib\",Entry x",
         {{"C:\\Windows\\rundll32.exe", false}, {"my lib", true}, {"my lib.dll", true}}},
        {"wscript.exe", "//B //nologo u1.js extra.vbs", {{"wscript.exe", false}, {"u1.js", true}}},
        {"cscript", "//E:jscript \"a b.txt\"", {{"cscript", false}, {"a b.txt", true}}},
        {"C:\\Windows\\explorer.exe", "Fotos\\virus.exe", {{"C:\\Windows\\explorer.exe", false}}},
        {"E:\\USB Driver.exe", "", {{"E:\\USB Driver.exe", false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.program) + " " + c.arguments);
        const Names named = FilesNamedByCommand(c.program, c.arguments);
        ASSERT_EQ(named.size(), c.named.size());
        for (std::size_t i = 0; i < named.size(); ++i) {
            EXPECT_EQ(named[i].name, c.named[i].name) << i;
            EXPECT_EQ(named[i].anyType, c.named[i].anyType) << i;
        }
    }
}

TEST(ShortcutPayloadTest, DeeplyNestedInterpretersEnd) {
    std::string arguments;
    for (int i = 0; i < 200; ++i) arguments += "/c cmd ";
    EXPECT_LE(FilesNamedByCommand(kCmd, arguments).size(), 10u);
}

constexpr std::uint32_t kHidden = attr::kHidden;
constexpr std::uint32_t kHiddenSystem = attr::kHidden | attr::kSystem;
constexpr std::uint32_t kVisible = attr::kArchive;

// A stick as today's worms leave it, with the user's own things beside.
class StickTest : public ::testing::Test {
protected:
    StickTest() {
        os.AddDrive('C', DriveKind::Fixed);
        os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        os.AddFile(kCmd, 300000);
        os.AddFile("C:\\evil\\x.vbs", 100, kHidden);
        os.AddFolder("E:\\sysvolume", attr::kDirectory | kHiddenSystem);
        for (const char* name : {"u1234567.vbs", "u1234567.bat", "u1234567.dat", "u1234567.txt", "other.vbs"}) {
            os.AddFile(std::string("E:\\sysvolume\\") + name, 100, kVisible);
        }
        os.AddFile("E:\\USB Driver.exe", 250000, kHiddenSystem);
        os.AddFile("E:\\USB Driver.jpg", 100, kHidden);  // the user's photo, named alike
        os.AddFile("E:\\Portable\\app.exe", 100, kVisible);
        os.AddFolder("E:\\Fotos", attr::kDirectory | kHidden);
        os.AddFile("E:\\Fotos\\tool.exe", 100, kVisible);
        os.AddFile("E:\\Docs\\report.docx", 100, kHidden);
        os.AddFolder("C:\\Windows");
        os.AddFile("C:\\Windows\\y.vbs", 100, kHidden);
        os.AddFolderLink("E:\\link", "C:\\Windows");
    }

    Paths PayloadOf(std::function<void(LinkShape&)> change) {
        LinkShape shape;
        shape.target = kCmd;
        change(shape);
        const std::optional<ShellLink> link = ParseShellLink(WriteShellLink(shape));
        EXPECT_TRUE(link.has_value());
        return link ? PayloadOfShortcut(os, "E:\\", *link) : Paths{};
    }

    MemoryPlatform os;
};

TEST_F(StickTest, TheHiddenFilesAShortcutStartsAreItsPayload) {
    const Paths sysvolume = {"E:\\sysvolume\\u1234567.vbs", "E:\\sysvolume\\u1234567.bat",
                             "E:\\sysvolume\\u1234567.dat"};
    struct Case {
        const char* what;
        std::function<void(LinkShape&)> link;
        Paths payload;
    };
    const Case cases[] = {
        {"wscript through cmd, with companions",
         [](LinkShape& s) { s.arguments = "/c start wscript //B //E:vbscript sysvolume\\u1234567.vbs"; }, sysvolume},
        {"names in another case, spelled as the device spells them",
         [](LinkShape& s) { s.arguments = "/c start wscript SYSVOLUME\\U1234567.VBS"; }, sysvolume},
        {"rundll32 on the companion", [](LinkShape& s) { s.arguments = "/c start rundll32 sysvolume\\u1234567.dat,Run"; },
         {"E:\\sysvolume\\u1234567.dat", "E:\\sysvolume\\u1234567.bat", "E:\\sysvolume\\u1234567.vbs"}},
        {"relative to the working folder on the device",
         [](LinkShape& s) {
             s.workingDir = "E:\\sysvolume";
             s.arguments = "/c start wscript u1234567.vbs";
         },
         sysvolume},
        {"\"..\" stays at the root", [](LinkShape& s) { s.arguments = "/c start wscript ..\\..\\sysvolume\\u1234567.vbs"; },
         sysvolume},
        {"a program started by cmd", [](LinkShape& s) { s.arguments = "/c start \"\" \"USB Driver.exe\" & start explorer Fotos"; },
         {"E:\\USB Driver.exe"}},
        {"a program named without extension", [](LinkShape& s) { s.arguments = "/c \"USB Driver\""; },
         {"E:\\USB Driver.exe"}},
        {"the target itself", [](LinkShape& s) { s.target = "E:\\USB Driver.exe"; }, {"E:\\USB Driver.exe"}},
        {"the target by its relative path only",
         [](LinkShape& s) {
             s.target.clear();
             s.relativePath = ".\\USB Driver.exe";
         },
         {"E:\\USB Driver.exe"}},
        {"a visible program in a hidden folder", [](LinkShape& s) { s.target = "E:\\Fotos\\tool.exe"; },
         {"E:\\Fotos\\tool.exe"}},
        // The user's own shortcuts.
        {"a visible program", [](LinkShape& s) { s.target = "E:\\Portable\\app.exe"; }, {}},
        {"a hidden document", [](LinkShape& s) { s.target = "E:\\Docs\\report.docx"; }, {}},
        {"a hidden folder", [](LinkShape& s) { s.target = "E:\\sysvolume"; }, {}},
        {"a folder opened by explorer", [](LinkShape& s) { s.arguments = "/c start explorer sysvolume"; }, {}},
        {"a script visible in a visible folder",
         [](LinkShape& s) {
             s.target = "C:\\Windows\\System32\\wscript.exe";
             s.arguments = "E:\\Portable\\app.exe";  // wscript would run it, but it is visible
         },
         {}},
        // Off the device.
        {"a hidden script on the system drive", [](LinkShape& s) { s.arguments = "/c start wscript C:\\evil\\x.vbs"; },
         {}},
        {"a program on another drive letter", [](LinkShape& s) { s.target = "F:\\USB Driver.exe"; }, {}},
        {"a hidden script behind a folder link on the device",
         [](LinkShape& s) { s.arguments = "/c start wscript link\\y.vbs"; }, {}},
        {"a network path", [](LinkShape& s) { s.arguments = "/c start wscript \\\\server\\share\\u1234567.vbs"; }, {}},
        {"an installed program", [](LinkShape& s) { s.target = "C:\\Program Files\\Office\\winword.exe"; }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PayloadOf(c.link), c.payload);
    }
}

TEST_F(StickTest, OnlyReadableRootShortcutsWithAPayloadAreListed) {
    LinkShape worm;
    worm.target = kCmd;
    worm.arguments = "/c start wscript //B sysvolume\\u1234567.vbs & start explorer sysvolume";
    LinkShape user;
    user.target = "E:\\Portable\\app.exe";
    std::string damaged = WriteShellLink(worm);
    damaged.resize(damaged.size() - 30);
    std::string huge = WriteShellLink(worm);
    huge.append(kMaxShellLinkBytes, ' ');

    os.AddFile("E:\\PENDRIVE.lnk", 0, kVisible, WriteShellLink(worm));
    os.AddFile("E:\\app.lnk", 0, kVisible, WriteShellLink(user));
    os.AddFile("E:\\damaged.lnk", 0, kVisible, damaged);
    os.AddFile("E:\\huge.lnk", 0, kVisible, huge);
    os.AddFile("E:\\Fotos.lnk", 0, kHidden, WriteShellLink(worm));
    os.AddFolder("E:\\folder.lnk");
    os.AddFile("E:\\sysvolume\\deeper.lnk", 0, kVisible, WriteShellLink(worm));  // not at the root

    const std::vector<ShortcutPayload> found = FindShortcutPayloads(os, "E:\\");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].shortcut, "E:\\Fotos.lnk");
    EXPECT_EQ(found[1].shortcut, "E:\\PENDRIVE.lnk");
    EXPECT_EQ(found[1].files,
              (Paths{"E:\\sysvolume\\u1234567.vbs", "E:\\sysvolume\\u1234567.bat", "E:\\sysvolume\\u1234567.dat"}));
}

TEST(ShortcutPayloadTest, NamesThatShowNothingOnScreen) {
    for (const char* name : {" ", "\xC2\xA0", "\xC2\xA0\xC2\xA0 ", "\xE2\x80\x8B", "\xE3\x85\xA4", "\xE2\x80\x83\xEF\xBB\xBF",
                             "\xF3\xA0\x81\x81" /* U+E0041, a tag */}) {
        EXPECT_TRUE(IsInvisibleName(name)) << name;
    }
    for (const char* name : {"", "a", " a", "\xC2\xA0.", "\xFF", "RECUPERADOS", "\xE2\x80\x94" /* a dash */}) {
        EXPECT_FALSE(IsInvisibleName(name)) << name;
    }
}

}  // namespace
}  // namespace kv

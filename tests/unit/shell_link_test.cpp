// The shell-link reader: crafted shortcuts of every shape it must read, bytes
// it must refuse, and damaged shortcuts by the thousand (cut at every length,
// bytes flipped, random buffers), none of which may crash or hang it.
#include "routines/shell_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "tests/support/shell_link_writer.h"

namespace kv {
namespace {

using test::LinkShape;
using test::WriteShellLink;

const char* const kCmd = "C:\\Windows\\System32\\cmd.exe";

LinkShape Shape(std::function<void(LinkShape&)> change) {
    LinkShape shape;
    shape.target = kCmd;
    shape.arguments = "/c start wscript //B sysvolume\\u1234567.vbs";
    change(shape);
    return shape;
}

struct ReadCase {
    const char* what;
    LinkShape shape;
    std::string target;      // TargetPath()
    std::string idListPath;
    std::string arguments;
    std::string workingDir;
    std::string relativePath;
};

TEST(ShellLinkTest, ReadsTheTargetAndStringsOfEveryShape) {
    const std::string args = "/c start wscript //B sysvolume\\u1234567.vbs";
    const ReadCase cases[] = {
        {"unicode strings, ID list and LinkInfo", Shape([](LinkShape&) {}), kCmd, kCmd, args, "", ""},
        {"ANSI strings with accents",
         Shape([](LinkShape& s) {
             s.unicode = false;
             s.arguments = "/c start \"\" \"Músicas e Fotos.exe\"";
             s.workingDir = "E:\\Música";
         }),
         kCmd, kCmd, "/c start \"\" \"Músicas e Fotos.exe\"", "E:\\Música", ""},
        {"ID list only, extension block version 9", Shape([](LinkShape& s) { s.linkInfo = false; }), kCmd, kCmd, args,
         "", ""},
        {"ID list only, version 8", Shape([](LinkShape& s) { s.linkInfo = false, s.extensionVersion = 8; }), kCmd, kCmd,
         args, "", ""},
        {"ID list only, version 7", Shape([](LinkShape& s) { s.linkInfo = false, s.extensionVersion = 7; }), kCmd, kCmd,
         args, "", ""},
        {"ID list only, version 3 with a long name",
         Shape([](LinkShape& s) {
             s.linkInfo = false, s.extensionVersion = 3;
             s.target = "E:\\USB Driver.exe";
             s.arguments.clear();
         }),
         "E:\\USB Driver.exe", "E:\\USB Driver.exe", "", "", ""},
        {"ID list only, primary names without extension blocks",
         Shape([](LinkShape& s) { s.linkInfo = false, s.extensionVersion = 0; }), kCmd, kCmd, args, "", ""},
        {"LinkInfo only, split into base path and suffix",
         Shape([](LinkShape& s) {
             s.idList = false;
             s.commonPathSuffix = "System32\\cmd.exe";
         }),
         kCmd, "", args, "", ""},
        {"LinkInfo with a Unicode base path beyond Windows-1252",
         Shape([](LinkShape& s) {
             s.idList = false;
             s.linkInfoUnicode = true;
             s.target = "E:\\Пример\\вирус.exe";
             s.arguments.clear();
         }),
         "E:\\Пример\\вирус.exe", "", "", "", ""},
        {"relative path, working folder, name and icon, no target",
         Shape([](LinkShape& s) {
             s.target.clear();
             s.relativePath = ".\\sysvolume\\u1.vbs";
             s.workingDir = "E:\\";
             s.name = "Pendrive";
             s.iconLocation = "%SystemRoot%\\system32\\SHELL32.dll";
         }),
         "", "", args, "E:\\", ".\\sysvolume\\u1.vbs"},
        {"no extra data at all", Shape([](LinkShape& s) { s.extraBlock = false, s.terminalBlock = false; }), kCmd, kCmd,
         args, "", ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<ShellLink> link = ParseShellLink(WriteShellLink(c.shape));
        ASSERT_TRUE(link.has_value());
        EXPECT_EQ(link->TargetPath(), c.target);
        EXPECT_EQ(link->idListPath, c.idListPath);
        EXPECT_EQ(link->arguments, c.arguments);
        EXPECT_EQ(link->workingDir, c.workingDir);
        EXPECT_EQ(link->relativePath, c.relativePath);
    }
    const std::optional<ShellLink> named = ParseShellLink(WriteShellLink(Shape([](LinkShape& s) {
        s.name = "Pendrive";
        s.iconLocation = "%SystemRoot%\\system32\\SHELL32.dll";
    })));
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(named->name, "Pendrive");
    EXPECT_EQ(named->iconLocation, "%SystemRoot%\\system32\\SHELL32.dll");
}

// Little-endian patches into written bytes.
void Patch32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
void Patch16(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 2; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

TEST(ShellLinkTest, RefusesBytesThatAreNotAWholeShortcut) {
    const LinkShape idListOnly = Shape([](LinkShape& s) { s.linkInfo = false; });
    const LinkShape linkInfoOnly = Shape([](LinkShape& s) { s.idList = false; });
    const std::size_t idListAt = 0x4C;
    const std::size_t linkInfoAt = 0x4C;
    struct Damage {
        const char* what;
        LinkShape shape;
        std::function<void(std::string&)> damage;
    };
    const Damage cases[] = {
        {"empty", idListOnly, [](std::string& b) { b.clear(); }},
        {"header size not 0x4C", idListOnly, [](std::string& b) { Patch32(b, 0, 0x4D); }},
        {"another class id", idListOnly, [](std::string& b) { b[4] = 0x02; }},
        {"ID list longer than the file", idListOnly, [&](std::string& b) { Patch16(b, idListAt, 0xFFFF); }},
        {"ID list item of one byte", idListOnly, [&](std::string& b) { Patch16(b, idListAt + 2, 1); }},
        {"ID list item past the list", idListOnly, [&](std::string& b) { Patch16(b, idListAt + 2, 0x7FFF); }},
        {"ID list without its terminator", idListOnly,
         [&](std::string& b) { Patch16(b, idListAt, 20); /* the list now ends after My Computer */ }},
        {"LinkInfo size below its header", linkInfoOnly, [&](std::string& b) { Patch32(b, linkInfoAt, 0x10); }},
        {"LinkInfo size past the file", linkInfoOnly, [&](std::string& b) { Patch32(b, linkInfoAt, 0x7FFFFFFF); }},
        {"LinkInfo header size past LinkInfo", linkInfoOnly,
         [&](std::string& b) { Patch32(b, linkInfoAt + 4, 0x1000); }},
        {"LinkInfo header size between the two known ones", linkInfoOnly,
         [&](std::string& b) { Patch32(b, linkInfoAt + 4, 0x20); }},
        {"local base path offset past LinkInfo", linkInfoOnly,
         [&](std::string& b) { Patch32(b, linkInfoAt + 16, 0xFFFFFFF0); }},
        {"volume ID size past LinkInfo", linkInfoOnly,
         [&](std::string& b) { Patch32(b, linkInfoAt + 0x1C, 0x1000); }},
        {"string count past the end", linkInfoOnly,
         [](std::string& b) { Patch16(b, b.size() - 4 - 16 - 2 * 43 - 2, 0xFFFF); }},
        {"extra block of five bytes", linkInfoOnly, [](std::string& b) { Patch32(b, b.size() - 4 - 16, 5); }},
        {"extra block past the end", linkInfoOnly, [](std::string& b) { Patch32(b, b.size() - 4 - 16, 0x20); }},
        {"cut inside the terminal block", linkInfoOnly, [](std::string& b) { b.resize(b.size() - 1); }},
        {"over 64 KiB", linkInfoOnly, [](std::string& b) { b.append(kMaxShellLinkBytes, '\0'); }},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = WriteShellLink(c.shape);
        ASSERT_TRUE(ParseShellLink(bytes).has_value());
        c.damage(bytes);
        EXPECT_FALSE(ParseShellLink(bytes).has_value());
    }
}

// Shortcuts the damage tests start from.
std::vector<std::string> SampleLinks() {
    return {
        WriteShellLink(Shape([](LinkShape&) {})),
        WriteShellLink(Shape([](LinkShape& s) {
            s.unicode = false;
            s.linkInfoUnicode = true;
            s.commonPathSuffix = "cmd.exe";
            s.workingDir = "E:\\";
            s.name = "Pendrive (8 GB)";
        })),
        WriteShellLink(Shape([](LinkShape& s) {
            s.linkInfo = false;
            s.extensionVersion = 3;
            s.target = "E:\\ \\Trabalhos escolares\\USB Driver.exe";
            s.relativePath = ".\\ \\Trabalhos escolares\\USB Driver.exe";
        })),
    };
}

TEST(ShellLinkTest, AShortcutCutAnywhereIsUnreadable) {
    for (const std::string& whole : SampleLinks()) {
        const std::optional<ShellLink> full = ParseShellLink(whole);
        ASSERT_TRUE(full.has_value());
        // A shortcut may end right after its strings (no extra data at all):
        // that one length reads, and reads the same.
        const std::size_t stringsEnd = whole.size() - 4 - 16;
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const std::optional<ShellLink> cut = ParseShellLink(whole.substr(0, length));
            if (length == stringsEnd) {
                ASSERT_TRUE(cut.has_value());
                EXPECT_EQ(cut->TargetPath(), full->TargetPath());
                EXPECT_EQ(cut->arguments, full->arguments);
            } else {
                EXPECT_FALSE(cut.has_value()) << "cut at " << length << " of " << whole.size();
            }
        }
    }
}

// Whatever a damaged shortcut reads as, its texts come from its own bytes.
void ExpectBounded(const std::optional<ShellLink>& link, std::size_t size) {
    if (!link) return;
    for (const std::string* text : {&link->idListPath, &link->localBasePath, &link->commonPathSuffix, &link->name,
                                    &link->relativePath, &link->workingDir, &link->arguments, &link->iconLocation}) {
        // Windows-1252 bytes grow to at most 3 UTF-8 bytes each, as do UTF-16 units.
        EXPECT_LE(text->size(), 3 * size);
    }
}

TEST(ShellLinkTest, FlippedBytesAndRandomBuffersNeverBreakTheReader) {
    std::mt19937 random(20261211);
    const std::vector<std::string> samples = SampleLinks();
    int readable = 0;
    for (int round = 0; round < 6000; ++round) {
        std::string bytes = samples[round % samples.size()];
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) {
            bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
        }
        const std::optional<ShellLink> link = ParseShellLink(bytes);
        ExpectBounded(link, bytes.size());
        if (link) ++readable;
    }
    // Most flips land in times, sizes and names that do not matter.
    EXPECT_GT(readable, 0);

    const std::string header = samples[0].substr(0, 0x4C);
    for (int round = 0; round < 4000; ++round) {
        std::string bytes(random() % 1500, '\0');
        for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
        // Half of them get a valid header, so the reader goes past it.
        if (round % 2 == 0) bytes = header + bytes;
        ExpectBounded(ParseShellLink(bytes), bytes.size());
    }
}

}  // namespace
}  // namespace kv

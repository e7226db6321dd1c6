#include <gtest/gtest.h>

#include "core/name_match.h"
#include "core/text.h"

namespace kv {
namespace {

TEST(TextConversion, RoundTripsThroughUtf16IncludingSurrogatePairs) {
    for (const std::string text : {"", "Fotos", "Relatório ção", "照片", "Фото", "😀 party.exe"}) {
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    }
    EXPECT_EQ(Utf8ToUtf16("😀").size(), 2u);
}

TEST(TextConversion, Windows1252KeepsItsLettersAndMarksTheRest) {
    EXPECT_EQ(Utf8ToWindows1252("Versão €"), std::string("Vers\xE3o \x80"));
    EXPECT_EQ(Utf8ToWindows1252("照片.lnk"), "??.lnk");
    EXPECT_EQ(Utf8ToWindows1252("😀"), "?");
    EXPECT_EQ(Windows1252ToUtf8(std::string("In\xED" "cio \x80")), "Início €");
}

TEST(TextConversion, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToWindows1252(std::string("a\xFF" "b")), "a?b");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(std::string("\xC3"))), "\xEF\xBF\xBD");
}

TEST(TextHelpers, DropAndKeepCountCharactersNotBytes) {
    EXPECT_EQ(DropLastChars("abc.js", 4), "ab");
    EXPECT_EQ(DropLastChars("ação.exe", 4), "ação");
    EXPECT_EQ(DropLastChars("a.js", 4), "");
    EXPECT_EQ(FirstChars("KV Vuduv.exe", 8), "KV Vuduv");
    EXPECT_EQ(AsciiUpper("xcv.exé"), "XCV.EXé");
    EXPECT_TRUE(EqualsIgnoringCase("ÁRVORE.LNK", "árvore.lnk"));
}

struct MaskCase {
    const char* name;
    const char* mask;
    bool matches;
};

TEST(FileMask, MatchesLikeFindFirstFile) {
    const MaskCase cases[] = {
        {"photo.lnk", "*.lnk", true},  {"PHOTO.LNK", "*.lnk", true},   {"photo.lnk.txt", "*.lnk", false},
        {"README", "*.*", true},       {"a.b.c", "*.*", true},         {"x.js", "*.js", true},
        {"x.jsx", "*.js", false},      {"Manuel.doc", "Manuel.doc", true}, {"Manuel.docx", "Manuel.doc", false},
        {"Microsoft Excel.wsf", "Microsoft Excel.WsF", true},      {"abc", "abc.*", true},
        {"ação.vbs", "*.vbs", true},   {"a.vbs", "?.vbs", true},       {"ç.vbs", "?.vbs", true},
        {"ab.vbs", "?.vbs", false},
    };
    for (const MaskCase& c : cases) {
        EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
    }
}

TEST(ProcessName, ComparesFileNamePartOrWholeEntryUpperCasingAtoZ) {
    EXPECT_TRUE(ProcessNameMatches("xcv.exe", "XCV.EXE"));
    EXPECT_TRUE(ProcessNameMatches("C:\\tools\\Xcv.exe", "xcv.exe"));
    EXPECT_TRUE(ProcessNameMatches("\\??\\C:xcv.exe", "xcv.exe"));
    EXPECT_TRUE(ProcessNameMatches("C:\\tools\\xcv.exe", "c:\\tools\\xcv.exe"));
    EXPECT_FALSE(ProcessNameMatches("xcv.exe.bak", "xcv.exe"));
    EXPECT_FALSE(ProcessNameMatches("ÉXE.exe", "éxe.exe"));  // only a-z are folded
}

}  // namespace
}  // namespace kv

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

// Every byte from 0x80 to 0x9F with the character Windows-1252 gives it; the
// five unassigned bytes read as U+FFFD and are never written.
TEST(TextConversion, Windows1252HighBytesMapToTheirOwnCharactersBothWays) {
    struct Byte {
        unsigned char byte;
        const char* utf8;  // nullptr: unassigned
    };
    const Byte bytes[] = {
        {0x80, "\u20AC"}, {0x81, nullptr},  {0x82, "\u201A"}, {0x83, "\u0192"}, {0x84, "\u201E"}, {0x85, "\u2026"},
        {0x86, "\u2020"}, {0x87, "\u2021"}, {0x88, "\u02C6"}, {0x89, "\u2030"}, {0x8A, "\u0160"}, {0x8B, "\u2039"},
        {0x8C, "\u0152"}, {0x8D, nullptr},  {0x8E, "\u017D"}, {0x8F, nullptr},  {0x90, nullptr},  {0x91, "\u2018"},
        {0x92, "\u2019"}, {0x93, "\u201C"}, {0x94, "\u201D"}, {0x95, "\u2022"}, {0x96, "\u2013"}, {0x97, "\u2014"},
        {0x98, "\u02DC"}, {0x99, "\u2122"}, {0x9A, "\u0161"}, {0x9B, "\u203A"}, {0x9C, "\u0153"}, {0x9D, nullptr},
        {0x9E, "\u017E"}, {0x9F, "\u0178"},
    };
    for (const Byte& b : bytes) {
        const std::string raw(1, static_cast<char>(b.byte));
        if (b.utf8 == nullptr) {
            EXPECT_EQ(Windows1252ToUtf8(raw), "\uFFFD") << std::hex << int(b.byte);
        } else {
            EXPECT_EQ(Windows1252ToUtf8(raw), b.utf8) << std::hex << int(b.byte);
            EXPECT_EQ(Utf8ToWindows1252(b.utf8), raw) << std::hex << int(b.byte);
        }
    }
    // The dashes, in a line as a report writes them.
    EXPECT_EQ(Utf8ToWindows1252("a \u2013 b \u2014 c"), "a \x96 b \x97 c");
    // C1 control characters have no byte of their own.
    EXPECT_EQ(Utf8ToWindows1252("\u0081\u009D"), "??");
}

// 0x00-0x7F and 0xA0-0xFF are the characters of the same number, the
// no-break space U+00A0 included.
TEST(TextConversion, Windows1252LowAndLatin1BytesAreTheirOwnCodePoints) {
    for (int byte = 0; byte <= 0xFF; ++byte) {
        if (byte >= 0x80 && byte < 0xA0) continue;
        const std::string raw(1, static_cast<char>(byte));
        const std::string utf8 = byte < 0x80 ? raw
                                             : std::string{static_cast<char>(0xC0 | (byte >> 6)),
                                                           static_cast<char>(0x80 | (byte & 0x3F))};
        EXPECT_EQ(Windows1252ToUtf8(raw), utf8) << std::hex << byte;
        EXPECT_EQ(Utf8ToWindows1252(utf8), raw) << std::hex << byte;
    }
    EXPECT_EQ(Utf8ToWindows1252("1\u00A0000"), "1\xA0" "000");
    EXPECT_EQ(Windows1252ToUtf8("1\xA0" "000"), "1\xC2\xA0" "000");
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
        // A dot and star ending the mask also match where the name ends.
        {"abc.d", "abc.*", true},      {"abcx", "abc.*", false},      {"a.b", "a.b.*", true},
        {"a.bc", "a.b.*", false},      {"a.b.c", "a.*", true},
        // Long names only: these match "*.lnk" through their short names alone.
        {"Album.lnkx", "*.lnk", false}, {"Atalho.lnk~", "*.lnk", false}, {"ALBUM~1.LNK", "*.lnk", true},
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

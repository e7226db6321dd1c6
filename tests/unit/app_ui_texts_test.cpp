#include "app/ui_texts.h"

#include <gtest/gtest.h>

#include <set>

namespace kv {
namespace {

using C = ControlId;

TEST(CaptionTable, EachControlOnceAndEverySwitchedCaptionInBothLanguages) {
    std::set<int> seen;
    for (const CaptionRow& row : CaptionTable()) {
        EXPECT_TRUE(seen.insert(IdOf(row.control)).second) << IdOf(row.control);
        ASSERT_NE(row.initial, nullptr) << IdOf(row.control);
        EXPECT_EQ(row.portuguese == nullptr, row.english == nullptr) << IdOf(row.control);
        if (SwitchChangesCaption(row)) {
            EXPECT_STRNE(row.portuguese, row.english) << IdOf(row.control);
        }
    }
}

TEST(CaptionTable, ASwitchToPortugueseDiffersFromTheStartUpCaptionsExactlyWhereItShould) {
    std::set<ControlId> differing;
    for (const CaptionRow& row : CaptionTable()) {
        if (SwitchChangesCaption(row) &&
            InitialCaption(row, "C:\\") != SwitchedCaption(row, UiLanguage::Portuguese, "C:\\")) {
            differing.insert(row.control);
        }
    }
    const std::set<ControlId> expected = {C::TForm1,   C::GroupBox6,  C::BitBtn15, C::GroupBox13,
                                          C::BitBtn17, C::GroupBox11, C::BitBtn16, C::GroupBox9};
    EXPECT_EQ(differing, expected);
}

TEST(CaptionTable, BuiltCaptionsAndCaptionsThatNeverChange) {
    struct Case {
        ControlId control;
        std::string initial;
        std::string english;  // "" when a switch leaves the caption alone
    };
    const Case cases[] = {
        {C::BitBtn7, " Verificar &Computador\r Unidade: D:\\", " Check &Computer\r Unit: D:\\"},
        {C::BitBtn2, " Desinfectar Com&putador\r Unidade: D:\\", " Disinfect Com&puter\r Unit: D:\\"},
        {C::StaticText1, "Versão 2.7.3", "Version 2.7.3"},
        {C::TForm1, " KV Vuduv", " KV Vuduv - Remove Viruses and Other Shortcuts Creates"},
        {C::BitBtn17, "  Gerar Relatório", " Generate Report"},
        {C::Label19, "Caminho", ""},
        {C::BitBtn13, "Português", ""},
        {C::BitBtn14, "English", ""},
    };
    for (const Case& c : cases) {
        const CaptionRow* row = FindCaptionRow(c.control);
        ASSERT_NE(row, nullptr) << IdOf(c.control);
        EXPECT_EQ(InitialCaption(*row, "D:\\"), c.initial);
        EXPECT_EQ(SwitchedCaption(*row, UiLanguage::English, "D:\\"), c.english);
    }
    EXPECT_EQ(FindCaptionRow(C::Memo1), nullptr);
}

TEST(Tips, StartUpTextAndSwitchLinesKeepTheirOwnWording) {
    const std::vector<std::string> startup = StartupTipsLines();
    const std::vector<std::string> portuguese = SwitchTipsLines(UiLanguage::Portuguese);
    const std::vector<std::string> english = SwitchTipsLines(UiLanguage::English);
    ASSERT_EQ(startup.size(), 11u);
    ASSERT_EQ(portuguese.size(), 10u);
    ASSERT_EQ(english.size(), 10u);
    // The start-up text breaks one sentence over two lines, the first ending
    // with a blank; the switch writes it as one line without that blank.
    EXPECT_EQ(startup[3].substr(startup[3].size() - 12), "Cartões de ");
    EXPECT_EQ(startup[4], "Memória, entre outros.");
    EXPECT_NE(portuguese[3].find("Cartões deMemória, entre outros."), std::string::npos);
    for (const auto* lines : {&startup, &portuguese, &english}) {
        EXPECT_EQ((*lines)[1], "");
        EXPECT_EQ((*lines)[lines->size() - 2], "");
    }
    EXPECT_EQ(portuguese.back(),
              ">>> [KV Vuduv - Versão: 2.7.3 - Dezembro/2018] - Compatibilidade: Windows XP, 7, 8, 10 e Server - 32 "
              "ou 64 Bits");
    EXPECT_EQ(english.back(),
              ">>> [KV Vuduv - Version: 2.7.3 - December/2018] - Compatibility: Windows XP, 7, 8, 10 and Server - 32 "
              "or 64 Bits");
    EXPECT_EQ(english[0], ">>> Tips:");
}

TEST(Instructions, ThirtyTwoLinesWithTheirBlankLinesAndTrailingBlanks) {
    const std::vector<std::string> lines = InstructionsLines();
    ASSERT_EQ(lines.size(), 32u);
    const std::set<std::size_t> empty = {2, 16, 18, 24, 31};  // numbered from 1
    const std::set<std::size_t> endingWithBlank = {3, 7, 10, 12, 14, 22};
    for (std::size_t number = 1; number <= lines.size(); ++number) {
        const std::string& line = lines[number - 1];
        EXPECT_EQ(line.empty(), empty.count(number) == 1) << number;
        EXPECT_EQ(!line.empty() && line.back() == ' ', endingWithBlank.count(number) == 1) << number;
    }
    EXPECT_EQ(lines.front(), ">>> Instruções:");
    EXPECT_EQ(lines.back(), ">>> [KV Vuduv - Versão 2.7.3] - Dezembro/2018");
    EXPECT_EQ(JoinLines({"a", "", "b "}), "a\r\n\r\nb ");
}

TEST(LanguageButtons, TheActiveLanguagesButtonIsGreyTheOtherBlack) {
    EXPECT_EQ(LanguageButtonColour(C::BitBtn13, UiLanguage::Portuguese), 0x808080u);
    EXPECT_EQ(LanguageButtonColour(C::BitBtn14, UiLanguage::Portuguese), 0x000000u);
    EXPECT_EQ(LanguageButtonColour(C::BitBtn13, UiLanguage::English), 0x000000u);
    EXPECT_EQ(LanguageButtonColour(C::BitBtn14, UiLanguage::English), 0x808080u);
}

}  // namespace
}  // namespace kv

#include "app/ui_texts.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

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

// What a switch to each language sets, written out in full (system root
// "C:\"): a lost "&" (and with it the Alt key), blank or letter shows here.
struct ExpectedCaption {
    ControlId control;
    const char* text;
};

const ExpectedCaption kPortugueseCaptions[] = {
    {C::TForm1, " KV Vuduv - Remove Vírus que Cria Atalhos e Outros"},
    {C::TabSheet1, " Remoção de Vírus "},
    {C::TabSheet2, " Ferramentas / Manutenção "},
    {C::TabSheet3, " Opções do Programa "},
    {C::GroupBox10, " Repara Ícones "},
    {C::BitBtn15, " Reparar Ícones"},
    {C::GroupBox4, " Verificação "},
    {C::BitBtn3, "&Instruções"},
    {C::BitBtn7, " Verificar &Computador\r Unidade: C:\\"},
    {C::Label17, "Escolha a Unidade do Dispositivo"},
    {C::BitBtn9, " Verificar &Dispositivo"},
    {C::BitBtn1, " Desin&fectar Dispositivo"},
    {C::GroupBox5, " Desinfecção "},
    {C::BitBtn2, " Desinfectar Com&putador\r Unidade: C:\\"},
    {C::Label1, "Escolha a Unidade do Dispositivo"},
    {C::Label2, "kvvuduv.example - contato@kvvuduv.example"},
    {C::Label4, "KV Vuduv nas redes sociais"},
    {C::StaticText1, "Versão 2.7.3"},
    {C::GroupBox9, " Selecione o Idioma "},
    {C::GroupBox6, " Processos em Execução / Nome - ID "},
    {C::BitBtn10, "Listar Processos"},
    {C::BitBtn11, "Finalizar Processo"},
    {C::GroupBox8, " Pastas Temporárias "},
    {C::Label20, "Temporária de Usuário"},
    {C::Label22, "Espaço ocupado:"},
    {C::Label21, "Temporária do Windows"},
    {C::Label23, "Espaço ocupado:"},
    {C::Button4, " Efetuar Limpeza das Pastas "},
    {C::GroupBox7, " Caminho Deste Arquivo "},
    {C::BitBtn12, " Copiar Programa para sua Área de Trabalho"},
    {C::GroupBox13, " Sistema"},
    {C::BitBtn17, " Gerar Relatório"},
    {C::GroupBox11, " Parâmetros"},
    {C::CheckBox1, "Exibir opção para salvar relatório ao final das verificações?"},
    {C::CheckBox2, "Exibir opção para salvar relatório ao final das desinfecções?"},
    {C::BitBtn16, "Salvar Alterações"},
    {C::StopButton, "Parar"},
};

const ExpectedCaption kEnglishCaptions[] = {
    {C::TForm1, " KV Vuduv - Remove Viruses and Other Shortcuts Creates"},
    {C::TabSheet1, " Virus Removal "},
    {C::TabSheet2, " Tools / Maintenance "},
    {C::TabSheet3, " Program Options "},
    {C::GroupBox10, " Repairs Ícons "},
    {C::BitBtn15, " Repairs Ícons"},
    {C::GroupBox4, " Scan "},
    {C::BitBtn3, "&Instructions"},
    {C::BitBtn7, " Check &Computer\r Unit: C:\\"},
    {C::Label17, "Choose Device Unit"},
    {C::BitBtn9, " Check &Device"},
    {C::BitBtn1, " Disin&fect Device"},
    {C::GroupBox5, " Disinfection "},
    {C::BitBtn2, " Disinfect Com&puter\r Unit: C:\\"},
    {C::Label1, "Choose Device Unit"},
    {C::Label2, "kvvuduv.example - contact@kvvuduv.example"},
    {C::Label4, "KV Vuduv on social networks"},
    {C::StaticText1, "Version 2.7.3"},
    {C::GroupBox9, " Select Language "},
    {C::GroupBox6, " Running Processes / Name - ID "},
    {C::BitBtn10, "List Processes"},
    {C::BitBtn11, "End Process"},
    {C::GroupBox8, " Temporary Folders "},
    {C::Label20, "Temporary User"},
    {C::Label22, "Occupied space:"},
    {C::Label21, "Temporary Windows"},
    {C::Label23, "Occupied space:"},
    {C::Button4, " Cleaning Make Folders "},
    {C::GroupBox7, " Way this Archive "},
    {C::BitBtn12, " Copy Program to Your Desktop"},
    {C::GroupBox13, " System"},
    {C::BitBtn17, " Generate Report"},
    {C::GroupBox11, " Parameters"},
    {C::CheckBox1, "Show option to save report at the end of scans?"},
    {C::CheckBox2, "Show option to save report at the end of disinfections?"},
    {C::BitBtn16, "Save Editions"},
    {C::StopButton, "Stop"},
};

TEST(CaptionTable, ASwitchSetsExactlyTheseCaptionsInEachLanguage) {
    struct Language {
        UiLanguage language;
        const ExpectedCaption* begin;
        const ExpectedCaption* end;
    };
    for (const Language& l : {Language{UiLanguage::Portuguese, std::begin(kPortugueseCaptions),
                                       std::end(kPortugueseCaptions)},
                              Language{UiLanguage::English, std::begin(kEnglishCaptions), std::end(kEnglishCaptions)}}) {
        std::set<ControlId> expected;
        for (const ExpectedCaption* c = l.begin; c != l.end; ++c) {
            expected.insert(c->control);
            const CaptionRow* row = FindCaptionRow(c->control);
            ASSERT_NE(row, nullptr) << IdOf(c->control);
            EXPECT_EQ(SwitchedCaption(*row, l.language, "C:\\"), c->text) << IdOf(c->control);
        }
        // No control beyond these has its caption changed by a switch.
        std::set<ControlId> switched;
        for (const CaptionRow& row : CaptionTable()) {
            if (SwitchChangesCaption(row)) switched.insert(row.control);
        }
        EXPECT_EQ(switched, expected);
    }
}

TEST(Tips, ASwitchWritesExactlyTheseLinesInEachLanguage) {
    const std::vector<std::string> portuguese = {
        ">>> Dicas:",
        "",
        "- Clique no botão \"Instruções\" para saber mais.",
        "- Quando for mencionado \"Dispositivo\" ou \"Mídia Externa\", estará se referindo a Pen-Drives, HDs "
        "Externos, Cartões deMemória, entre outros.",
        "- Insira seu Dispositivo antes de executar o KV Vuduv.",
        "- Esta ferramenta remove a maioria dos Vírus que criam atalhos e ocultam as pastas do seu Dispositivo.",
        "- Nomes de Vírus retirados: Drive, Trashes, dw.dll, Mugen, Hidden, Recycler, extensões CPL, VBS, VBE, JS, "
        "EXE, outros.",
        "- Desinfecta também o computador, que impede que infecte novamente seus dispositivos.",
        "",
        ">>> [KV Vuduv - Versão: 2.7.3 - Dezembro/2018] - Compatibilidade: Windows XP, 7, 8, 10 e Server - 32 ou 64 "
        "Bits",
    };
    const std::vector<std::string> english = {
        ">>> Tips:",
        "",
        "- Click on \"Instructions\" button to learn more.",
        "- When you mentioned \"Device\" or \"External Media\", is referring to Pen-Drives, External Hard Drives, "
        "Memory Cards, among others.",
        "- Enter your device before running the KV Vuduv.",
        "- This tool removes most viruses that create shortcuts and hidden folders in your device.",
        "- Names Virus removed: Drive, Trashes, dw.dll, Mugen, Hidden, Recycler, CPL extensions, VBS, VBE, JS, EXE, "
        "other.",
        "- Also disinfects the computer, which prevents it from infecting your devices again.",
        "",
        ">>> [KV Vuduv - Version: 2.7.3 - December/2018] - Compatibility: Windows XP, 7, 8, 10 and Server - 32 or 64 "
        "Bits",
    };
    EXPECT_EQ(SwitchTipsLines(UiLanguage::Portuguese), portuguese);
    EXPECT_EQ(SwitchTipsLines(UiLanguage::English), english);
}

// What failed, the file, a blank line, then the system's message.
TEST(FileErrorBox, TextInEachLanguageWithTheBlankLineBeforeTheSystemsMessage) {
    struct Case {
        UiLanguage language;
        bool whileWriting;
        const char* systemMessage;
        const char* text;
    };
    const Case cases[] = {
        {UiLanguage::Portuguese, true, "Acesso negado.",
         "Não foi possível gravar o arquivo:\r\nE:\\Relatório.txt\r\n\r\nAcesso negado."},
        {UiLanguage::English, true, "There is not enough space on the disk.",
         "The file could not be written:\r\nE:\\Relatório.txt\r\n\r\nThere is not enough space on the disk."},
        {UiLanguage::Portuguese, false, "", "Não foi possível ler o arquivo:\r\nE:\\Relatório.txt"},
        {UiLanguage::English, false, "Access is denied.",
         "The file could not be read:\r\nE:\\Relatório.txt\r\n\r\nAccess is denied."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileErrorText(c.language, c.whileWriting, "E:\\Relatório.txt", c.systemMessage), c.text);
    }
    EXPECT_EQ(ErrorBoxTitle().pt, "Erro");
    EXPECT_EQ(ErrorBoxTitle().en, "Error");
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

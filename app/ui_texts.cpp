#include "app/ui_texts.h"

namespace kv {

namespace {

using C = ControlId;

const char kDeviceHint[] = "Insira o Pen-Drive antes de executar o KV Vuduv";

}  // namespace

const std::vector<CaptionRow>& CaptionTable() {
    // clang-format off
    static const std::vector<CaptionRow> table = {
        {C::TForm1, " KV Vuduv",
            " KV Vuduv - Remove Vírus que Cria Atalhos e Outros",
            " KV Vuduv - Remove Viruses and Other Shortcuts Creates"},
        {C::TabSheet1, " Remoção de Vírus ", " Remoção de Vírus ", " Virus Removal "},
        {C::TabSheet2, " Ferramentas / Manutenção ", " Ferramentas / Manutenção ", " Tools / Maintenance "},
        {C::TabSheet3, " Opções do Programa ", " Opções do Programa ", " Program Options "},

        {C::GroupBox4, " Verificação ", " Verificação ", " Scan "},
        {C::BitBtn3, "&Instruções", "&Instruções", "&Instructions"},
        {C::BitBtn7, " Verificar &Computador\r Unidade: ", " Verificar &Computador\r Unidade: ",
            " Check &Computer\r Unit: ", CaptionTail::SystemRoot},
        {C::Label17, "Escolha a Unidade do Dispositivo", "Escolha a Unidade do Dispositivo", "Choose Device Unit"},
        {C::BitBtn9, " Verificar &Dispositivo", " Verificar &Dispositivo", " Check &Device"},
        {C::GroupBox5, " Desinfecção ", " Desinfecção ", " Disinfection "},
        {C::BitBtn2, " Desinfectar Com&putador\r Unidade: ", " Desinfectar Com&putador\r Unidade: ",
            " Disinfect Com&puter\r Unit: ", CaptionTail::SystemRoot},
        {C::Label1, "Escolha a Unidade do Dispositivo", "Escolha a Unidade do Dispositivo", "Choose Device Unit"},
        {C::BitBtn1, " Desin&fectar Dispositivo", " Desin&fectar Dispositivo", " Disin&fect Device"},

        {C::GroupBox6, " Processos em Execução ", " Processos em Execução / Nome - ID ",
            " Running Processes / Name - ID "},
        {C::BitBtn10, "Listar Processos", "Listar Processos", "List Processes"},
        {C::BitBtn11, "Finalizar Processo", "Finalizar Processo", "End Process"},
        {C::GroupBox8, " Pastas Temporárias ", " Pastas Temporárias ", " Temporary Folders "},
        {C::Label20, "Temporária de Usuário", "Temporária de Usuário", "Temporary User"},
        {C::Label22, "Espaço ocupado:", "Espaço ocupado:", "Occupied space:"},
        {C::Label21, "Temporária do Windows", "Temporária do Windows", "Temporary Windows"},
        {C::Label23, "Espaço ocupado:", "Espaço ocupado:", "Occupied space:"},
        {C::Button4, " Efetuar Limpeza das Pastas ", " Efetuar Limpeza das Pastas ", " Cleaning Make Folders "},
        {C::GroupBox10, " Repara Ícones ", " Repara Ícones ", " Repairs Ícons "},
        {C::BitBtn15, " Reparar Ícones ", " Reparar Ícones", " Repairs Ícons"},
        {C::GroupBox13, " Sistema ", " Sistema", " System"},
        {C::BitBtn17, "  Gerar Relatório", " Gerar Relatório", " Generate Report"},

        {C::GroupBox7, " Caminho Deste Arquivo ", " Caminho Deste Arquivo ", " Way this Archive "},
        {C::Label19, "Caminho", nullptr, nullptr},
        {C::BitBtn12, " Copiar Programa para sua Área de Trabalho", " Copiar Programa para sua Área de Trabalho",
            " Copy Program to Your Desktop"},
        {C::GroupBox11, " Parâmetros ", " Parâmetros", " Parameters"},
        {C::CheckBox1, "Exibir opção para salvar relatório ao final das verificações?",
            "Exibir opção para salvar relatório ao final das verificações?",
            "Show option to save report at the end of scans?"},
        {C::CheckBox2, "Exibir opção para salvar relatório ao final das desinfecções?",
            "Exibir opção para salvar relatório ao final das desinfecções?",
            "Show option to save report at the end of disinfections?"},
        {C::BitBtn16, " Salvar Alterações", "Salvar Alterações", "Save Editions"},

        {C::Label2, "kvvuduv.example - contato@kvvuduv.example", "kvvuduv.example - contato@kvvuduv.example",
            "kvvuduv.example - contact@kvvuduv.example"},
        {C::Label4, "KV Vuduv nas redes sociais", "KV Vuduv nas redes sociais", "KV Vuduv on social networks"},
        {C::StaticText1, "Versão ", "Versão ", "Version ", CaptionTail::Version},
        {C::GroupBox9, " Selecione o Idioma", " Selecione o Idioma ", " Select Language "},
        {C::BitBtn13, "Português", nullptr, nullptr},
        {C::BitBtn14, "English", nullptr, nullptr},

        {C::StopButton, "Parar", "Parar", "Stop"},
    };
    // clang-format on
    return table;
}

const CaptionRow* FindCaptionRow(ControlId control) {
    for (const CaptionRow& row : CaptionTable()) {
        if (row.control == control) return &row;
    }
    return nullptr;
}

namespace {

std::string WithTail(const char* text, CaptionTail tail, const std::string& systemRoot) {
    std::string caption = text;
    if (tail == CaptionTail::SystemRoot) caption += systemRoot;
    if (tail == CaptionTail::Version) caption += kProductVersion;
    return caption;
}

}  // namespace

std::string InitialCaption(const CaptionRow& row, const std::string& systemRoot) {
    return WithTail(row.initial, row.tail, systemRoot);
}

bool SwitchChangesCaption(const CaptionRow& row) { return row.portuguese != nullptr; }

std::string SwitchedCaption(const CaptionRow& row, UiLanguage language, const std::string& systemRoot) {
    if (!SwitchChangesCaption(row)) return std::string();
    return WithTail(language == UiLanguage::Portuguese ? row.portuguese : row.english, row.tail, systemRoot);
}

const std::vector<HintRow>& HintTable() {
    static const std::vector<HintRow> table = {
        {C::Label17, kDeviceHint},
        {C::SpeedButton3, "Detectar Unidades"},
        {C::DriveComboBox2, kDeviceHint},
        {C::Label1, kDeviceHint},
        {C::SpeedButton1, "Detectar Unidades"},
        {C::DriveComboBox1, kDeviceHint},
        {C::BitBtn1, kDeviceHint},
        {C::Label20, "Abrir esta Pasta."},
        {C::Label21, "Abrir esta Pasta."},
        {C::Label19, "Clique para abri esta pasta!"},
        {C::StopButton, "Interromper a ação em andamento (Esc)"},
    };
    return table;
}

MessagePair CloseWhileRunningQuestion() {
    return {"Uma ação está em andamento. Interromper a ação e fechar o KV Vuduv?",
            "An action is running. Stop it and close KV Vuduv?"};
}

std::vector<std::string> StartupTipsLines() {
    return {
        ">>> Dicas:",
        "",
        "- Clique no botão \"Instruções\" para saber mais.",
        "- Quando for mencionado \"Dispositivo\" ou \"Mídia Externa\", estará se referindo a Pen-Drives, HDs "
        "Externos, Cartões de ",
        "Memória, entre outros.",
        "- Insira seu Dispositivo antes de executar o KV Vuduv.",
        "- Esta ferramenta remove a maioria dos Vírus que criam atalhos e ocultam as pastas do seu Dispositivo.",
        "- Nomes de Vírus retirados: Trashes, dw.dll, Mugen, Hidden, Recycler, extensões CPL, VBS, VBE, JS, WSF, "
        "EXE, outros.",
        "- Desinfecta também o computador, que impede que infecte novamente seus dispositivos.",
        "",
        std::string(">>> [KV Vuduv - Versão ") + kProductVersion + " - " + kReleaseDate +
            "] - Compatibilidade: Windows, XP, 7, 8, 10 e Server - 32 ou 64 Bits",
    };
}

std::vector<std::string> SwitchTipsLines(UiLanguage language) {
    const std::string version = kProductVersion;
    if (language == UiLanguage::Portuguese) {
        return {
            ">>> Dicas:",
            "",
            "- Clique no botão \"Instruções\" para saber mais.",
            "- Quando for mencionado \"Dispositivo\" ou \"Mídia Externa\", estará se referindo a Pen-Drives, HDs "
            "Externos, Cartões deMemória, entre outros.",
            "- Insira seu Dispositivo antes de executar o KV Vuduv.",
            "- Esta ferramenta remove a maioria dos Vírus que criam atalhos e ocultam as pastas do seu Dispositivo.",
            "- Nomes de Vírus retirados: Drive, Trashes, dw.dll, Mugen, Hidden, Recycler, extensões CPL, VBS, VBE, "
            "JS, EXE, outros.",
            "- Desinfecta também o computador, que impede que infecte novamente seus dispositivos.",
            "",
            ">>> [KV Vuduv - Versão: " + version + " - " + kReleaseDate +
                "] - Compatibilidade: Windows XP, 7, 8, 10 e Server - 32 ou 64 Bits",
        };
    }
    return {
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
        ">>> [KV Vuduv - Version: " + version +
            " - December/2018] - Compatibility: Windows XP, 7, 8, 10 and Server "
            "- 32 or 64 Bits",
    };
}

std::uint32_t LanguageButtonColour(ControlId button, UiLanguage active) {
    const ControlId activeButton = active == UiLanguage::Portuguese ? C::BitBtn13 : C::BitBtn14;
    return button == activeButton ? kInactiveButtonColour : kActiveButtonColour;
}

MessagePair AuthorBoxTitle() { return {"Desenvolvedor", "Developed"}; }

MessagePair AuthorBoxText() {
    const std::string version = kProductVersion;
    return {"KV Vuduv " + version + "\r\nDesenvolvido pela equipe do projeto KV Vuduv.\r\n" + kWebPageAddress,
            "KV Vuduv " + version + "\r\nDeveloped by the KV Vuduv project team.\r\n" + kWebPageAddress};
}

MessagePair ErrorBoxTitle() { return {"Erro", "Error"}; }

std::string FileErrorText(UiLanguage language, bool whileWriting, const std::string& path,
                          const std::string& systemMessage) {
    const MessagePair what = whileWriting
                                 ? MessagePair{"Não foi possível gravar o arquivo:", "The file could not be written:"}
                                 : MessagePair{"Não foi possível ler o arquivo:", "The file could not be read:"};
    std::string text = what.For(language) + "\r\n" + path;
    if (!systemMessage.empty()) text += "\r\n\r\n" + systemMessage;
    return text;
}

std::vector<std::string> InstructionsLines() {
    return {
        ">>> Instruções:",
        "",
        "- Quando for mencionado \"Dispositivo\" ou \"Mídia Externa\", estará se referindo a Pen-Drives, HDs "
        "Externos, Cartões de ",
        "Memória, entre outros.",
        "- Insira seu Dispositivo antes de executar o KV Vuduv.",
        "- Esta ferramenta remove a maioria dos Vírus que criam atalhos e ocultam as pastas do seu Dispositivo.",
        "- Nomes comuns de Vírus retirados: Trashes, dw.dll, Mugen, Hidden, Recycler, extensões CPL, VBS, VBE, JS, "
        "WSF, EXE e ",
        "outros.",
        "- Desinfecta também o computador, que impede que infecte novamente seus dispositivos.",
        "- Os Anti-Vírus convencionais não conseguem remover estes tipos de vírus, pois foram feitos em Javascript e "
        "VBScript, ",
        "o que dificulta sua remoção. Portanto, para remoção segura é recomendado usar uma ferramenta específica.",
        "- Você pode plugar a sua Mídia Externa na máquina infectada, fazendo as duas remoções, ou colocar a Mídia "
        "infectada ",
        "numa máquina livre ou apenas remover o vírus de uma máquina infectada.",
        "- Sistemas Operacionais testados com sucesso: Windows XP, Windows 7, Windows 8, Windows 10 e Windows "
        "Server - ",
        "32 ou 64 Bits.",
        "",
        "O que a ferramenta KV Vuduv faz:",
        "",
        ">>> No Computador:",
        "- Procurar os arquivos maliciosos nos locais que costuma infectar e os deleta;",
        "- Procura no registro do sistema as suas referências e as deleta e",
        "- Desfaz os bloqueios no computador causados pelo vírus. Ex: bloqueia do \"Gerenciador de Tarefas\", "
        "\"Propriedades do ",
        "Meu Computador\", entre outros.",
        "",
        ">>> No Dispositivo Externo:",
        "- Procura os arquivos maliciosos nas pastas do Dispositivo selecionado e os deleta;",
        "- Apaga os atalhos das pastas criados pelo vírus;",
        "- Torna suas pastas visíveis novamente;",
        "- Apaga o arquivo 'autorun.inf' do Dispositivo, se existir.",
        "- Apaga a pasta Recycler do Dispositivo, se existir.",
        "",
        std::string(">>> [KV Vuduv - Versão ") + kProductVersion + "] - " + kReleaseDate,
    };
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace kv

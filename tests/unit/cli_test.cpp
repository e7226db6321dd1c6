#include <gtest/gtest.h>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "core/report_file.h"
#include "core/text.h"
#include "tests/support/memory_platform.h"

namespace kv::cli {
namespace {

using test::MemoryPlatform;
using Args = std::vector<std::string>;

class StringSink : public OutputSink {
public:
    std::string text;
    std::vector<std::size_t> writes;  // size of each write, to see the buffering
    void Write(const std::string& bytes) override {
        text += bytes;
        writes.push_back(bytes.size());
    }
};

// ---- Command line ----------------------------------------------------------------

TEST(CliCommandLine, DriveLetterForms) {
    const struct {
        const char* text;
        char letter;  // 0: refused
    } cases[] = {
        {"E", 'E'}, {"e", 'E'}, {"E:", 'E'},  {"f:", 'F'}, {"E:\\", 'E'}, {"z:\\", 'Z'},   {"", 0},   {"EE", 0},
        {"E:/", 0}, {"E\\", 0}, {"E:\\x", 0}, {"1", 0},    {":", 0},      {"\xC3\x89", 0}, {"E;", 0}, {"E:\\\\", 0},
    };
    for (const auto& c : cases) {
        const std::optional<char> letter = ParseDriveLetter(c.text);
        if (c.letter == 0) {
            EXPECT_FALSE(letter.has_value()) << c.text;
        } else {
            EXPECT_EQ(letter, std::optional<char>(c.letter)) << c.text;
        }
    }
}

TEST(CliCommandLine, WellFormedCommandLines) {
    const struct {
        Args args;
        const char* action;
        const char* drive;  // nullptr: none
        UiLanguage language;
        const char* save;  // nullptr: none
    } cases[] = {
        {{"check-device", "E"}, "check-device", "E", UiLanguage::Portuguese, nullptr},
        {{"--lang", "en", "check-device", "e:\\"}, "check-device", "e:\\", UiLanguage::English, nullptr},
        {{"--lang", "pt", "--save", "C:\\r.txt", "check-device", "E:"},
         "check-device",
         "E:",
         UiLanguage::Portuguese,
         "C:\\r.txt"},
        {{"check-device", "E:", "--save", "relatório.txt", "--lang", "en"},
         "check-device",
         "E:",
         UiLanguage::English,
         "relatório.txt"},
        {{"check-computer"}, "check-computer", nullptr, UiLanguage::Portuguese, nullptr},
        {{"whatever"}, "whatever", nullptr, UiLanguage::Portuguese, nullptr},  // the action is checked later
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.args);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_FALSE(parsed.options.help);
        EXPECT_EQ(parsed.options.action, c.action);
        EXPECT_EQ(parsed.options.drive, c.drive ? std::optional<std::string>(c.drive) : std::nullopt);
        EXPECT_EQ(parsed.options.language, c.language);
        EXPECT_EQ(parsed.options.saveFile, c.save ? std::optional<std::string>(c.save) : std::nullopt);
    }
}

TEST(CliCommandLine, MalformedCommandLinesSayWhy) {
    const struct {
        Args args;
        const char* reason;
    } cases[] = {
        {{}, "no action given"},
        {{"--lang", "en"}, "no action given"},
        {{"--lang"}, "--lang needs a value"},
        {{"check-device", "E", "--save"}, "--save needs a value"},
        {{"--lang", "es", "check-device", "E"}, "--lang takes pt or en, not 'es'"},
        {{"--lang", "en", "--lang", "pt", "check-device", "E"}, "--lang given twice"},
        {{"--save", "a.txt", "--save", "b.txt", "check-device", "E"}, "--save given twice"},
        {{"--save", "", "check-device", "E"}, "--save needs a file name"},
        {{"--verbose", "check-device", "E"}, "unknown option '--verbose'"},
        {{"check-device", "-E"}, "unknown option '-E'"},
        {{"check-device", "E", "F"}, "too many arguments ('F')"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCommandLine(c.args).error, c.reason);
    }
    EXPECT_TRUE(ParseCommandLine({"--lang", "xx", "--help"}).options.help);  // help wins over errors
}

// ---- Transcript --------------------------------------------------------------------

TEST(CliTranscript, EventsAreOneLineEachWithCarriageReturnsWrittenOut) {
    StringSink out;
    {
        Transcript transcript(out);
        transcript.OnLineAppended("[KV] - E:\\recuperados\\a.txt");
        transcript.OnReportCleared();
        transcript.ShowMessage(BoxKind::Warning, "Atenção", "linha 1\rlinha 2");
        transcript.ShowMessage(BoxKind::Information, "Outcome", "a\r\nb");
        transcript.ShowMessage(BoxKind::Error, "Erro", "Access is denied.");
        EXPECT_FALSE(transcript.AskYesNo("Aviso", "Deseja reiniciar?"));
        EXPECT_EQ(transcript.ChooseSaveFile({"Salvar", "txt", "*.txt"}), std::nullopt);
    }
    EXPECT_EQ(out.text,
              "[KV] - E:\\recuperados\\a.txt\n"
              "== warning | Atenção | linha 1\\rlinha 2\n"
              "== information | Outcome | a\\r\\nb\n"
              "== error | Erro | Access is denied.\n"
              "== question | Aviso | Deseja reiniciar?\n");
}

TEST(CliTranscript, OutputIsBufferedAndFlushedAtTheThresholdAndAtTheEnd) {
    StringSink out;
    {
        Transcript transcript(out, 100);
        for (int i = 0; i < 30; ++i) transcript.OnLineAppended("[KV] - linha");  // 13 bytes each
        EXPECT_EQ(out.writes, (std::vector<std::size_t>{104, 104, 104}));
    }
    EXPECT_EQ(out.writes.size(), 4u);
    EXPECT_EQ(out.text.size(), 30u * 13);

    StringSink large;
    {
        Transcript transcript(large);  // the program's default buffer
        for (int i = 0; i < 10000; ++i) transcript.OnLineAppended("[KV] - E:\\pasta\\arquivo.txt");
        EXPECT_TRUE(large.writes.empty());
    }
    EXPECT_EQ(large.writes.size(), 1u);
}

// ---- Whole runs ------------------------------------------------------------------

struct CliRun : ::testing::Test {
    MemoryPlatform os;
    StringSink out;
    StringSink err;

    CliRun() {
        os.AddDrive('D', DriveKind::CdRom, "DVD");
        os.AddDrive('E', DriveKind::Removable, "PENDRIVE");
        os.AddDrive('F', DriveKind::Fixed, "DADOS");
    }
    int Run(const Args& args) { return RunCli(args, os, out, err); }
};

const char* const kCleanTranscriptEnglish =
    "[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018\n"
    "[KV] - Top of Verification - 07/12/2026 - 09:20:28\n"
    "[KV] - Checking External Device - Drive: F:\\\n"
    "[KV] - Listando estrutura de Diretórios...\n"
    "[KV] - F:\\notas.txt\n"
    "[KV] - Fim da listagem da estrutura de Diretórios...\n"
    "[KV] - >>> Verificando Vírus ...\n"
    "[KV] - Vírus Trashes não encontrado!\n"
    "[KV] - Vírus Drive não encontrado!\n"
    "[KV] - Vírus Files não encontrado!\n"
    "[KV] - Pasta Recycle não encontrada!\n"
    "[KV] - Pasta Recycle.bin não encontrada!\n"
    "[KV] - Pasta $Recycle.bin não encontrada!\n"
    "[KV] - Pasta Recycler não encontrada!\n"
    "[KV] - Pasta Recycler.bin não encontrada!\n"
    "[KV] - Pasta $Recycler.bin não encontrada!\n"
    "[KV] - Pasta System Volume Information não encontrada!\n"
    "[KV] - Vírus dw.dll não encontrado!\n"
    "[KV] - >>> Verificando outros Vírus ...\n"
    "[KV] - Verificando Tipo VBS...\n"
    "[KV] - Verificando Tipo WSF...\n"
    "[KV] - Verificando Tipo Manuel.doc...\n"
    "[KV] - Verificando Tipo VBE...\n"
    "[KV] - Verificando Atalhos...\n"
    "[KV] - Verificando Tipo JS...\n"
    "[KV] - Verificando Tipo JS1...\n"
    "[KV] - Arquivo Autorun.inf não encontrado!\n"
    "== information | Outcome | Viruses were not found in Drive F:\\!\n";

TEST_F(CliRun, CleanDeviceInEnglishExitsZeroWithTheWholeTranscript) {
    os.AddFile("F:\\notas.txt", 10);
    EXPECT_EQ(Run({"--lang", "en", "check-device", "f:\\"}), kExitNothingFound);
    EXPECT_EQ(out.text, kCleanTranscriptEnglish);
    EXPECT_EQ(err.text, "");
}

TEST_F(CliRun, InfectedDeviceInPortugueseExitsOneAndSavesTheFinalReport) {
    os.AddFile("E:\\Fotos.lnk", 900, attr::kHidden);
    os.AddFile("E:\\Fotos.exe", 250600, attr::kHidden);
    os.AddFolder("C:\\relatorios");
    os.AddFile("C:\\relatorios\\r.txt", 0, attr::kArchive, "an older report that is much longer than nothing");
    EXPECT_EQ(Run({"--save", "C:\\relatorios\\r.txt", "check-device", "E:"}), kExitFound);

    const std::string tail =
        "[KV] - Verificando Atalhos...\n"
        "[KV] > Item <Infecções 10> encontrado!\n"
        "[KV] - Item <Infecções 10.1> não encontrado!\n"
        "[KV] - Item <Infecções 10.2> não encontrado!\n"
        "[KV] > Vírus tipo A1 encontrado!\n"
        "[KV] - Vírus tipo <*.exe> não encontrado!\n"
        "[KV] - Vírus tipo <*.exe> não encontrado!\n"
        "[KV] - Verificando Tipo JS...\n"
        "[KV] - Verificando Tipo JS1...\n"
        "[KV] - Arquivo Autorun.inf não encontrado!\n"
        "[KV] *** O Dispositivo (E:\\) está Infectado! Para remover use o botão \"Desinfectar Dispositivo\"\n"
        "== warning | Atenção | O Dispositivo (E:\\) está Infectado!\\rPara remover use o botão \"Desinfectar "
        "Dispositivo\"\n";
    ASSERT_GE(out.text.size(), tail.size());
    EXPECT_EQ(out.text.substr(out.text.size() - tail.size()), tail);
    EXPECT_EQ(out.text.find("== question"), std::string::npos) << "the console never offers to save";

    // The saved file is the report (no box lines), in the report file format.
    std::string reportLines;
    for (std::size_t start = 0, end; start < out.text.size(); start = end + 1) {
        end = out.text.find('\n', start);
        const std::string line = out.text.substr(start, end - start);
        if (line.rfind("== ", 0) != 0) reportLines += Utf8ToWindows1252(line) + "\r\n";
    }
    EXPECT_EQ(os.ContentOf("C:\\relatorios\\r.txt"), reportLines);
    EXPECT_NE(reportLines.find("Infec\xE7\xF5"
                               "es 10"),
              std::string::npos);  // Windows-1252
}

TEST_F(CliRun, AutorunAloneIsAFinding) {
    os.AddFile("E:\\autorun.inf", 40);
    EXPECT_EQ(Run({"--lang", "en", "check-device", "E"}), kExitFound);
    EXPECT_NE(out.text.find("== warning | Heads up | The device (E:\\) can be Infected!\n"), std::string::npos);
}

TEST_F(CliRun, VerdictLineAndBoxComeInTheirOrder) {
    // The Portuguese "nothing found" box comes before its line; the
    // "found" lines come before their boxes.
    const struct {
        const char* file;  // on E:, or nullptr for an empty device
        const char* lang;
        const char* tail;
    } cases[] = {
        {nullptr, "pt",
         "[KV] - Arquivo Autorun.inf não encontrado!\n"
         "== information | Resultado | Não foram Encontrados Vírus no Drive E:\\!\n"
         "[KV] *** Não foram Encontrados Vírus no Drive E:\\!\n"},
        {"E:\\autorun.inf", "pt",
         "[KV] > Arquivo Autorun.inf encontrado!\n"
         "[KV] *** O Dispositivo (E:\\) pode estar Infectado!\n"
         "== warning | Atenção | O Dispositivo (E:\\) pode estar Infectado!\n"},
        {"E:\\dw.dll", "en",
         "[KV] - Arquivo Autorun.inf não encontrado!\n"
         "== warning | Heads up | The device (E:\\) can be Infected!\n"},
    };
    for (const auto& c : cases) {
        MemoryPlatform machine;
        machine.AddDrive('E', DriveKind::Removable);
        if (c.file) machine.AddFile(c.file, 10);
        StringSink transcript;
        RunCli({"--lang", c.lang, "check-device", "E"}, machine, transcript, err);
        const std::string tail = c.tail;
        ASSERT_GE(transcript.text.size(), tail.size());
        EXPECT_EQ(transcript.text.substr(transcript.text.size() - tail.size()), tail) << c.lang;
    }
}

TEST_F(CliRun, SystemAndOpticalDrivesAreRefusedAndLeftUntouched) {
    os.AddFile("C:\\setup.exe", 100, attr::kHidden);
    os.AddFile("E:\\autorun.inf", 40);
    const struct {
        Args args;
        const char* drive;
    } cases[] = {
        {{"check-device", "C"}, "C:"},
        {{"check-device", "c:\\"}, "C:"},
        {{"--lang", "en", "check-device", "d:"}, "D:"},
        {{"--save", "C:\\r.txt", "check-device", "D"}, "D:"},
    };
    for (const auto& c : cases) {
        out.text.clear();
        err.text.clear();
        EXPECT_EQ(Run(c.args), kExitFailure);
        EXPECT_EQ(out.text, "");
        EXPECT_EQ(err.text, std::string("kvvuduv-cli: drive ") + c.drive +
                                " is refused: it is the system drive or a CD/DVD drive, which the device actions "
                                "never offer\n");
    }
    EXPECT_EQ(os.ReadAttributes("C:\\setup.exe"), attr::kHidden);
    EXPECT_FALSE(os.Exists("C:\\r.txt"));
}

TEST_F(CliRun, ALetterThatIsNoDriveRunsAndFindsNothing) {
    EXPECT_EQ(Run({"check-device", "Q:"}), kExitNothingFound);
    EXPECT_NE(out.text.find("[KV] - Verificando Dispositivo Externo - Unidade: Q:\\\n"
                            "[KV] - Listando estrutura de Diretórios...\n"
                            "[KV] - Fim da listagem da estrutura de Diretórios...\n"),
              std::string::npos);
    EXPECT_NE(out.text.find("== information | Resultado | Não foram Encontrados Vírus no Drive Q:\\!\n"),
              std::string::npos);
}

TEST_F(CliRun, UsageErrorsAndUnbuiltActionsExitTwoWithTheReason) {
    const struct {
        Args args;
        const char* message;
    } cases[] = {
        {{}, "kvvuduv-cli: no action given\n(run kvvuduv-cli --help for the usage)\n"},
        {{"scan", "E"}, "kvvuduv-cli: unknown action 'scan'\n(run kvvuduv-cli --help for the usage)\n"},
        {{"check-device"},
         "kvvuduv-cli: check-device needs a drive (E, E: or E:\\)\n"
         "(run kvvuduv-cli --help for the usage)\n"},
        {{"check-device", "EF"},
         "kvvuduv-cli: 'EF' is not a drive letter (write E, E: or E:\\)\n"
         "(run kvvuduv-cli --help for the usage)\n"},
        {{"check-computer", "E"},
         "kvvuduv-cli: check-computer takes no drive\n(run kvvuduv-cli --help for the usage)\n"},
        {{"disinfect-computer", "C:"},
         "kvvuduv-cli: disinfect-computer takes no drive\n(run kvvuduv-cli --help for the usage)\n"},
    };
    for (const auto& c : cases) {
        out.text.clear();
        err.text.clear();
        EXPECT_EQ(Run(c.args), kExitFailure);
        EXPECT_EQ(err.text, c.message);
        EXPECT_EQ(out.text, "");
    }
}

TEST_F(CliRun, HelpPrintsTheUsageAndExitsZero) {
    EXPECT_EQ(Run({"check-device", "--help"}), kExitNothingFound);
    EXPECT_EQ(out.text, UsageText());
    EXPECT_NE(out.text.find("kvvuduv-cli [--lang pt|en] [--save FILE] ACTION [DRIVE]"), std::string::npos);
    EXPECT_EQ(err.text, "");
}

TEST_F(CliRun, ReportThatCannotBeSavedExitsTwoAfterTheWholeTranscript) {
    os.AddFile("E:\\x.vbs", 10);
    EXPECT_EQ(Run({"--save", "C:\\nao\\existe\\r.txt", "check-device", "E"}), kExitFailure);
    EXPECT_EQ(err.text,
              "kvvuduv-cli: cannot write C:\\nao\\existe\\r.txt: The system cannot find the path specified.\n");
    EXPECT_NE(out.text.find("== warning | Atenção | O Dispositivo (E:\\) está Infectado!"), std::string::npos);

    os.AddFolder("C:\\somente");
    os.AddFile("C:\\somente\\r.txt", 0, attr::kReadOnly, "kept");
    err.text.clear();
    EXPECT_EQ(Run({"--save", "C:\\somente\\r.txt", "check-device", "F"}), kExitFailure);
    EXPECT_EQ(err.text, "kvvuduv-cli: cannot write C:\\somente\\r.txt: Access is denied.\n");
    EXPECT_EQ(os.ContentOf("C:\\somente\\r.txt"), "kept");
}

}  // namespace
}  // namespace kv::cli

// The maintenance tools from the console program: transcripts, files and
// exit statuses on the in-memory machine.
#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "core/report_file.h"
#include "tests/support/memory_platform.h"

namespace kv::cli {
namespace {

using test::MemoryPlatform;
using Args = std::vector<std::string>;

class StringSink : public OutputSink {
public:
    std::string text;
    void Write(const std::string& bytes) override { text += bytes; }
};

class CliToolsTest : public ::testing::Test {
protected:
    int Run(const Args& args) {
        out.text.clear();
        err.text.clear();
        return RunCli(args, os, out, err);
    }
    MemoryPlatform os;
    StringSink out, err;
};

TEST_F(CliToolsTest, ListAndEndProcesses) {
    os.AddProcess("b.exe", true, "C:\\x\\b.exe");
    os.AddProcess("A.exe");
    os.AddProcess("b.exe", true, "C:\\y\\b.exe");
    EXPECT_EQ(Run({"list-processes"}), 0);
    EXPECT_EQ(out.text, "A.exe\nC:\\x\\b.exe\nC:\\y\\b.exe\n");
    EXPECT_EQ(Run({"--lang", "en", "end-process", "B.EXE"}), 0);
    EXPECT_EQ(out.text, "== information | Warning | Process completed successfully!\n");
    EXPECT_EQ(os.RunningProcesses().size(), 1u);
    EXPECT_EQ(Run({"end-process", "b.exe"}), 1);
    EXPECT_EQ(out.text, "== warning | Atenção | O Processo não pode ser finalizado!\n");
    EXPECT_EQ(err.text, "");
}

TEST_F(CliToolsTest, TempFoldersAndTheirCleanup) {
    os.AddFolder("C:\\Windows\\temp");
    os.AddFile("C:\\Users\\user\\AppData\\Local\\Temp\\a.tmp", 1536);
    EXPECT_EQ(Run({"--lang", "en", "temp-folders"}), 0);
    EXPECT_EQ(out.text,
              "C:\\Users\\user\\AppData\\Local\\Temp\\\nOccupied space: 1.50 KB\nC:\\Windows\\temp\\\n"
              "Occupied space: 0B\n");
    EXPECT_EQ(Run({"clean-temp"}), 0);
    const std::string expected =
        "Obs.: Aquivos ou pastas não deletados podem estar em uso...\n"
        "Iniciando Limpeza...\n"
        "Pasta C:\\Users\\user\\AppData\\Local\\Temp\\ encontrada.\n"
        "Arquivo C:\\Users\\user\\AppData\\Local\\Temp\\a.tmp deletado.\n"
        "Pasta C:\\Windows\\temp\\ encontrada.\n"
        "Processo concluído com sucesso!\n"
        "== information | Aviso | Processo concluído com sucesso!\n";
    EXPECT_EQ(out.text, expected);
    EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Local\\zirozov\\kv-temp07-12-202609-20-28.txt"));
    EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-temp07-12-202609-20-28.txt"));
    EXPECT_TRUE(os.ShellOpens().empty());

    os.FailWritesUnder("C:\\Users\\user\\AppData\\Roaming\\zirozov", "Access is denied.");
    EXPECT_EQ(Run({"clean-temp"}), 2);
    EXPECT_EQ(err.text,
              "kvvuduv-cli: cannot write "
              "C:\\Users\\user\\AppData\\Roaming\\zirozov\\kv-temp07-12-202609-20-28.txt: Access is denied.\n");
}

TEST_F(CliToolsTest, RepairIconsAndSystemReport) {
    os.SetRegistryString(RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts", "x",
                         "y");
    EXPECT_EQ(Run({"repair-icons"}), 0);
    EXPECT_EQ(out.text, "== information | Aviso | Para concluir procedimento é necessário reiniciar o computador!\n");
    EXPECT_EQ(Run({"--lang", "en", "repair-icons"}), 1);
    EXPECT_EQ(out.text, "== information | Warning | Unable to repair!\n");

    os.AddProcess("svc.exe");
    EXPECT_EQ(Run({"system-report"}), 0);
    EXPECT_EQ(out.text,
              ">>> Relatório do Sistema Criado em 07/12/2026 às 09:20:28\n\n"
              ">>> Sistema Operacional:  - Versão:  - Build:  - 64 Bits\n\n"
              ">>> Processador:  - Id: \n\n"
              ">>> Lista de Processos em Execução:\n\n"
              "svc.exe\n\n");
    EXPECT_TRUE(os.FileExists("C:\\Users\\user\\AppData\\Local\\zirozov\\kv-relatorio-07-12-2026-09-20-28.txt"));
    EXPECT_TRUE(os.ShellOpens().empty());
}

TEST_F(CliToolsTest, ToolsTakeNoDriveAndNoSave) {
    const struct {
        Args args;
        const char* error;
    } cases[] = {
        {{"temp-folders", "E:"}, "kvvuduv-cli: temp-folders takes no argument\n"},
        {{"end-process"}, "kvvuduv-cli: end-process needs a process name\n"},
        {{"--save", "C:\\r.txt", "system-report"}, "kvvuduv-cli: system-report takes no --save\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), 2);
        EXPECT_EQ(err.text, std::string(c.error) + "(run kvvuduv-cli --help for the usage)\n");
        EXPECT_EQ(out.text, "");
    }
}

}  // namespace
}  // namespace kv::cli

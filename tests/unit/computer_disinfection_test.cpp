// Disinfect Computer on the in-memory machine: whole reports in both
// languages, each group's found and not-found paths, the closing outcome, the
// automatic copies, the restart question and the save offer, and what the
// machine looks like afterwards.
#include "computer/computer_disinfection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "cli/cli_run.h"
#include "core/report_file.h"
#include "core/text.h"
#include "tests/support/memory_platform.h"
#include "tests/support/report_blocks.h"
#include "tests/support/scripted_dialogs.h"

namespace kv {
namespace {

using test::Join;
using test::MemoryPlatform;
using Lines = std::vector<std::string>;

const char* const kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kProductKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

// The folders of the in-memory machine, as the report writes them.
#define PROFILE "C:\\Users\\user"
#define ROAMING "C:\\Users\\user\\AppData\\Roaming"
#define LOCAL "C:\\Users\\user\\AppData\\Local"
#define TEMP "C:\\Users\\user\\AppData\\Local\\Temp\\"
#define STARTUP "C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"
#define COMMON_STARTUP "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"

const char* const kRoamingCopy = ROAMING "\\zirozov\\kv-pc-07-12-2026-09-20-28.txt";
const char* const kLocalCopy = LOCAL "\\zirozov\\kv-pc-07-12-2026-09-20-28.txt";

const Lines kHeaderPt = {
    "[KV] - KV Vuduv - Versão: 2.7.3 - Dezembro/2018",
    "[KV] - Início da Verificação - 07/12/2026 - 09:20:28",
    "[KV] - Verificando Computador",
};
const Lines kHeaderEn = {
    "[KV] - KV Vuduv - Version: 2.7.3 - Dezembro/2018",
    "[KV] - Top of Verification - 07/12/2026 - 09:20:28",
    "[KV] - Checking Computer",
};

// Every step's line on a clean computer, from the first process to the last
// policy value.
const Lines kCleanStepsPt = {
    "[KV] - Processo [kv001] não está em execução neste computador!",
    "[KV] - Processo [kv002] não está em execução neste computador!",
    "[KV] - Processo [kv003] não está em execução neste computador!",
    "[KV] - Processo [kv004] não está em execução neste computador!",
    "[KV] - Processo [kv005] não está em execução neste computador!",
    "[KV] - Processo [kv006] não está em execução neste computador!",
    "[KV] - Processo [kv007] não está em execução neste computador!",
    "[KV] - Processo [kv008] não está em execução neste computador!",
    "[KV] - Procurando Vírus com extensão EXE Tipo 2...",
    "[KV] - Processo [kv009] não está em execução neste computador!",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\ProgramData\\",
    "[KV] - Pasta C:\\Users\\user\\AppData\\Local\\google_i9\\ não Encontrada!",
    "[KV] - Pasta C:\\Users\\user\\AppData\\Local\\google_pdf\\ não Encontrada!",
    "[KV] - Pasta C:\\Users\\user\\AppData\\Roaming\\google_i9\\ não Encontrada!",
    "[KV] - Pasta C:\\Users\\user\\AppData\\Roaming\\google_pdf\\ não Encontrada!",
    "[KV] - Procurando Vírus com extensão WSF...",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\Microsoft Office\\",
    "[KV] - Procurando Vírus com extensão JS...",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start "
    "Menu\\Programs\\Startup\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Local\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\ProgramData\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Windows\\temp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\Microsoft\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\Internet Explorer\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\Internet Explorer\\",
    "[KV] - Procurando Vírus com extensão VBS...",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start "
    "Menu\\Programs\\Startup\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Local\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\ProgramData\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Windows\\temp\\",
    "[KV] - Procurando Vírus com extensão VBE...",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start "
    "Menu\\Programs\\Startup\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Local\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\ProgramData\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Windows\\temp\\",
    "[KV] - Procurando Vírus com extensão EXE na pasta C:\\Windows\\system32\\install\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Windows\\system32\\install\\",
    "[KV] - Procurando Vírus com extensão EXE...",
    "[KV] - Chave de Registro Lnzyzj não Encontrada!",
    "[KV] - Chave de Registro Lnzyzj não Encontrada!",
    "[KV] - Nenhum Código/Vírus Encontrado!",
    "[KV] - Nenhum Código/Vírus Encontrado!",
    "[KV] - Procurando desktop.exe (Sality)...",
    "[KV] - Procurando Vírus xcv.exe - Prolifera pela extensão .cpl (Painel de Controle)...",
    "[KV] - Pasta C:\\ProgramData\\ASX\\ não Encontrada!",
    "[KV] - Procurando Vírus dw.dll...",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - Nenhum Código/Vírus Encontrado em C:\\Windows\\temp\\",
    "[KV] - Reparando Funções de Sistema...",
    "[KV] - Chave de Registro NofolderOptions não Encontrada!",
    "[KV] - Chave de Registro NoControlPanel não Encontrada",
    "[KV] - Chave de Registro HomePage não Enontrada!",
    "[KV] - Chave de Registro HomePage não Encontrada",
    "[KV] - Chave de Registro DisableConfig não Encontrada!",
};
const Lines kCleanStepsEn = {
    "[KV] - Process [kv001] is not running on this computer!",
    "[KV] - Process [kv002] is not running on this computer!",
    "[KV] - Process [kv003] is not running on this computer! ",
    "[KV] - Process [kv004] is not running on this computer!",
    "[KV] - Process [kv005] is not running on this computer!",
    "[KV] - Process [kv006] is not running on this computer!",
    "[KV] - Process [kv007] is not running on this computer!",
    "[KV] - Process [kv008] is not running on this computer!",
    "[KV] - Looking Virus with EXE extension Type 2...",
    "[KV] - Process [kv009] is not running on this computer!",
    "[KV] - No Code/Virus Found in C:\\ProgramData\\",
    "[KV] - Folder C:\\Users\\user\\AppData\\Local\\google_i9\\ not Found!",
    "[KV] - Folder C:\\Users\\user\\AppData\\Local\\google_pdf\\ not Found!",
    "[KV] - Folder C:\\Users\\user\\AppData\\Roaming\\google_i9\\ not Found!",
    "[KV] - Folder C:\\Users\\user\\AppData\\Roaming\\google_pdf\\ not Found!",
    "[KV] - Looking Virus with WSF extension...",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Roaming\\Microsoft Office\\",
    "[KV] - Looking Virus with JS extension...",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start "
    "Menu\\Programs\\Startup\\",
    "[KV] - No Code/Virus Found in C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Roaming\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Local\\",
    "[KV] - No Code/Virus Found in C:\\ProgramData\\",
    "[KV] - No Code/Virus Found in C:\\Program Files\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - No Code/Virus Found in C:\\Windows\\temp\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Roaming\\Microsoft\\",
    "[KV] - No Code/Virus Found in C:\\Program Files\\Internet Explorer\\",
    "[KV] - No Code/Virus Found in C:\\Program Files\\Internet Explorer\\",
    "[KV] - Looking Virus VBS extension with...",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start "
    "Menu\\Programs\\Startup\\",
    "[KV] - No Code/Virus Found in C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Roaming\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Local\\",
    "[KV] - No Code/Virus Found in C:\\ProgramData\\",
    "[KV] - No Code/Virus Found in C:\\Program Files\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - No Code/Virus Found in C:\\Windows\\temp\\",
    "[KV] - Looking Virus with VBE extension...",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start "
    "Menu\\Programs\\Startup\\",
    "[KV] - No Code/Virus Found in C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Roaming\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Local\\",
    "[KV] - No Code/Virus Found in C:\\ProgramData\\",
    "[KV] - No Code/Virus Found in C:\\Program Files\\",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - No Code/Virus Found in C:\\Windows\\temp\\",
    "[KV] - Looking Virus with EXE extension in folder C:\\Windows\\system32\\install\\",
    "[KV] - No Code/Virus Found in C:\\Windows\\system32\\install\\",
    "[KV] - Looking Virus with EXE extension...",
    "[KV] - Key Lnzyzj Record not Found!",
    "[KV] - Key Lnzyzj Record not Found!",
    "[KV] - No Code/Virus Found!",
    "[KV] - No Code/Virus Found!",
    "[KV] - Looking Desktop.exe (Sality)...",
    "[KV] - Procurando Vírus xcv.exe - Prolifera pela extensão .cpl (Painel de Controle)...",
    "[KV] - Folder C:\\ProgramData\\ASX\\ not Found!",
    "[KV] - Looking dw.dll Virus...",
    "[KV] - No Code/Virus Found in C:\\Users\\user\\AppData\\Local\\Temp\\",
    "[KV] - No Code/Virus Found in C:\\Windows\\temp\\",
    "[KV] - Reparando Funções de Sistema...",
    "[KV] - Registry key NofolderOptions not found!",
    "[KV] - Registry Key NoControlPanel not found",
    "[KV] - Registry Key HomePage not found!",
    "[KV] - Registry Key HomePage not found",
    "[KV] - Registry Key DisableConfig not found!",
};

// Answers every question No and records, with each box and question, the
// report's last line at that moment: the order of lines, boxes and questions.
class RecordingDialogs : public test::ScriptedDialogs {
public:
    explicit RecordingDialogs(const ReportLog& report) : report_(report) {}
    std::vector<std::string> lastLines;

    void ShowMessage(BoxKind kind, const std::string& title, const std::string& text) override {
        Record();
        ScriptedDialogs::ShowMessage(kind, title, text);
    }
    bool AskYesNo(const std::string& title, const std::string& text) override {
        Record();
        return ScriptedDialogs::AskYesNo(title, text);
    }
    bool AskYesNoWarning(const std::string& title, const std::string& text) override {
        Record();
        return ScriptedDialogs::AskYesNoWarning(title, text);
    }

private:
    void Record() { lastLines.push_back(report_.Lines().empty() ? "" : report_.Lines().back()); }
    const ReportLog& report_;
};

// The computer of the in-memory platform with a few folders a real one has.
struct Machine {
    explicit Machine(UiLanguage language) {
        session.language = language;
        os.AddFolder("C:\\Program Files\\Internet Explorer");
        os.AddFile(PROFILE "\\Desktop\\notas.txt", 20);
        os.AddFile(PROFILE "\\Documents\\carta.docx", 2000);
        os.SetRegistryString(HKLM, kProductKey, "ProductName", "Windows 10 Pro");
    }
    void Run() {
        dialogs.yesNoAnswers = {false, false, false};
        ComputerDisinfection(ctx);
    }
    MemoryPlatform os;
    Session session;
    RecordingDialogs dialogs{session.report};
    ActionContext ctx{os, dialogs, session};
};

// A change to the clean report: the first run of lines equal to find becomes
// replace.
struct Edit {
    Lines find;
    Lines replace;
};

// An edit that puts lines right after the first line equal to anchor.
Edit After(const std::string& anchor, const Lines& inserted) { return {{anchor}, Join({{anchor}, inserted})}; }

Lines Edited(Lines report, const std::vector<Edit>& edits) {
    for (const Edit& edit : edits) {
        auto at = std::search(report.begin(), report.end(), edit.find.begin(), edit.find.end());
        if (at == report.end()) {
            ADD_FAILURE() << "the clean report lacks the lines beginning " << edit.find.front();
            continue;
        }
        at = report.erase(at, at + static_cast<std::ptrdiff_t>(edit.find.size()));
        report.insert(at, edit.replace.begin(), edit.replace.end());
    }
    return report;
}

// The closing lines and the boxes and questions that follow them, by flags.
struct Closing {
    Lines lines;
    Lines events;
};

Closing ClosingFor(UiLanguage language, bool infection, bool undeleted, bool restart) {
    const bool pt = language == UiLanguage::Portuguese;
    Closing closing;
    if (!infection) {
        closing.lines = {pt ? "[KV] - Nenhum Vírus Encontrado!" : "[KV] - No Viruses Found!"};
        closing.events = {pt ? "information | Aviso | Nenhum Vírus Encontrado neste Computador!"
                             : "information | Warning | No Virus Found this computer!"};
    } else if (undeleted) {
        closing.lines = pt ? Lines{"[KV] > Alguns arquivos não puderam ser Desinfectados! Verifique o relatório!",
                                   "[KV] > Tente executar o programa como Administrador!"}
                           : Lines{"[KV] > Some files could not be Disinfected! Check the report!",
                                   "[KV] > Run the program as Administrator!"};
        closing.events = {pt ? "warning | Atenção | Alguns arquivos não puderam ser Desinfectados! Verifique o "
                               "relatório!\rTente executar o programa como Administrador!"
                             : "warning | Heads up | Some files could not be Disinfected! Check report!\rRun the "
                               "program as Administrator!"};
    } else {
        closing.lines = {pt ? "[KV] > Vírus Encontrados e eliminados do Computador! Verifique o relatório!"
                            : "[KV] > Virus Found and Deleted this computer!"};
        closing.events = {pt ? "warning | Atenção | Vírus Encontrados e eliminados do Computador! Verifique o "
                               "relatório!"
                             : "warning | Heads up | Virus Found and Deleted this computer!"};
    }
    closing.lines.push_back(pt ? "[KV] - Processo Concluído com Sucesso!" : "[KV] - Process Completed Successfully!");
    if (restart) {
        closing.events.push_back(
            pt ? "warning-question | Opções | É necessário reiniciar o Computador! Reiniciar agora?"
               : "warning-question | Options | You must restart your computer! Restart now?");
    }
    closing.events.push_back(pt ? "question | Aviso | Deseja salvar o Relatório?"
                                : "question | Warning | Want to save the report?");
    return closing;
}

Lines WithoutLastLine(const Lines& lines) { return Lines(lines.begin(), lines.end() - 1); }

// Compares two reports and, when they differ, shows where: the first line
// that differs and a few lines after it on each side.
void ExpectReport(const Lines& actual, const Lines& expected) {
    if (actual == expected) return;
    std::size_t first = 0;
    while (first < actual.size() && first < expected.size() && actual[first] == expected[first]) ++first;
    std::ostringstream shown;
    shown << "reports differ from line " << first << " (" << actual.size() << " lines, expected " << expected.size()
          << ")\n";
    for (std::size_t i = first; i < first + 8; ++i) {
        shown << "  got:      " << (i < actual.size() ? actual[i] : "<end>") << "\n";
        shown << "  expected: " << (i < expected.size() ? expected[i] : "<end>") << "\n";
    }
    ADD_FAILURE() << shown.str();
}

TEST(ComputerDisinfection, CleanComputerInBothLanguages) {
    {
        Machine m(UiLanguage::Portuguese);
        m.Run();
        const Lines report = Join(
            {kHeaderPt, kCleanStepsPt, {"[KV] - Nenhum Vírus Encontrado!", "[KV] - Processo Concluído com Sucesso!"}});
        ExpectReport(m.session.report.Lines(), report);
        EXPECT_EQ(m.dialogs.events, (Lines{"information | Aviso | Nenhum Vírus Encontrado neste Computador!",
                                           "question | Aviso | Deseja salvar o Relatório?"}));
        EXPECT_FALSE(m.session.outcome.InfectionFlag);
        // Both copies end with the outcome line, before the completion line.
        EXPECT_EQ(m.os.ContentOf(kRoamingCopy), ReportFileBytes(WithoutLastLine(report)));
        EXPECT_EQ(m.os.ContentOf(kLocalCopy), ReportFileBytes(WithoutLastLine(report)));
        EXPECT_TRUE(m.os.ExitWindowsCalls().empty());
        EXPECT_TRUE(m.os.CommandLines().empty());
        EXPECT_TRUE(m.os.FileExists(PROFILE "\\Desktop\\notas.txt"));
    }
    {
        // Without the save option the action ends at the completion line.
        Machine m(UiLanguage::English);
        m.session.options.afterDisinfections = false;
        m.Run();
        const Lines report =
            Join({kHeaderEn, kCleanStepsEn, {"[KV] - No Viruses Found!", "[KV] - Process Completed Successfully!"}});
        ExpectReport(m.session.report.Lines(), report);
        EXPECT_EQ(m.dialogs.events, (Lines{"information | Warning | No Virus Found this computer!"}));
        EXPECT_EQ(m.os.ContentOf(kRoamingCopy), ReportFileBytes(WithoutLastLine(report)));
        EXPECT_EQ(m.os.ContentOf(kLocalCopy), ReportFileBytes(WithoutLastLine(report)));
    }
}

// One group's finding on an otherwise clean computer: the clean report with
// the group's lines edited in, the outcome the flags call for, and the machine
// afterwards.
struct GroupCase {
    const char* what;
    UiLanguage language;
    std::function<void(MemoryPlatform&)> setUp;
    std::vector<Edit> edits;
    bool infection, undeleted, restart;
    std::function<void(MemoryPlatform&)> checkMachine;
};

void RunGroupCases(const std::vector<GroupCase>& cases) {
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.what);
        Machine m(c.language);
        c.setUp(m.os);
        m.Run();
        const bool pt = c.language == UiLanguage::Portuguese;
        const Closing closing = ClosingFor(c.language, c.infection, c.undeleted, c.restart);
        ExpectReport(
            m.session.report.Lines(),
            Join({pt ? kHeaderPt : kHeaderEn, Edited(pt ? kCleanStepsPt : kCleanStepsEn, c.edits), closing.lines}));
        EXPECT_EQ(m.dialogs.events, closing.events);
        const ScanOutcome& flags = m.session.outcome;
        EXPECT_EQ(flags.InfectionFlag, c.infection);
        EXPECT_EQ(flags.UndeletedFileFlag, c.undeleted);
        EXPECT_EQ(flags.RestartNeededFlag, c.restart);
        EXPECT_TRUE(m.os.ExitWindowsCalls().empty());  // the restart was declined
        if (c.checkMachine) c.checkMachine(m.os);
    }
}

bool Running(MemoryPlatform& os, const std::string& name) { return IsProcessRunning(os, name); }

// The five lines of a file removed by the shared routine, with no process
// and no Run value.
Lines FileRemovedPt(const std::string& path, const std::string& base) {
    return {"[KV] - Processo [kv00x] não está em execução neste computador!",
            "[KV] > Arquivo " + path + " Deletado com Sucesso!",
            "[KV] - Chave de Registro " + base + " não Encontrada!",
            "[KV] - Chave de Registro " + base + " não Encontrada!",
            "[KV] - Chave de Registro " + base + " não Encontrada!"};
}

const char* const kGroup2LinePt = "[KV] - Nenhum Código/Vírus Encontrado em C:\\ProgramData\\";
const char* const kGroup2LineEn = "[KV] - No Code/Virus Found in C:\\ProgramData\\";
const char* const kLastGoogleLinePt = "[KV] - Pasta " ROAMING "\\google_pdf\\ não Encontrada!";

TEST(ComputerDisinfection, ProcessesFilesAndFoldersOfGroupsOneToSeven) {
    RunGroupCases({
        {"running virus processes are ended; calc.exe is left when notepad.exe was ended",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddProcess("C:\\Windows\\System32\\wscript.exe");
             os.AddProcess("rundll32.exe");
             os.AddProcess("notepad.exe");
             os.AddProcess("calc.exe");
             os.AddProcess("MSIEXEC.EXE");
         },
         {{{"[KV] - Processo [kv001] não está em execução neste computador!"}, {"[KV] > Processo [kv001] finalizado!"}},
          {{"[KV] - Processo [kv003] não está em execução neste computador!"}, {"[KV] > Processo [kv003] finalizado!"}},
          {{"[KV] - Processo [kv008] não está em execução neste computador!"}, {"[KV] > Processo [kv008] finalizado!"}},
          {{"[KV] - Processo [kv009] não está em execução neste computador!"},
           {"[KV] > Processo [kv009] finalizado!"}}},
         true,
         false,
         false,
         [](MemoryPlatform& os) {
             EXPECT_TRUE(Running(os, "calc.exe"));
             EXPECT_FALSE(Running(os, "notepad.exe") || Running(os, "wscript.exe") || Running(os, "msiexec.exe"));
         }},
        {"rundll32.exe alone is ended but is no finding; calc.exe stands in for notepad.exe",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddProcess("rundll32.exe");
             os.AddProcess("calc.exe");
         },
         {{{"[KV] - Process [kv003] is not running on this computer! "}, {"[KV] > Process [kv003] finished!"}},
          {{"[KV] - Process [kv008] is not running on this computer!"}, {"[KV] > Process [kv008] finished!"}}},
         true,
         false,
         false,
         [](MemoryPlatform& os) { EXPECT_FALSE(Running(os, "calc.exe")); }},
        {"only rundll32.exe: nothing found",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) { os.AddProcess("rundll32.exe"); },
         {{{"[KV] - Processo [kv003] não está em execução neste computador!"},
           {"[KV] > Processo [kv003] finalizado!"}}},
         false,
         false,
         false,
         nullptr},
        {"a program in the common application data, with its Run value",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\ProgramData\\svc.exe", 100, attr::kHidden);
             os.SetRegistryString(HKLM, kRun, "svc", "C:\\ProgramData\\svc.exe");
         },
         {{{kGroup2LinePt},
           {"[KV] - Processo [kv00x] não está em execução neste computador!",
            "[KV] > Arquivo C:\\ProgramData\\svc.exe Deletado com Sucesso!",
            "[KV] - Chave de Registro svc não Encontrada!", "[KV] - Chave de Registro svc não Encontrada!",
            "[KV] - Chave de Registro svc Deletada!"}}},
         true,
         false,
         false,
         [](MemoryPlatform& os) {
             EXPECT_FALSE(os.Exists("C:\\ProgramData\\svc.exe"));
             EXPECT_FALSE(os.RegValueExists(HKLM, kRun, "svc"));
         }},
        {"a Run value naming nefcb and its folder, not on Windows XP: no box, the shell stays",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.SetRegistryString(HKCU, kRun, "upd", LOCAL "\\nefcb\\nefcb.exe");
             os.SetRegistryString(HKCU, kRun, "other", "C:\\tools\\x.exe");
             os.AddFile(LOCAL "\\nefcb\\nefcb.exe", 5000);
             os.AddProcess("explorer.exe");
         },
         {After(kGroup2LinePt, {"[KV] > Chave de Registro upd foi deletada!",
                                "[KV] > Pasta " LOCAL "\\nefcb\\ Deletada com Sucesso!"})},
         true,
         false,
         false,
         [](MemoryPlatform& os) {
             EXPECT_FALSE(os.RegValueExists(HKCU, kRun, "upd"));
             EXPECT_TRUE(os.RegValueExists(HKCU, kRun, "other"));
             EXPECT_FALSE(os.Exists(LOCAL "\\nefcb"));
             EXPECT_TRUE(Running(os, "explorer.exe"));
         }},
        {"Run values launching WindowsUpdate\\Live.exe, exactly; their folders",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.SetRegistryString(HKCU, kRun, "Updater", ROAMING "\\WindowsUpdate\\Live.exe");
             os.SetRegistryString(HKCU, kRun, "Windows Live", "x");
             os.SetRegistryString(HKCU, kRun, "Live", "y");
             os.SetRegistryString(HKCU, kRun, "Other case",
                                  "c:\\users\\user\\appdata\\roaming\\windowsupdate\\live.exe");
             os.AddFile(ROAMING "\\WindowsUpdate\\Live.exe", 5000);
             os.AddFile(ROAMING "\\Windows Live\\cfg.dat", 50);
         },
         {After(kGroup2LinePt,
                {"[KV] > Chave de Registro Updater foi deletada!",
                 "[KV] > Chave de Registro Windows Live foi deletada!", "[KV] > Chave de Registro Live foi deletada!",
                 "[KV] > Pasta " ROAMING "\\WindowsUpdate Deletada com Sucesso!",
                 "[KV] > Pasta " ROAMING "\\Windows Live Deletada com Sucesso!"})},
         true,
         false,
         false,
         [](MemoryPlatform& os) {
             EXPECT_EQ(os.RegValueNames(HKCU, kRun), Lines{"Other case"});
             EXPECT_FALSE(os.Exists(ROAMING "\\WindowsUpdate") || os.Exists(ROAMING "\\Windows Live"));
         }},
        {"known files: one removed with its Run values, one that stays",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile(ROAMING "\\breakini.exe", 3000, attr::kHidden | attr::kReadOnly);
             os.SetRegistryString(HKCU, kRun, "breakini", ROAMING "\\breakini.exe");
             os.SetRegistryString(HKLM, kRun, "breakini.exe", ROAMING "\\breakini.exe");
             os.AddFile(LOCAL "\\Meu_pc.zip", 3000);
             os.SetLocked(LOCAL "\\Meu_pc.zip");
         },
         {After(kGroup2LinePt, {"[KV] > Arquivo " ROAMING "\\breakini.exe Deletado!",
                                "[KV] > Chave de Registro breakini Deletada com Sucesso! - CurrentUser",
                                "[KV] > Chave de Registro breakini.exe Deletada com Sucesso! - LocalMachine",
                                "[KV] > Arquivo " LOCAL "\\Meu_pc.zip não pôde ser Deletado!"})},
         true,
         true,
         false,
         [](MemoryPlatform& os) {
             EXPECT_FALSE(os.Exists(ROAMING "\\breakini.exe"));
             EXPECT_TRUE(os.RegValueNames(HKCU, kRun).empty() && os.RegValueNames(HKLM, kRun).empty());
         }},
        {"the google folders: one deleted, one that stays",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile(LOCAL "\\google_i9\\a.txt", 10);
             os.AddFile(ROAMING "\\google_pdf\\x.dll", 10);
             os.SetLocked(ROAMING "\\google_pdf\\x.dll");
         },
         {{{"[KV] - Folder " LOCAL "\\google_i9\\ not Found!"},
           {"[KV] > " LOCAL "\\google_i9\\ folder Successfully Deleted!"}},
          {{"[KV] - Folder " ROAMING "\\google_pdf\\ not Found!"},
           {"[KV] > " ROAMING "\\google_pdf\\ folder can not be Deleted!"}},
          // The scripts step walks the folder that stayed.
          {{"[KV] - No Code/Virus Found in " ROAMING "\\Microsoft\\"},
           {"[KV] - No Code/Virus Found in " ROAMING "\\google_pdf\\",
            "[KV] - No Code/Virus Found in " ROAMING "\\Microsoft\\"}}},
         true,
         true,
         false,
         [](MemoryPlatform& os) { EXPECT_FALSE(os.Exists(LOCAL "\\google_i9")); }},
        {"Run values opening a .jpg start the task's deletion once each; .JPG is left",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.SetRegistryString(HKLM, kRun, "pic", "\"C:\\Users\\user\\Pictures\\foto.jpg\"");
             os.SetRegistryString(HKCU, kRun, "a", "C:\\x\\b.JPG");
             os.SetRegistryString(HKCU, kRun, "b", "C:\\x\\c.jpg");
             os.SetRegistryDword(HKCU, kRun, "n", 7);
         },
         {After(kLastGoogleLinePt, {"[KV] > Chave pic Deletada com Sucesso!", "[KV] > Chave b Deletada com Sucesso!"})},
         true,
         false,
         false,
         [](MemoryPlatform& os) {
             const std::string command = "cmd /c schtasks /delete /tn \"Google Security\" /f";
             EXPECT_EQ(os.CommandLines(), (Lines{command, command}));
             EXPECT_EQ(os.RegValueNames(HKCU, kRun), (Lines{"a", "n"}));
         }},
        {"a .jpg value the user may not delete",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.SetRegistryString(HKLM, kRun, "pic", "C:\\p.jpg");
             os.ProtectRegistryKey(HKLM, kRun);
         },
         {After("[KV] - Folder " ROAMING "\\google_pdf\\ not Found!", {"[KV] > Key pic It could not be deleted!"})},
         true,
         true,
         false,
         nullptr},
    });
}

const char* const kLastNotFoundBeforeGroup10Pt = kLastGoogleLinePt;

Lines KeptFolderPt(const std::string& path, const std::string& program, const std::string& script) {
    return Join({{"[KV] > Pasta " + path + " está infectada!"},
                 FileRemovedPt(path + "\\" + program, DropLastChars(program, 4)),
                 FileRemovedPt(path + "\\" + script, DropLastChars(script, 3)),
                 {"[KV] > Pasta " + path + " mantida por ser uma pasta do próprio usuário!"}});
}

TEST(ComputerDisinfection, InfectedFoldersAreDeletedButTheUsersOwnFoldersAreKept) {
    RunGroupCases({
        {"the malware's folders go; the Desktop, the Downloads and AppData keep all but the small programs and "
         "scripts; a junction is passed over",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile(PROFILE "\\Sys32\\svc.exe", 2000, attr::kHidden);
             os.AddFile(PROFILE "\\Sys32\\run.js", 100);
             os.AddFile(PROFILE "\\Sys32\\cfg\\a.dat", 10);
             os.AddFile(PROFILE "\\Desktop\\tool.exe", 1000);
             os.AddFile(PROFILE "\\Desktop\\go.js", 10);
             os.AddFile(PROFILE "\\Desktop\\setup.exe", 500000);
             os.AddFile(PROFILE "\\Desktop\\Projeto\\main.js", 10);
             os.AddFile(PROFILE "\\Downloads\\a.exe", 179999);
             os.AddFile(PROFILE "\\Downloads\\b.js", 1);
             os.AddFile(PROFILE "\\AppData\\k.exe", 10);
             os.AddFile(PROFILE "\\AppData\\k.js", 10);
             os.AddFile("C:\\Trap\\t.exe", 10);
             os.AddFile("C:\\Trap\\t.js", 10);
             os.AddFolderLink(PROFILE "\\Cookies", "C:\\Trap");
             os.AddFile(PROFILE "\\Music\\big.exe", 180000);  // at the limit: not small
             os.AddFile(PROFILE "\\Music\\x.js", 10);
             os.AddFile(ROAMING "\\Updater\\u.exe", 10);
             os.AddFile(ROAMING "\\Updater\\u.js", 10);
         },
         {After(kLastGoogleLinePt, Join({KeptFolderPt(PROFILE "\\AppData", "k.exe", "k.js"),
                                         KeptFolderPt(PROFILE "\\Desktop", "tool.exe", "go.js"),
                                         KeptFolderPt(PROFILE "\\Downloads", "a.exe", "b.js"),
                                         {"[KV] > Pasta " PROFILE "\\Sys32 está infectada!",
                                          "[KV] > Pasta " PROFILE "\\Sys32 Deletada com Sucesso!",
                                          "[KV] > Pasta " ROAMING "\\Updater está infectada!",
                                          "[KV] > Pasta " ROAMING "\\Updater Deletada com Sucesso!"}}))},
         true,
         false,
         false,
         [](MemoryPlatform& os) {
             EXPECT_FALSE(os.Exists(PROFILE "\\Sys32") || os.Exists(ROAMING "\\Updater"));
             EXPECT_FALSE(os.Exists(PROFILE "\\Desktop\\tool.exe") || os.Exists(PROFILE "\\Desktop\\go.js"));
             for (const char* kept : {PROFILE "\\Desktop\\setup.exe", PROFILE "\\Desktop\\notas.txt",
                                      PROFILE "\\Desktop\\Projeto\\main.js", PROFILE "\\Documents\\carta.docx",
                                      "C:\\Trap\\t.exe", "C:\\Trap\\t.js", PROFILE "\\Music\\x.js"}) {
                 EXPECT_TRUE(os.FileExists(kept)) << kept;
             }
             EXPECT_TRUE(os.FolderExists(ROAMING "\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"));
         }},
        {"a folder that cannot be deleted is tried twice with one line; a shell folder the platform names in "
         "another case is still the user's",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile(PROFILE "\\Locked\\l.exe", 10);
             os.AddFile(PROFILE "\\Locked\\l.js", 10);
             os.SetLocked(PROFILE "\\Locked\\l.exe");
             os.AddFile(PROFILE "\\OneDrive\\s.exe", 10);
             os.AddFile(PROFILE "\\OneDrive\\s.js", 10);
             os.SetUserShellFolders({"c:\\users\\USER\\onedrive"});
         },
         {After("[KV] - Folder " ROAMING "\\google_pdf\\ not Found!",
                {"[KV] > Folder " PROFILE "\\Locked is infected!",
                 "[KV] > Folder " PROFILE "\\Locked could not be Deleted!",
                 "[KV] > Folder " PROFILE "\\OneDrive is infected!",
                 "[KV] - Process [kv00x] is not running on this computer!",
                 "[KV] > File " PROFILE "\\OneDrive\\s.exe Successfully Deleted!", "[KV] - Registry key s not Found!",
                 "[KV] - Registry key s not Found!", "[KV] - Registry key s not Found!",
                 "[KV] - Process [kv00x] is not running on this computer!",
                 "[KV] > File " PROFILE "\\OneDrive\\s.js Successfully Deleted!", "[KV] - Registry key s not Found!",
                 "[KV] - Registry key s not Found!", "[KV] - Registry key s not Found!",
                 "[KV] > Folder " PROFILE "\\OneDrive kept because it is the user's own folder!"})},
         true,
         false,
         false,
         [](MemoryPlatform& os) {
             EXPECT_TRUE(os.FileExists(PROFILE "\\Locked\\l.exe"));
             EXPECT_FALSE(os.Exists(PROFILE "\\Locked\\l.js"));
             EXPECT_TRUE(os.FolderExists(PROFILE "\\OneDrive"));
         }},
    });
}

const char* const kJsHeadingPt = "[KV] - Procurando Vírus com extensão JS...";

TEST(ComputerDisinfection, ShortcutsScriptsAndRunValuesOfGroupsNineToEighteen) {
    RunGroupCases({
        {"startup shortcuts",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile(STARTUP "\\start.lnk", 900);
             os.AddFile(COMMON_STARTUP "\\empezar.lnk", 900);
         },
         {After(kLastNotFoundBeforeGroup10Pt, {"[KV] > Arquivo " STARTUP "\\start.lnk Deletado!",
                                               "[KV] > Arquivo " COMMON_STARTUP "\\empezar.lnk Deletado!"})},
         true,
         false,
         false,
         nullptr},
        {"the WSF script removes its own Run value; no restart",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile(ROAMING "\\Microsoft Office\\Microsoft Excel.WsF", 900);
             os.SetRegistryString(HKCU, kRun, "Microsoft Excel", "wscript \"Microsoft Excel.WsF\"");
         },
         {{{"[KV] - Nenhum Código/Vírus Encontrado em " ROAMING "\\Microsoft Office\\"},
           {"[KV] - Processo [kv00x] não está em execução neste computador!",
            "[KV] > Arquivo " ROAMING "\\Microsoft Office\\Microsoft Excel.WsF Deletado com Sucesso!",
            "[KV] > Chave de Registro Microsoft Excel Deletada!",
            "[KV] - Chave de Registro Microsoft Excel não Encontrada!",
            "[KV] - Chave de Registro Microsoft Excel não Encontrada!"}},
          // The step-by-step walk of the roaming folder meets the new folder too.
          After("[KV] - Nenhum Código/Vírus Encontrado em C:\\Users\\user\\AppData\\Roaming\\Microsoft\\",
                {"[KV] - Nenhum Código/Vírus Encontrado em " ROAMING "\\Microsoft Office\\"})},
         true,
         false,
         false,
         nullptr},
        {"scripts: AVG Secure Search is left alone, SysinfY2X.db goes, a .vbe in Windows\\temp",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Program Files\\AVG Secure Search\\c.js", 10);
             os.AddFile("C:\\Program Files\\App\\d.js", 10);
             os.AddFile(TEMP "SysinfY2X.db", 10);
             os.AddFile("C:\\Windows\\temp\\e.vbe", 10);
         },
         {{{"[KV] - Nenhum Código/Vírus Encontrado em " TEMP, "[KV] - Nenhum Código/Vírus Encontrado em " TEMP},
           Join({{"[KV] - Nenhum Código/Vírus Encontrado em " TEMP}, FileRemovedPt(TEMP "SysinfY2X.db", "SysinfY2X")})},
          {{"[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\Internet Explorer\\",
            "[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\Internet Explorer\\"},
           Join({FileRemovedPt("C:\\Program Files\\App\\d.js", "d"),
                 {"[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\Internet Explorer\\",
                  "[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\App\\",
                  "[KV] - Nenhum Código/Vírus Encontrado em C:\\Program Files\\Internet Explorer\\"}})},
          {{"[KV] - Procurando Vírus com extensão VBE..."}, {"[KV] - Procurando Vírus com extensão VBE..."}},
          {{"[KV] - Nenhum Código/Vírus Encontrado em C:\\Windows\\temp\\",
            "[KV] - Procurando Vírus com extensão EXE na pasta C:\\Windows\\system32\\install\\"},
           Join({FileRemovedPt("C:\\Windows\\temp\\e.vbe", "e"),
                 {"[KV] - Procurando Vírus com extensão EXE na pasta C:\\Windows\\system32\\install\\"}})}},
         true,
         false,
         false,
         [](MemoryPlatform& os) { EXPECT_TRUE(os.FileExists("C:\\Program Files\\AVG Secure Search\\c.js")); }},
        {"win32.exe in the install folder and the HKCU value ask for a restart",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Windows\\system32\\install\\win32.exe", 10);
             os.SetRegistryString(HKCU, kRun, "HKCU", "C:\\Windows\\system32\\install\\win32.exe");
         },
         {{{"[KV] - No Code/Virus Found in C:\\Windows\\system32\\install\\"},
           {"[KV] - Process [kv00x] is not running on this computer!",
            "[KV] > File C:\\Windows\\system32\\install\\win32.exe Successfully Deleted!",
            "[KV] - Registry key win32 not Found!", "[KV] - Registry key win32 not Found!",
            "[KV] - Registry key win32 not Found!", "[KV] > HKCU registry key has been deleted!"}}},
         true,
         false,
         true,
         nullptr},
        {"Lnzyzj under both keys, one copy present; a program a Run value launches",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.SetRegistryString(HKCU, kRun, "Lnzyzj", ROAMING "\\Lnzyzj.exe");
             os.SetRegistryString(HKLM, kRun, "Lnzyzj", ROAMING "\\Lnzyzj.exe");
             os.AddFile(ROAMING "\\Lnzyzj.exe", 10, attr::kHidden | attr::kReadOnly);
             os.SetRegistryString(HKCU, kRun, "upd", "\"" ROAMING "\\upd.exe\"");
             os.AddFile(ROAMING "\\upd.exe", 10);
         },
         {{{"[KV] - Nenhum Código/Vírus Encontrado em " ROAMING "\\Microsoft\\"},
           {"[KV] - Nenhum Código/Vírus Encontrado em " ROAMING "\\Lnzyzj.exe\\",
            "[KV] - Nenhum Código/Vírus Encontrado em " ROAMING "\\Microsoft\\",
            "[KV] - Nenhum Código/Vírus Encontrado em " ROAMING "\\upd.exe\\"}},
          {{"[KV] - Chave de Registro Lnzyzj não Encontrada!", "[KV] - Chave de Registro Lnzyzj não Encontrada!",
            "[KV] - Nenhum Código/Vírus Encontrado!"},
           {"[KV] > Chave de Registro Lnzyzj Deletada!", "[KV] > Arquivo " ROAMING "\\Lnzyzj.exe Deletado com Sucesso!",
            "[KV] - Não foi possível excluír o arquivo " LOCAL "\\Lnzyzj.exe, ou ele não Existe!",
            "[KV] > Chave de Registro Lnzyzj Deletada!",
            "[KV] - Não foi possível excluír o arquivo " ROAMING "\\Lnzyzj.exe, ou ele não Existe!",
            "[KV] - Não foi possível excluír o Arquivo " LOCAL "\\Lnzyzj.exe, ou ele não Existe!",
            "[KV] - Processo upd.exe não está em execução neste computador!",
            "[KV] > Arquivo " ROAMING "\\upd.exe Deletado!", "[KV] > Chave de Registro Deletada com Sucesso!"}}},
         true,
         false,
         false,
         [](MemoryPlatform& os) { EXPECT_TRUE(os.RegValueNames(HKCU, kRun).empty()); }},
        {"Lnzyzj in English: the two passes end their failure lines differently",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.SetRegistryString(HKCU, kRun, "Lnzyzj", "x");
             os.SetRegistryString(HKLM, kRun, "Lnzyzj", "x");
         },
         {{{"[KV] - Key Lnzyzj Record not Found!", "[KV] - Key Lnzyzj Record not Found!"},
           {"[KV] > Lnzyzj deleted registry key!",
            "[KV] - Could not delete file " ROAMING "\\Lnzyzj.exe, or not he exists!",
            "[KV] - Could not delete file " LOCAL "\\Lnzyzj.exe, or not he exists!",
            "[KV] > Lnzyzj deleted registry key!",
            "[KV] - Could not delete file " ROAMING "\\Lnzyzj.exe, or it does not exists!",
            "[KV] - Could not delete file " LOCAL "\\Lnzyzj.exe, or it does not exists!"}}},
         true,
         false,
         false,
         nullptr},
        {"Sality: the Win folder of the system drive and desktop.exe in the alternate startup folder",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\Win\\lsass.exe", 10, attr::kHidden);
             os.AddFile("C:\\Win\\x.dll", 10);
             os.SetSpecialFolder(csidl::kAltStartup, "C:\\AltStartup");
             os.AddFile("C:\\AltStartup\\desktop.exe", 10);
         },
         {After("[KV] - Looking Desktop.exe (Sality)...",
                {"[KV] > Folder C:\\Win Successfully Deleted!",
                 "[KV] > File C:\\AltStartup\\desktop.exe Sucessfully Deleted!"})},
         true,
         false,
         false,
         [](MemoryPlatform& os) { EXPECT_FALSE(os.Exists("C:\\Win") || os.Exists("C:\\AltStartup\\desktop.exe")); }},
        {"Sality's desktop.exe that stays is no failure of the outcome",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.SetSpecialFolder(csidl::kAltStartup, "C:\\AltStartup");
             os.AddFile("C:\\AltStartup\\desktop.exe", 10);
             os.SetLocked("C:\\AltStartup\\desktop.exe");
         },
         {After("[KV] - Procurando desktop.exe (Sality)...",
                {"[KV] > Arquivo C:\\AltStartup\\desktop.exe não pode ser deletado!"})},
         true,
         false,
         false,
         nullptr},
        {"xcv.exe: the ASX folder and the value under both keys",
         UiLanguage::English,
         [](MemoryPlatform& os) {
             os.AddFile("C:\\ProgramData\\ASX\\a.cpl", 10);
             os.SetRegistryString(HKLM, kRun, "xcv.exe", "C:\\ProgramData\\ASX\\xcv.exe");
             os.SetRegistryString(HKCU, kRun, "xcv.exe", "C:\\ProgramData\\ASX\\xcv.exe");
         },
         {{{"[KV] - Folder C:\\ProgramData\\ASX\\ not Found!"},
           {"[KV] > Folder C:\\ProgramData\\ASX Successfully Deleted!", "[KV] > Xcv.exe deleted registry key!",
            "[KV] > Xcv.exe deleted registry key!"}}},
         true,
         false,
         false,
         nullptr},
        {"dw.dll in the temporary folder and the Run value System",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.AddFile(TEMP "dw.dll", 10);
             os.SetRegistryString(HKCU, kRun, "System", "rundll32 dw.dll");
         },
         {{{"[KV] - Procurando Vírus dw.dll...", "[KV] - Nenhum Código/Vírus Encontrado em " TEMP},
           Join({{"[KV] - Procurando Vírus dw.dll..."}, FileRemovedPt(TEMP "dw.dll", "dw")})},
          {{"[KV] - Nenhum Código/Vírus Encontrado em C:\\Windows\\temp\\", "[KV] - Reparando Funções de Sistema..."},
           {"[KV] - Nenhum Código/Vírus Encontrado em C:\\Windows\\temp\\", "[KV] > Chave de Registro System Deletada!",
            "[KV] - Reparando Funções de Sistema..."}}},
         true,
         false,
         false,
         nullptr},
        {"the policy values: deleted, not found, and one the user may not delete; a repair is no finding",
         UiLanguage::Portuguese,
         [](MemoryPlatform& os) {
             os.SetRegistryDword(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                                 "NOCONTROLPANEL", 1);
             os.SetRegistryString(HKCU, "Software\\Policies\\Microsoft\\Internet Explorer\\control panel", "HomePage",
                                  "1");
             os.SetRegistryString(HKLM, "Software\\Policies\\Microsoft\\Internet Explorer\\control panel", "HomePage",
                                  "1");
             os.SetRegistryDword(HKLM, "Software\\Policies\\Microsoft\\Windows NT\\SystemRestore", "DisableConfig", 1);
             os.ProtectRegistryKey(HKLM, "Software\\Policies\\Microsoft\\Windows NT\\SystemRestore");
         },
         {{{"[KV] - Chave de Registro NoControlPanel não Encontrada",
            "[KV] - Chave de Registro HomePage não Enontrada!", "[KV] - Chave de Registro HomePage não Encontrada",
            "[KV] - Chave de Registro DisableConfig não Encontrada!"},
           {"[KV] - Chave de Registro NoControlPanel Deletada!", "[KV] - Chave de Registro HomePage Deletada!",
            "[KV] - Chave de Registro HomePage Deletada!",
            "[KV] - Chave de Registro DisableConfig não pode ser Deletada!"}}},
         false,
         false,
         false,
         [](MemoryPlatform& os) {
             EXPECT_TRUE(
                 os.RegValueNames(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer").empty());
         }},
    });
}

TEST(ComputerDisinfection, ARestartNeedAsksAfterTheOutcomeCopiesAndCompletionLineThenOffersTheSave) {
    for (const bool restart : {false, true}) {
        SCOPED_TRACE(restart ? "restart answered Yes" : "restart answered No");
        Machine m(UiLanguage::Portuguese);
        m.os.SetRegistryString(HKLM, kRun, "Microsoft Excel", "wscript x.WsF");
        m.dialogs.yesNoAnswers = {restart, true};
        m.dialogs.saveChoices = {std::string("C:\\Users\\user\\relatorio.txt")};
        ComputerDisinfection(m.ctx);

        const Lines& report = m.session.report.Lines();
        const std::string outcome = "[KV] > Vírus Encontrados e eliminados do Computador! Verifique o relatório!";
        const std::string completion = "[KV] - Processo Concluído com Sucesso!";
        ExpectReport(report,
                     Join({kHeaderPt,
                           Edited(kCleanStepsPt,
                                  {After("[KV] - Nenhum Código/Vírus Encontrado em " ROAMING "\\Microsoft Office\\",
                                         {"[KV] > Chave de Registro Microsoft Excel foi deletada!"})}),
                           {outcome, completion}}));
        EXPECT_EQ(m.dialogs.events,
                  (Lines{"warning | Atenção | Vírus Encontrados e eliminados do Computador! Verifique o relatório!",
                         "warning-question | Opções | É necessário reiniciar o Computador! Reiniciar agora?",
                         "question | Aviso | Deseja salvar o Relatório?",
                         "save-dialog | Salvar Log de Verificação de Computador | txt | *.txt"}));
        // The box comes after the outcome line, the restart question after the
        // completion line, the save question last.
        EXPECT_EQ(m.dialogs.lastLines, (Lines{outcome, completion, completion}));
        EXPECT_EQ(m.os.ContentOf(kRoamingCopy), ReportFileBytes(WithoutLastLine(report)));
        EXPECT_EQ(m.os.ContentOf(kLocalCopy), ReportFileBytes(WithoutLastLine(report)));
        EXPECT_EQ(m.os.ContentOf("C:\\Users\\user\\relatorio.txt"), ReportFileBytes(report));
        EXPECT_EQ(m.os.ExitWindowsCalls(), restart ? std::vector<unsigned>{2} : std::vector<unsigned>{});
        EXPECT_TRUE(m.session.outcome.RestartNeededFlag);
    }
}

TEST(ComputerDisinfection, OnWindowsXpTheUserIsAdvisedSafeModeAndTheShellIsEnded) {
    Machine m(UiLanguage::English);
    m.os.SetRegistryString(HKLM, kProductKey, "ProductName", "Microsoft Windows XP");
    m.os.SetRegistryString(HKCU, kRun, "upd", "C:\\nefcb\\x.exe");
    m.os.SetRegistryString(HKCU, kRun, "Live", ROAMING "\\WindowsUpdate\\Live.exe");
    m.os.AddProcess("C:\\WINDOWS\\explorer.exe");
    m.Run();
    const Closing closing = ClosingFor(UiLanguage::English, false, false, false);
    // Deleting the values is no finding of its own.
    ExpectReport(
        m.session.report.Lines(),
        Join({kHeaderEn,
              Edited(kCleanStepsEn, {After(kGroup2LineEn, {"[KV] > Chave de Registro upd foi deletada!",
                                                           "[KV] > Process [explorer.exe] finished!",
                                                           "[KV] > Chave de Registro Live foi deletada!",
                                                           "[KV] - Process [explorer.exe] is not running on this "
                                                           "computer!"})}),
              closing.lines}));
    const std::string advice =
        "plain | KV Vuduv | Para remover este vírus é necessário executar o KV Vuduv em Modo de Segurança!";
    EXPECT_EQ(m.dialogs.events, Join({{advice, advice}, closing.events}));
    EXPECT_FALSE(Running(m.os, "explorer.exe"));
}

TEST(ComputerDisinfection, ARemovalThatFailsWhileNothingWasFoundKeepsTheNothingFoundOutcome) {
    Machine m(UiLanguage::Portuguese);
    m.os.SetRegistryString(HKCU, kRun, "upd", "C:\\nefcb\\x.exe");
    m.os.ProtectRegistryKey(HKCU, kRun);
    m.Run();
    ExpectReport(
        m.session.report.Lines(),
        Join({kHeaderPt,
              Edited(kCleanStepsPt, {After(kGroup2LinePt, {"[KV] > Chave de Registro upd não pode ser Deletada!"})}),
              ClosingFor(UiLanguage::Portuguese, false, false, false).lines}));
    EXPECT_TRUE(m.session.outcome.UndeletedFileFlag);
    EXPECT_EQ(m.dialogs.events, ClosingFor(UiLanguage::Portuguese, false, false, false).events);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(ComputerDisinfection, AFolderThePlatformLacksLeavesABackslashAndTheName) {
    Machine m(UiLanguage::Portuguese);
    m.os.SetSpecialFolder(csidl::kCommonAppData, "");
    m.os.AddFile("C:\\pccai.lnk", 10);  // not under the missing folder
    m.Run();
    Lines steps;
    // (The common startup folder, under C:\ProgramData too, is a folder of its own.)
    for (const std::string& line : kCleanStepsPt) {
        steps.push_back(EndsWith(line, " C:\\ProgramData\\") ? Replaced(line, "C:\\ProgramData", "")
                                                             : Replaced(line, "C:\\ProgramData\\ASX", "\\ASX"));
    }
    ExpectReport(m.session.report.Lines(),
                 Join({kHeaderPt, steps, ClosingFor(UiLanguage::Portuguese, false, false, false).lines}));
    EXPECT_NE(std::find(steps.begin(), steps.end(), "[KV] - Pasta \\ASX\\ não Encontrada!"), steps.end());
    EXPECT_TRUE(m.os.FileExists("C:\\pccai.lnk"));
}

// ---- The console program --------------------------------------------------------------

class StringSink : public cli::OutputSink {
public:
    std::string text;
    void Write(const std::string& bytes) override { text += bytes; }
};

TEST(ComputerDisinfection, TheConsoleProgramPrintsTheRestartQuestionAnswersNoAndGoesOn) {
    MemoryPlatform os;
    os.AddFile("C:\\Windows\\system32\\install\\win32.exe", 10);
    StringSink out, err;
    EXPECT_EQ(cli::RunCli({"--save", "C:\\r.txt", "disinfect-computer"}, os, out, err), cli::kExitFound);
    EXPECT_EQ(err.text, "");
    const std::string ending =
        "[KV] > Vírus Encontrados e eliminados do Computador! Verifique o relatório!\n"
        "== warning | Atenção | Vírus Encontrados e eliminados do Computador! Verifique o "
        "relatório!\n"
        "[KV] - Processo Concluído com Sucesso!\n"
        "== question | Opções | É necessário reiniciar o Computador! Reiniciar agora?\n";
    ASSERT_GE(out.text.size(), ending.size());
    EXPECT_EQ(out.text.substr(out.text.size() - ending.size()), ending);
    EXPECT_TRUE(os.ExitWindowsCalls().empty());
    EXPECT_EQ(os.ContentOf("C:\\r.txt").substr(0, 20), "[KV] - KV Vuduv - Ve");
    EXPECT_TRUE(os.FileExists(kLocalCopy));
}

}  // namespace
}  // namespace kv

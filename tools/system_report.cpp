#include "tools/system_report.h"

#include "tools/tool_files.h"

namespace kv {
namespace {

constexpr const char* kWindowsVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\";
constexpr const char* kProcessorKey = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

}  // namespace

std::string BitnessText(WindowsBitness bitness) {
    switch (bitness) {
    case WindowsBitness::Bits64:
        return "64 Bits";
    case WindowsBitness::Bits32:
        return "32 Bits";
    case WindowsBitness::Unknown:
        break;
    }
    return std::string();
}

std::vector<std::string> SystemReportLines(PlatformOps& os, const DateTimeTexts& now,
                                           const std::vector<std::string>& processList) {
    const auto machine = [&os](const char* key, const char* name) {
        return os.RegReadString(RegRoot::LocalMachine, key, name);
    };
    std::vector<std::string> lines;
    lines.push_back(">>> Relatório do Sistema Criado em " + now.shortDate + " às " + now.longTime);
    lines.emplace_back();
    lines.push_back(">>> Sistema Operacional: " + machine(kWindowsVersionKey, "ProductName") +
                    " - Versão: " + machine(kWindowsVersionKey, "CurrentVersion") + " - Build: " +
                    machine(kWindowsVersionKey, "CurrentBuild") + " - " + BitnessText(os.GetWindowsBitness()));
    lines.emplace_back();
    lines.push_back(">>> Processador: " + machine(kProcessorKey, "ProcessorNameString") +
                    " - Id: " + machine(kProcessorKey, "Identifier"));
    lines.emplace_back();
    lines.push_back(">>> Lista de Processos em Execução:");
    lines.emplace_back();
    for (const std::string& entry : processList) lines.push_back(entry);
    lines.emplace_back();
    return lines;
}

SystemReport WriteSystemReport(PlatformOps& os, const std::vector<std::string>& processList) {
    const DateTimeTexts now = os.CurrentDateTimeTexts();
    EnsureDataFolders(os);
    SystemReport report;
    report.lines = SystemReportLines(os, now, processList);
    const std::string fileName =
        "kv-relatorio-" + FileNameSafe(now.shortDate) + "-" + FileNameSafe(now.longTime) + ".txt";
    report.path = WriteInBothDataFolders(os, fileName, report.lines);
    return report;
}

}  // namespace kv

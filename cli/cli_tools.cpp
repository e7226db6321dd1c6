#include "cli/cli_tools.h"

#include "cli/cli_run.h"
#include "tools/icon_repair.h"
#include "tools/process_manager.h"
#include "tools/system_report.h"
#include "tools/temp_folders.h"

namespace kv::cli {
namespace {

// The user's folder first, as the tab shows them.
const char* const kMissingUserName[] = {"Temporária de Usuário", "Temporary User"};
const char* const kMissingSystemName[] = {"Temporária do Windows", "Temporary Windows"};

std::vector<std::string> ProcessTexts(PlatformOps& os) {
    std::vector<std::string> texts;
    for (const ProcessListEntry& entry : ListRunningProcesses(os)) texts.push_back(entry.text);
    return texts;
}

int ListProcesses(ActionContext& ctx, Transcript& transcript, const std::string&) {
    for (const std::string& text : ProcessTexts(ctx.os)) transcript.OnLineAppended(text);
    return kExitNothingFound;
}

int EndProcess(ActionContext& ctx, Transcript&, const std::string& name) {
    return EndProcessOfEntry(ctx, name) ? kExitNothingFound : kExitFound;
}

int ShowTempFolders(ActionContext& ctx, Transcript& transcript, const std::string&) {
    const TempFolders folders = ResolveTempFolders(ctx.os);
    for (const std::string& folder : {folders.user, folders.system}) {
        transcript.OnLineAppended(folder);
        transcript.OnLineAppended(OccupiedSpaceText(ctx.os, ctx.session.language, folder));
    }
    return kExitNothingFound;
}

int CleanTemp(ActionContext& ctx, Transcript& transcript, const std::string&) {
    const int language = ctx.IsPortuguese() ? 0 : 1;
    CleanupRequest request{ResolveTempFolders(ctx.os), kMissingUserName[language], kMissingSystemName[language],
                           [&transcript](const std::string& line) { transcript.OnLineAppended(line); }};
    CleanTempFolders(ctx, request);  // the log is not opened from the console
    return kExitNothingFound;
}

int RepairIconsTool(ActionContext& ctx, Transcript&, const std::string&) {
    return RepairIcons(ctx) == IconRepairOutcome::Moved ? kExitNothingFound : kExitFound;
}

int SystemReportTool(ActionContext& ctx, Transcript& transcript, const std::string&) {
    for (const std::string& line : WriteSystemReport(ctx.os, ProcessTexts(ctx.os)).lines) {
        transcript.OnLineAppended(line);
    }
    return kExitNothingFound;
}

const CliTool kTools[] = {
    {"list-processes", ToolArgument::None, nullptr, ListProcesses},
    {"end-process", ToolArgument::Required, "a process name", EndProcess},
    {"temp-folders", ToolArgument::None, nullptr, ShowTempFolders},
    {"clean-temp", ToolArgument::None, nullptr, CleanTemp},
    {"repair-icons", ToolArgument::None, nullptr, RepairIconsTool},
    {"system-report", ToolArgument::None, nullptr, SystemReportTool},
};

}  // namespace

const CliTool* FindCliTool(const std::string& name) {
    for (const CliTool& tool : kTools) {
        if (name == tool.name) return &tool;
    }
    return nullptr;
}

}  // namespace kv::cli

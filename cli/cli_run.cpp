#include "cli/cli_run.h"

#include "cli/cli_actions.h"
#include "cli/cli_options.h"
#include "cli/cli_tools.h"
#include "core/report_file.h"
#include "device/drive_list.h"

namespace kv::cli {
namespace {

constexpr const char* kProgram = "kvvuduv-cli: ";

int Fail(OutputSink& err, const std::string& reason) {
    err.Write(kProgram + reason + "\n");
    return kExitFailure;
}

int UsageError(OutputSink& err, const std::string& reason) {
    return Fail(err, reason + "\n(run kvvuduv-cli --help for the usage)");
}

// The drive-list text the action reads, or a reason to refuse.
bool DriveListTextFor(const CliAction& action, const CliOptions& options, std::string& driveText,
                      std::string& refusal) {
    if (action.drive == DriveArgument::Refused) {
        if (options.drive) refusal = std::string(action.name) + " takes no drive";
        return !options.drive;
    }
    if (!options.drive) {
        refusal = std::string(action.name) + " needs a drive (E, E: or E:\\)";
        return false;
    }
    const std::optional<char> letter = ParseDriveLetter(*options.drive);
    if (!letter) {
        refusal = "'" + *options.drive + "' is not a drive letter (write E, E: or E:\\)";
        return false;
    }
    driveText = std::string(1, *letter) + ":";
    return true;
}

// The maintenance tools: no drive, no report to save; a log or report file
// that cannot be written ends the tool with status 2.
int RunCliTool(const CliTool& tool, const CliOptions& options, PlatformOps& os, OutputSink& out, OutputSink& err) {
    if (options.saveFile) return UsageError(err, std::string(tool.name) + " takes no --save");
    if (tool.argument == ToolArgument::None && options.drive) {
        return UsageError(err, std::string(tool.name) + " takes no argument");
    }
    if (tool.argument == ToolArgument::Required && (!options.drive || options.drive->empty())) {
        return UsageError(err, std::string(tool.name) + " needs " + tool.argumentName);
    }
    Session session;
    session.language = options.language;
    Transcript transcript(out);
    ActionContext ctx(os, transcript, session);
    int status = kExitNothingFound;
    try {
        status = tool.run(ctx, transcript, options.drive.value_or(std::string()));
    } catch (const FileWriteError& error) {
        transcript.Flush();
        status = Fail(err, "cannot write " + error.path() + ": " + error.what());
    }
    transcript.Flush();
    return status;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, PlatformOps& os, OutputSink& out, OutputSink& err) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (!parsed.ok()) return UsageError(err, parsed.error);
    const CliOptions& options = parsed.options;
    if (options.help) {
        out.Write(UsageText());
        return kExitNothingFound;
    }

    if (const CliTool* tool = FindCliTool(options.action)) return RunCliTool(*tool, options, os, out, err);
    const CliAction* action = FindCliAction(options.action);
    if (!action) return UsageError(err, "unknown action '" + options.action + "'");
    std::string driveText, refusal;
    if (!DriveListTextFor(*action, options, driveText, refusal)) return UsageError(err, refusal);
    if (!action->run) return Fail(err, std::string("the action ") + action->name + " is not built yet");
    if (!driveText.empty() && IsSystemOrOpticalDrive(os, driveText[0])) {
        return Fail(err, "drive " + driveText +
                             " is refused: it is the system drive or a CD/DVD drive, which the device actions never "
                             "offer");
    }

    // The window's session as a fresh start would have it, except that the
    // console program never offers to save: --save replaces the offer.
    Session session;
    session.language = options.language;
    session.options.afterChecks = false;
    session.options.afterDisinfections = false;
    Transcript transcript(out);
    session.report.SetObserver(&transcript);
    ActionContext ctx(os, transcript, session);

    int status = kExitNothingFound;
    try {
        status = action->run(ctx, driveText) ? kExitFound : kExitNothingFound;
    } catch (const FileWriteError& error) {
        transcript.Flush();
        status = Fail(err, "cannot write " + error.path() + ": " + error.what());
    }
    transcript.Flush();
    session.report.SetObserver(nullptr);

    if (options.saveFile) {
        // The report as it stands, also after a failed automatic copy.
        try {
            WriteReportFile(os, *options.saveFile, session.report.Lines());
        } catch (const FileWriteError& error) {
            status = Fail(err, "cannot write " + error.path() + ": " + error.what());
        }
    }
    return status;
}

}  // namespace kv::cli

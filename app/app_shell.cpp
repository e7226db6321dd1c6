#include "app/app_shell.h"

#include "app/ui_texts.h"
#include "core/text.h"

namespace kv {

std::string SystemRootOf(PlatformOps& os) { return FirstChars(os.GetSpecialFolder(csidl::kProfile), 3); }

namespace {

void ShowTips(Session& session, const std::vector<std::string>& lines) {
    session.report.Clear();
    for (const std::string& line : lines) session.report.AppendLine(line);
}

}  // namespace

StartupResult RunStartup(PlatformOps& os, Session& session) {
    StartupResult result;

    const std::string dataFolder = DataFolderPath(os);
    if (!os.FolderExists(dataFolder)) os.CreateFolder(dataFolder);

    try {
        session.options = LoadOrCreateOptionsFile(os);
    } catch (const OptionsFileError& error) {
        session.options = SaveOptions();
        result.optionsError = error;
    }

    session.language = UiLanguage::Portuguese;
    for (const char* name : kStartupKilledProcesses) KillProcessByName(os, name);

    result.checkDrives = RefreshDriveList(os);
    result.disinfectionDrives = RefreshDriveList(os);

    ShowTips(session, StartupTipsLines());
    return result;
}

bool SwitchLanguage(Session& session, UiLanguage target) {
    if (session.language == target) return false;
    session.language = target;
    ShowTips(session, SwitchTipsLines(target));
    return true;
}

void DeleteLeftoverFile(PlatformOps& os) {
    const std::string exe = os.ExecutablePath();
    const std::size_t slash = exe.find_last_of('\\');
    // Without a known folder nothing is deleted: a bare name would reach
    // whatever the current folder happens to be.
    if (slash == std::string::npos) return;
    os.RemoveFile(exe.substr(0, slash + 1) + kLeftoverFileName);
}

}  // namespace kv

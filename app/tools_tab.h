// The tools tab's controls and state: the process list, the temporary
// folders with their sizes and cleanup, icon repair and the system report.
// The main window hands it the tab's commands and tells it when the tab is
// shown and when the language changes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "core/report_file.h"
#include "core/session.h"
#include "tools/process_manager.h"
#include "tools/temp_folders.h"

namespace kv {

// What a tab handler needs of the main window.
struct TabHost {
    PlatformOps& os;
    Session& session;
    UserDialogs& dialogs;
    std::function<HWND(ControlId)> control;
    // Shows the general error box for a file that could not be written.
    std::function<void(const FileWriteError&)> showWriteError;
    // Runs work in the background like the main actions (the main window's
    // RunAction), then afterwards on the window's thread. Capture by value.
    std::function<void(std::function<void(ActionContext&)> work, std::function<void()> afterwards)> runAction;
};

class ToolsTab {
public:
    explicit ToolsTab(TabHost host) : host_(std::move(host)) {}

    // Each time the tab becomes visible: folder paths, sizes, process list.
    void OnShown();
    // After a language switch the folder labels hold names, not paths.
    void OnLanguageSwitched() { folders_ = TempFolders(); }
    // True when the command was one of this tab's.
    bool OnCommand(int id, WORD notification);

private:
    // Measures the folders and/or lists the processes in the background,
    // then shows the results.
    void Refresh(bool sizes, bool processes);
    void FillProcessList(const std::vector<ProcessListEntry>& entries);
    void ListProcesses() { Refresh(false, true); }
    void EndProcess();
    void OpenFolder(const std::string& folder);
    void ShowSizes() { Refresh(true, false); }
    void CleanFolders();
    void RepairIconsClicked();
    void GenerateReport();
    std::string TextOf(ControlId id) const;
    void SetText(ControlId id, const std::string& text);

    TabHost host_;
    TempFolders folders_;  // as last resolved; empty after a language switch
};

}  // namespace kv

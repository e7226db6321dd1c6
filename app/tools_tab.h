// The tools tab's controls and state: the process list, the temporary
// folders with their sizes and cleanup, icon repair and the system report.
// The main window hands it the tab's commands and tells it when the tab is
// shown and when the language changes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/control_ids.h"
#include "core/report_file.h"
#include "core/session.h"
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
    void ListProcesses();
    void EndProcess();
    void OpenFolder(const std::string& folder);
    void ShowSizes();
    void CleanFolders();
    void RepairIconsClicked();
    void GenerateReport();
    ActionContext Context() { return ActionContext(host_.os, host_.dialogs, host_.session); }
    std::string TextOf(ControlId id) const;
    void SetText(ControlId id, const std::string& text);

    TabHost host_;
    TempFolders folders_;  // as last resolved; empty after a language switch
};

}  // namespace kv

// The main window: three tabs of controls, the report area, the language
// buttons and links below. It owns the session (report, flags, language,
// options) for the whole run and runs each action on a worker thread
// (app/action_runner.h) while it stays responsive.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/action_runner.h"
#include "app/app_shell.h"
#include "app/control_ids.h"
#include "app/instructions_window.h"
#include "app/options_tab.h"
#include "app/report_view.h"
#include "app/tools_tab.h"
#include "app/window.h"
#include "app/window_dialogs.h"
#include "core/session.h"

namespace kv {

class MainWindow : public Window {
public:
    explicit MainWindow(PlatformOps& os);
    ~MainWindow() override;

    // Creates the window (start-up runs during creation) and shows it.
    bool Open(int showCommand);
    // Keyboard handling before dispatch: F11 on the instructions button,
    // Ctrl+Tab and Ctrl+Shift+Tab between the pages, and the dialog keys
    // (Tab, Escape) of both windows. True when consumed.
    bool PreTranslateMessage(MSG& message);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    struct FontSet {
        HFONT normal = nullptr;
        HFONT bold = nullptr;
        HFONT italic = nullptr;
    };
    using CommandHandler = void (MainWindow::*)();
    struct CommandRoute {
        ControlId control;
        WORD notification;
        CommandHandler handler;
    };

    // Messages.
    LRESULT OnCreate();
    void OnCommand(int id, WORD notification);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnControlColour(HDC dc, HWND control);
    bool OnSetCursor(HWND target);
    LRESULT OnQueryEndSession();
    void OnEndSession(bool ending);
    void OnDestroy();
    void OnStartupProblem();

    // Commands.
    void OnCheckDevice();
    void OnCheckComputer();
    void OnDisinfectDevice();
    void OnDisinfectComputer();
    void OnRefreshCheckDrives();
    void OnRefreshDisinfectionDrives();
    void OnCheckDriveChosen();
    void OnDisinfectionDriveChosen();
    void OnPortuguese();
    void OnEnglish();
    void OnOptionClicked();
    void OnSaveOptions();
    void OnInstructions();
    void OnWebPageLink();
    void OnSocialPageLink();
    void OnEscape();

    // Building and updating the window.
    void CreateFonts();
    void CreateControls();
    void CreateTooltips();
    void ApplyInitialCaptions();
    void ApplySwitchedCaptions();
    void SetCaption(ControlId control, const std::string& caption);
    void ShowPage(int index);
    TabHost MakeTabHost();
    void FillDriveList(ControlId list, const DriveList& drives, std::string& selectedText);
    std::string ChosenDriveText(ControlId list) const;
    void SwitchTo(UiLanguage language);
    void ShowAuthorBox();

    // ---- Actions in the background ----
    // Runs work on the worker thread with the session's context, then
    // afterwards (optional) on the window's thread. While it runs, every
    // control that starts something is disabled and the progress line and the
    // Stop button are live. Does nothing while another action runs. Both
    // functions run after this returns: capture by value, never locals by
    // reference.
    void RunAction(ActionWorker::Work work, ActionWorker::Afterwards afterwards = {});
    void OnActionEnded(const ActionEnding& ending);
    void SetStartingControlsEnabled(bool enabled);
    void UpdateProgressLine();
    void OnStop();
    bool OnCloseRequest();
    void SelectNextPage(bool backwards);
    HWND focusBeforeAction_ = nullptr;
    DWORD lastProgressUpdate_ = 0;
    bool closeWhenStopped_ = false;
    bool endingSession_ = false;
    HWND focusWhenInactive_ = nullptr;
    void ShowFileError(bool whileWriting, const std::string& path, const std::string& systemMessage);
    void ShutDown();
    void SetHoveredLink(HWND link);
    static LRESULT CALLBACK LinkLabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);

    HWND Control(ControlId id) const;
    ControlId IdOfControl(HWND control) const;
    int Scaled(int value) const { return MulDiv(value, dpi_, 96); }
    bool IsLinkLabel(ControlId id) const;

    PlatformOps& os_;
    Session session_;
    ReportView reportView_;
    ReportRelay relay_{reportView_};
    WindowDialogs dialogs_;
    ActionWorker worker_;
    std::map<ControlId, HWND> controls_;
    std::vector<std::unique_ptr<Container>> containers_;
    std::unique_ptr<InstructionsWindow> instructions_;
    // The tools and options tabs handle their own controls.
    std::unique_ptr<ToolsTab> toolsTab_;
    std::unique_ptr<OptionsTab> optionsTab_;
    FontSet fonts_;
    HFONT instructionsFont_ = nullptr;
    HBRUSH faceBrush_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND hoveredLink_ = nullptr;
    int dpi_ = 96;
    std::string systemRoot_;
    std::string checkDriveText_;         // DriveComboBox2's selected entry
    std::string disinfectionDriveText_;  // DriveComboBox1's selected entry
    std::optional<OptionsFileError> startupProblem_;
    bool shutDown_ = false;
};

}  // namespace kv

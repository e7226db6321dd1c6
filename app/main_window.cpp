#include "app/main_window.h"

#include <commctrl.h>

#include "app/button_painting.h"
#include "app/ui_texts.h"
#include "computer/computer_check.h"
#include "computer/computer_disinfection.h"
#include "core/report_file.h"
#include "core/win32/wide.h"
#include "device/device_check.h"
#include "device/device_disinfection.h"

namespace kv {

namespace {

using C = ControlId;

constexpr int kClientWidth = 739;
constexpr int kClientHeight = 618;
constexpr UINT kShowStartupProblem = WM_APP + 1;
// The progress line follows the running action a few times a second.
constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressIntervalMs = 250;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kTeal = RGB(0, 128, 128);
constexpr COLORREF kNavy = RGB(0, 0, 128);    // 0x800000
constexpr COLORREF kMaroon = RGB(128, 0, 0);  // 128
constexpr COLORREF kBlack = RGB(0, 0, 0);

enum class Kind {
    Tabs,
    Page,
    Panel,
    SunkenPanel,
    Group,
    Button,
    TwoLineButton,
    LanguageButton,
    RefreshButton,
    CheckBox,
    Label,
    LinkLabel,
    DriveList,
    List,
    Report,
    ProgressText,
};

enum class Font { Normal, Bold, Italic };

// One control: where it sits (in its parent's client area, at 96 dots per
// inch) and what it is. A negative coordinate counts back from the parent's
// right or bottom edge, and a negative size is the margin left to that edge,
// so the report area and the process list take the room that is left. Tab
// pages fill their tab control's display area.
struct ControlDef {
    ControlId id;
    ControlId parent;
    Kind kind;
    int x, y, width, height;
    Font font = Font::Normal;
};

// clang-format off
const ControlDef kControls[] = {
    {C::PageControl1, C::TForm1, Kind::Tabs, 4, 4, 731, 524},
    {C::TabSheet1, C::PageControl1, Kind::Page, 0, 0, 0, 0},
    {C::TabSheet2, C::PageControl1, Kind::Page, 0, 0, 0, 0},
    {C::TabSheet3, C::PageControl1, Kind::Page, 0, 0, 0, 0},

    {C::BitBtn3, C::TabSheet1, Kind::Button, 20, 30, 120, 46},
    {C::BitBtn7, C::TabSheet1, Kind::TwoLineButton, 150, 30, 200, 46},
    {C::Label17, C::TabSheet1, Kind::Label, 366, 26, 196, 16},
    {C::SpeedButton3, C::TabSheet1, Kind::RefreshButton, 366, 46, 28, 26},
    {C::DriveComboBox2, C::TabSheet1, Kind::DriveList, 398, 48, 160, 200},
    {C::BitBtn9, C::TabSheet1, Kind::Button, 568, 30, 136, 46},
    {C::GroupBox4, C::TabSheet1, Kind::Group, 8, 4, -8, 100},
    {C::BitBtn2, C::TabSheet1, Kind::TwoLineButton, 150, 136, 200, 46},
    {C::Label1, C::TabSheet1, Kind::Label, 366, 132, 196, 16},
    {C::SpeedButton1, C::TabSheet1, Kind::RefreshButton, 366, 152, 28, 26},
    {C::DriveComboBox1, C::TabSheet1, Kind::DriveList, 398, 154, 160, 200},
    {C::BitBtn1, C::TabSheet1, Kind::Button, 568, 136, 136, 46},
    {C::GroupBox5, C::TabSheet1, Kind::Group, 8, 110, -8, 100},
    {C::Memo1, C::TabSheet1, Kind::Report, 8, 218, -8, -40},
    {C::ProgressLabel, C::TabSheet1, Kind::ProgressText, 8, -30, -112, 20},
    {C::StopButton, C::TabSheet1, Kind::Button, -104, -36, 96, 30},

    {C::ListBox1, C::TabSheet2, Kind::List, 18, 26, 320, -70},
    {C::BitBtn10, C::TabSheet2, Kind::Button, 18, -58, 150, 36},
    {C::BitBtn11, C::TabSheet2, Kind::Button, 188, -58, 150, 36},
    {C::GroupBox6, C::TabSheet2, Kind::Group, 8, 4, 340, -8},
    {C::Label20, C::TabSheet2, Kind::LinkLabel, 370, 30, -20, 16},
    {C::Label22, C::TabSheet2, Kind::Label, 370, 52, -20, 16},
    {C::Label21, C::TabSheet2, Kind::LinkLabel, 370, 82, -20, 16},
    {C::Label23, C::TabSheet2, Kind::Label, 370, 104, -20, 16},
    {C::Button4, C::TabSheet2, Kind::Button, 370, 130, 240, 34},
    {C::GroupBox8, C::TabSheet2, Kind::Group, 356, 4, -8, 176},
    {C::BitBtn15, C::TabSheet2, Kind::Button, 370, 214, 200, 34},
    {C::GroupBox10, C::TabSheet2, Kind::Group, 356, 188, -8, 76},
    {C::BitBtn17, C::TabSheet2, Kind::Button, 370, 298, 200, 34},
    {C::GroupBox13, C::TabSheet2, Kind::Group, 356, 272, -8, 76},

    {C::Label19, C::TabSheet3, Kind::LinkLabel, 20, 30, -20, 18, Font::Italic},
    {C::GroupBox7, C::TabSheet3, Kind::Group, 8, 4, -8, 64},
    {C::BitBtn12, C::TabSheet3, Kind::Button, 8, 78, 360, 36},
    {C::CheckBox1, C::TabSheet3, Kind::CheckBox, 20, 150, -20, 22},
    {C::CheckBox2, C::TabSheet3, Kind::CheckBox, 20, 178, -20, 22},
    {C::BitBtn16, C::TabSheet3, Kind::Button, 20, 212, 180, 36},
    {C::GroupBox11, C::TabSheet3, Kind::Group, 8, 124, -8, 140},

    {C::Panel2, C::TForm1, Kind::SunkenPanel, 4, 532, 731, 82},
    {C::Panel1, C::Panel2, Kind::Panel, 4, 4, 466, -4},
    {C::Label2, C::Panel1, Kind::LinkLabel, 8, 6, 450, 18, Font::Bold},
    {C::Label4, C::Panel1, Kind::LinkLabel, 8, 27, 450, 18, Font::Bold},
    {C::StaticText1, C::Panel1, Kind::Label, 8, 49, 200, 18, Font::Bold},
    {C::BitBtn13, C::Panel2, Kind::LanguageButton, 486, 24, 112, 40},
    {C::BitBtn14, C::Panel2, Kind::LanguageButton, 606, 24, 112, 40},
    {C::GroupBox9, C::Panel2, Kind::Group, 476, 2, -4, -4},
};
// clang-format on

// Every control on a tab page, in the order of the pages.
const ControlId kPages[] = {C::TabSheet1, C::TabSheet2, C::TabSheet3};

// What a running action disables: every control that starts something or
// changes what the action reads. The tabs, the report area, the instructions
// and the links stay usable.
const ControlId kStartingControls[] = {
    C::BitBtn7,        C::BitBtn9,  C::BitBtn2,   C::BitBtn1,   C::SpeedButton3, C::DriveComboBox2, C::SpeedButton1,
    C::DriveComboBox1, C::BitBtn13, C::BitBtn14,  C::BitBtn10,  C::BitBtn11,     C::Button4,        C::BitBtn15,
    C::BitBtn17,       C::BitBtn12, C::CheckBox1, C::CheckBox2, C::BitBtn16,
};

bool IsStartingControl(int id) {
    for (ControlId control : kStartingControls) {
        if (IdOf(control) == id) return true;
    }
    return false;
}

const wchar_t* ClassOf(Kind kind) {
    switch (kind) {
    case Kind::Tabs:
        return WC_TABCONTROLW;
    case Kind::Label:
    case Kind::LinkLabel:
    case Kind::ProgressText:
        return WC_STATICW;
    case Kind::DriveList:
        return WC_COMBOBOXW;
    case Kind::List:
        return WC_LISTBOXW;
    default:
        return WC_BUTTONW;
    }
}

DWORD StyleOf(Kind kind) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case Kind::Tabs:
        // A Tab stop of its own: the pages are its siblings, not its children.
        return child | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE;
    case Kind::Group:
        // Below the controls it frames and clipped by them.
        return child | WS_CLIPSIBLINGS | BS_GROUPBOX;
    case Kind::Button:
        return child | WS_TABSTOP | BS_PUSHBUTTON;
    case Kind::TwoLineButton:
        return child | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;
    case Kind::LanguageButton:
    case Kind::RefreshButton:
        return child | WS_TABSTOP | BS_OWNERDRAW;
    case Kind::CheckBox:
        return child | WS_TABSTOP | BS_AUTOCHECKBOX;
    case Kind::Label:
        return child | SS_LEFT | SS_NOTIFY | SS_NOPREFIX;
    case Kind::LinkLabel:
        return child | SS_LEFT | SS_NOTIFY | SS_NOPREFIX | SS_PATHELLIPSIS;
    case Kind::ProgressText:
        return child | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | SS_CENTERIMAGE;
    case Kind::DriveList:
        return child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_UPPERCASE;
    case Kind::List:
        return child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    default:
        return child;
    }
}

DWORD ExStyleOf(Kind kind) {
    switch (kind) {
    case Kind::DriveList:
    case Kind::List:
        return WS_EX_CLIENTEDGE;
    default:
        return 0;
    }
}

bool IsContainer(Kind kind) { return kind == Kind::Page || kind == Kind::Panel || kind == Kind::SunkenPanel; }

// Resolves a coordinate or size that may count back from the far edge.
int Place(int value, int scaledValue, int parentSize) { return value < 0 ? parentSize + scaledValue : scaledValue; }

HFONT MessageFont(LONG weight, bool italic) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfWeight = weight;
    font.lfItalic = italic ? TRUE : FALSE;
    return CreateFontIndirectW(&font);
}

}  // namespace

MainWindow::MainWindow(PlatformOps& os)
    : os_(os),
      dialogs_(nullptr, [this] { relay_.Flush(); }),
      worker_(dialogs_, [this](const ActionEnding& ending) { OnActionEnded(ending); }) {}

MainWindow::~MainWindow() {
    session_.report.SetObserver(nullptr);
    instructions_.reset();
    for (HFONT font : {fonts_.normal, fonts_.bold, fonts_.italic, instructionsFont_}) {
        if (font) DeleteObject(font);
    }
    if (faceBrush_) DeleteObject(faceBrush_);
}

bool MainWindow::Open(int showCommand) {
    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                               GetSystemMetrics(SM_CYICON), 0));
    HICON smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    RegisterWindowClass(kMainWindowClass, icon, smallIcon, GetSysColorBrush(COLOR_BTNFACE));

    // Fixed single border, system menu and minimise only; centred.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame = {0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT workArea;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int x = workArea.left + (workArea.right - workArea.left - width) / 2;
    const int y = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    if (!Create(kMainWindowClass, L"", style, WS_EX_CONTROLPARENT, x, y, width, height, nullptr, 0)) return false;
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    // The keyboard starts on the first button.
    SetFocus(Control(C::BitBtn3));
    if (startupProblem_) PostMessageW(hwnd(), kShowStartupProblem, 0, 0);
    return true;
}

// ---- Messages ---------------------------------------------------------------

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
        return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
        if (reinterpret_cast<HWND>(wParam) != hwnd()) return FALSE;
        break;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case WM_CLOSE:
        if (!OnCloseRequest()) return 0;
        break;
    case WM_ACTIVATE:
        // The focus comes back to the control that had it, as in a dialog.
        if (LOWORD(wParam) == WA_INACTIVE) {
            focusWhenInactive_ = GetFocus();
        } else if (!HIWORD(wParam)) {
            HWND target = focusWhenInactive_ && IsWindow(focusWhenInactive_) && IsWindowEnabled(focusWhenInactive_)
                              ? focusWhenInactive_
                              : Control(worker_.Running() ? C::StopButton : C::BitBtn3);
            SetFocus(target);
        }
        return 0;
    case WM_TIMER:
        if (wParam == kProgressTimer) {
            relay_.Flush();
            UpdateProgressLine();
            return 0;
        }
        break;
    case kLinesWaitingMessage:
        relay_.Deliver();
        // The timer's message waits while posted ones keep coming: the
        // progress line follows the batches too.
        if (GetTickCount() - lastProgressUpdate_ >= kProgressIntervalMs) UpdateProgressLine();
        return 0;
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case kShowStartupProblem:
        OnStartupProblem();
        return 0;
    }
    LRESULT workerResult = 0;
    if (worker_.HandleMessage(message, wParam, lParam, workerResult)) return workerResult;
    return Window::HandleMessage(message, wParam, lParam);
}

void MainWindow::OnFinalMessage() { PostQuitMessage(0); }

LRESULT MainWindow::OnCreate() {
    faceBrush_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    dialogs_.SetOwner(hwnd());
    relay_.SetWindow(hwnd());
    worker_.SetWindow(hwnd());
    CreateFonts();
    CreateControls();
    CreateTooltips();
    toolsTab_ = std::make_unique<ToolsTab>(MakeTabHost());
    optionsTab_ = std::make_unique<OptionsTab>(MakeTabHost());

    // Start-up: captions first, then the steps that need no window.
    systemRoot_ = SystemRootOf(os_);
    ApplyInitialCaptions();
    session_.report.SetObserver(&relay_);
    StartupResult startup = RunStartup(os_, session_);
    startupProblem_ = startup.optionsError;
    SendMessageW(Control(C::CheckBox1), BM_SETCHECK, session_.options.afterChecks ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(Control(C::CheckBox2), BM_SETCHECK, session_.options.afterDisinfections ? BST_CHECKED : BST_UNCHECKED,
                 0);
    FillDriveList(C::DriveComboBox2, startup.checkDrives, checkDriveText_);
    FillDriveList(C::DriveComboBox1, startup.disinfectionDrives, disinfectionDriveText_);
    ShowPage(0);
    EnableWindow(Control(C::StopButton), FALSE);
    // The report area opens at its first line.
    relay_.Deliver();
    reportView_.ShowFirstLine();
    return 0;
}

void MainWindow::OnCommand(int id, WORD notification) {
    static const CommandRoute routes[] = {
        {C::BitBtn9, BN_CLICKED, &MainWindow::OnCheckDevice},
        {C::BitBtn7, BN_CLICKED, &MainWindow::OnCheckComputer},
        {C::BitBtn1, BN_CLICKED, &MainWindow::OnDisinfectDevice},
        {C::BitBtn2, BN_CLICKED, &MainWindow::OnDisinfectComputer},
        {C::SpeedButton3, BN_CLICKED, &MainWindow::OnRefreshCheckDrives},
        {C::SpeedButton1, BN_CLICKED, &MainWindow::OnRefreshDisinfectionDrives},
        {C::DriveComboBox2, CBN_SELCHANGE, &MainWindow::OnCheckDriveChosen},
        {C::DriveComboBox1, CBN_SELCHANGE, &MainWindow::OnDisinfectionDriveChosen},
        {C::BitBtn13, BN_CLICKED, &MainWindow::OnPortuguese},
        {C::BitBtn14, BN_CLICKED, &MainWindow::OnEnglish},
        {C::CheckBox1, BN_CLICKED, &MainWindow::OnOptionClicked},
        {C::CheckBox2, BN_CLICKED, &MainWindow::OnOptionClicked},
        {C::BitBtn16, BN_CLICKED, &MainWindow::OnSaveOptions},
        {C::BitBtn3, BN_CLICKED, &MainWindow::OnInstructions},
        {C::Label2, STN_DBLCLK, &MainWindow::OnWebPageLink},
        {C::Label4, STN_CLICKED, &MainWindow::OnSocialPageLink},
    };
    if (id == IDCANCEL) {
        OnEscape();
        return;
    }
    if (id == IdOf(C::StopButton) && notification == BN_CLICKED) {
        OnStop();
        return;
    }
    // A click queued before an action started (or sent to a disabled
    // control) starts nothing while it runs.
    if (worker_.Running() && IsStartingControl(id)) return;
    if (toolsTab_->OnCommand(id, notification) || optionsTab_->OnCommand(id, notification)) {
        relay_.Flush();
        return;
    }
    for (const CommandRoute& route : routes) {
        if (IdOf(route.control) == id && route.notification == notification) {
            (this->*route.handler)();
            // Whatever the handler wrote is on screen before the user goes on.
            relay_.Flush();
            return;
        }
    }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom == static_cast<UINT_PTR>(IdOf(C::PageControl1)) && header.code == TCN_SELCHANGE) {
        const int page = TabCtrl_GetCurSel(Control(C::PageControl1));
        ShowPage(page);
        if (page == 1) toolsTab_->OnShown();
        if (page == 2) optionsTab_->OnShown();
    }
    return 0;
}

LRESULT MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const ControlId id = static_cast<ControlId>(item.CtlID);
    if (id == C::BitBtn13 || id == C::BitBtn14) {
        const Flag flag = id == C::BitBtn13 ? Flag::Brazil : Flag::UnitedKingdom;
        PaintLanguageButton(item, flag, LanguageButtonColour(id, session_.language), dpi_);
        return TRUE;
    }
    if (id == C::SpeedButton3 || id == C::SpeedButton1) {
        PaintRefreshButton(item, dpi_);
        return TRUE;
    }
    return FALSE;
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control) {
    const ControlId id = IdOfControl(control);
    COLORREF text = GetSysColor(COLOR_BTNTEXT);
    switch (id) {
    case C::Label22:
    case C::Label23:
        text = kRed;
        break;
    case C::StaticText1:
        text = kTeal;
        break;
    case C::Label19:
        text = control == hoveredLink_ ? kNavy : kMaroon;
        break;
    case C::Label2:
    case C::Label4:
    case C::Label20:
    case C::Label21:
        text = control == hoveredLink_ ? kNavy : kBlack;
        break;
    default:
        break;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(faceBrush_);
}

bool MainWindow::OnSetCursor(HWND target) {
    if (!IsLinkLabel(IdOfControl(target))) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

LRESULT MainWindow::OnQueryEndSession() {
    relay_.Flush();
    const int answer = MessageBoxW(hwnd(), Widen(kEndSessionQuestion).c_str(), Widen(kProgramTitle).c_str(),
                                   MB_YESNO | MB_ICONQUESTION);
    // Only No keeps the session; Yes or closing the box some other way lets it end.
    return answer == IDNO ? FALSE : TRUE;
}

void MainWindow::OnEndSession(bool ending) {
    if (!ending) return;
    // The process may be ended as soon as this message returns: a running
    // action stops at its next safe point before the shut-down steps.
    endingSession_ = true;
    if (worker_.Running()) {
        worker_.RequestStop();
        worker_.WaitUntilEnded();
    }
    ShutDown();
    DestroyWindow(hwnd());
}

void MainWindow::OnDestroy() {
    ShutDown();
    session_.report.SetObserver(nullptr);
    instructions_.reset();
}

void MainWindow::OnStartupProblem() {
    if (!startupProblem_) return;
    const OptionsFileError problem = *startupProblem_;
    startupProblem_.reset();
    ShowFileError(problem.whileWriting(), problem.path(), problem.systemMessage());
}

// ---- Commands ---------------------------------------------------------------

void MainWindow::OnCheckDevice() {
    RunAction([drive = checkDriveText_](ActionContext& context) { DeviceCheck(context, drive); });
}

void MainWindow::OnCheckComputer() {
    RunAction([](ActionContext& context) { ComputerCheck(context); });
}

void MainWindow::OnDisinfectDevice() {
    RunAction([drive = disinfectionDriveText_](ActionContext& context) { DeviceDisinfection(context, drive); });
}

void MainWindow::OnDisinfectComputer() {
    RunAction([](ActionContext& context) { ComputerDisinfection(context); });
}

void MainWindow::OnRefreshCheckDrives() { FillDriveList(C::DriveComboBox2, RefreshDriveList(os_), checkDriveText_); }

void MainWindow::OnRefreshDisinfectionDrives() {
    FillDriveList(C::DriveComboBox1, RefreshDriveList(os_), disinfectionDriveText_);
}

void MainWindow::OnCheckDriveChosen() { checkDriveText_ = ChosenDriveText(C::DriveComboBox2); }

void MainWindow::OnDisinfectionDriveChosen() { disinfectionDriveText_ = ChosenDriveText(C::DriveComboBox1); }

void MainWindow::OnPortuguese() { SwitchTo(UiLanguage::Portuguese); }

void MainWindow::OnEnglish() { SwitchTo(UiLanguage::English); }

void MainWindow::OnOptionClicked() {
    // The boxes are the live options: the next action reads them as they are.
    session_.options.afterChecks = SendMessageW(Control(C::CheckBox1), BM_GETCHECK, 0, 0) == BST_CHECKED;
    session_.options.afterDisinfections = SendMessageW(Control(C::CheckBox2), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::OnSaveOptions() {
    try {
        SaveOptionsFile(os_, session_.options);
    } catch (const OptionsFileError& problem) {
        ShowFileError(problem.whileWriting(), problem.path(), problem.systemMessage());
    }
}

void MainWindow::OnInstructions() {
    if (!instructions_) {
        instructions_ = std::make_unique<InstructionsWindow>([this] { instructions_.reset(); });
    }
    instructions_->Open(hwnd(), dpi_, instructionsFont_, fonts_.normal);
}

void MainWindow::OnWebPageLink() { os_.ShellOpen(kWebPageAddress, false); }

void MainWindow::OnSocialPageLink() { os_.ShellOpen(kSocialPageAddress, false); }

void MainWindow::OnEscape() {
    // Escape stops a running action; otherwise it presses the options tab's
    // cancel button, and does nothing elsewhere.
    if (worker_.Running()) {
        OnStop();
        return;
    }
    if (TabCtrl_GetCurSel(Control(C::PageControl1)) == 2) SendMessageW(Control(C::BitBtn12), BM_CLICK, 0, 0);
}

// ---- Building and updating ------------------------------------------------------

void MainWindow::CreateFonts() {
    fonts_.normal = MessageFont(FW_NORMAL, false);
    fonts_.bold = MessageFont(FW_BOLD, false);
    fonts_.italic = MessageFont(FW_NORMAL, true);
    instructionsFont_ = MessageFont(FW_BOLD, false);
}

void MainWindow::CreateControls() {
    controls_[C::TForm1] = hwnd();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlDef& def : kControls) {
        HWND parent = Control(def.parent);
        RECT area;
        GetClientRect(parent, &area);
        int x = area.left, y = area.top, width = area.right - area.left, height = area.bottom - area.top;
        if (def.kind == Kind::Page) {
            // A page lies over its tab control's display area as the tab
            // control's sibling, so the tab strip is a Tab stop of its own.
            TabCtrl_AdjustRect(parent, FALSE, &area);
            MapWindowPoints(parent, hwnd(), reinterpret_cast<POINT*>(&area), 2);
            parent = hwnd();
            x = area.left, y = area.top, width = area.right - area.left, height = area.bottom - area.top;
        } else {
            const int parentWidth = width, parentHeight = height;
            x = Place(def.x, Scaled(def.x), parentWidth);
            y = Place(def.y, Scaled(def.y), parentHeight);
            width = def.width < 0 ? parentWidth + Scaled(def.width) - x : Scaled(def.width);
            height = def.height < 0 ? parentHeight + Scaled(def.height) - y : Scaled(def.height);
        }

        HWND control = nullptr;
        if (IsContainer(def.kind)) {
            containers_.push_back(std::make_unique<Container>(hwnd()));
            control = containers_.back()->CreateContainer(
                parent, IdOf(def.id), def.kind == Kind::SunkenPanel ? WS_EX_STATICEDGE : 0, x, y, width, height);
        } else if (def.kind == Kind::Report) {
            // The report area is a view of our own: it lays out only the lines in view.
            control = reportView_.CreateView(parent, IdOf(def.id), x, y, width, height);
        } else {
            control =
                CreateWindowExW(ExStyleOf(def.kind), ClassOf(def.kind), L"", StyleOf(def.kind), x, y, width, height,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(def.id))), instance, nullptr);
        }
        const HFONT font = def.font == Font::Bold     ? fonts_.bold
                           : def.font == Font::Italic ? fonts_.italic
                                                      : fonts_.normal;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        controls_[def.id] = control;
        if (def.kind == Kind::LinkLabel)
            SetWindowSubclass(control, &MainWindow::LinkLabelProc, 1, reinterpret_cast<DWORD_PTR>(this));
        if (def.kind == Kind::Tabs) {
            // The tabs exist before the pages, which fill the area below them.
            for (int index = 0; index < 3; ++index) {
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<wchar_t*>(L" ");
                TabCtrl_InsertItem(control, index, &item);
            }
        }
    }
    // The pages above the tab control (they take the clicks over its display
    // area), which comes next in the Tab order: after the page's controls,
    // before the language buttons.
    SetWindowPos(Control(C::PageControl1), Control(kPages[2]), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::CreateTooltips() {
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    for (const HintRow& row : HintTable()) {
        HWND control = Control(row.control);
        const std::wstring hint = Widen(row.hint);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<wchar_t*>(hint.c_str());
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void MainWindow::ApplyInitialCaptions() {
    for (const CaptionRow& row : CaptionTable()) SetCaption(row.control, InitialCaption(row, systemRoot_));
}

void MainWindow::ApplySwitchedCaptions() {
    for (const CaptionRow& row : CaptionTable()) {
        if (SwitchChangesCaption(row)) SetCaption(row.control, SwitchedCaption(row, session_.language, systemRoot_));
    }
}

void MainWindow::SetCaption(ControlId control, const std::string& caption) {
    const std::wstring text = Widen(caption);
    SetWindowTextW(Control(control), text.c_str());
    // A page's caption is also its tab's text.
    for (int index = 0; index < 3; ++index) {
        if (kPages[index] != control) continue;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        TabCtrl_SetItem(Control(C::PageControl1), index, &item);
    }
}

void MainWindow::ShowPage(int index) {
    for (int page = 0; page < 3; ++page) ShowWindow(Control(kPages[page]), page == index ? SW_SHOW : SW_HIDE);
}

TabHost MainWindow::MakeTabHost() {
    return TabHost{os_,
                   session_,
                   dialogs_,
                   [this](ControlId id) { return Control(id); },
                   [this](const FileWriteError& problem) { ShowFileError(true, problem.path(), problem.what()); },
                   [this](ActionWorker::Work work, ActionWorker::Afterwards afterwards) {
                       RunAction(std::move(work), std::move(afterwards));
                   }};
}

void MainWindow::FillDriveList(ControlId list, const DriveList& drives, std::string& selectedText) {
    HWND combo = Control(list);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : drives.entries) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(drives.selected), 0);
    selectedText = drives.SelectedText();
}

std::string MainWindow::ChosenDriveText(ControlId list) const {
    HWND combo = Control(list);
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return std::string();
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return std::string();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    return Narrow(text.c_str());
}

void MainWindow::SwitchTo(UiLanguage language) {
    if (!SwitchLanguage(session_, language)) return;
    InvalidateRect(Control(C::BitBtn13), nullptr, TRUE);
    InvalidateRect(Control(C::BitBtn14), nullptr, TRUE);
    reportView_.SetLanguage(language);
    relay_.Flush();
    ApplySwitchedCaptions();
    toolsTab_->OnLanguageSwitched();
}

void MainWindow::ShowAuthorBox() {
    dialogs_.ShowMessage(BoxKind::Information, AuthorBoxTitle().For(session_.language),
                         AuthorBoxText().For(session_.language));
}

void MainWindow::RunAction(ActionWorker::Work work, ActionWorker::Afterwards afterwards) {
    if (worker_.Running() || closeWhenStopped_ || endingSession_) return;
    relay_.Flush();
    // The focus leaves a control about to be disabled for the Stop button,
    // and comes back to it afterwards.
    HWND focus = GetFocus();
    focusBeforeAction_ = focus && IsChild(hwnd(), focus) ? focus : nullptr;
    if (!worker_.Start(os_, session_, std::move(work), std::move(afterwards))) return;
    SetStartingControlsEnabled(false);
    EnableWindow(Control(C::StopButton), TRUE);
    if (!focus || !IsWindowEnabled(focus)) SetFocus(Control(C::StopButton));
    UpdateProgressLine();
    SetTimer(hwnd(), kProgressTimer, kProgressIntervalMs, nullptr);
}

void MainWindow::OnActionEnded(const ActionEnding& ending) {
    KillTimer(hwnd(), kProgressTimer);
    relay_.Flush();
    SetWindowTextW(Control(C::ProgressLabel), L"");
    SetStartingControlsEnabled(true);
    HWND stop = Control(C::StopButton);
    const bool stopHadFocus = GetFocus() == stop;
    EnableWindow(stop, FALSE);
    if (stopHadFocus || !GetFocus()) {
        SetFocus(focusBeforeAction_ && IsWindow(focusBeforeAction_) ? focusBeforeAction_ : Control(C::BitBtn3));
    }
    focusBeforeAction_ = nullptr;
    // Boxes are for a user who stays; a session that ends or a window that
    // closes goes without them.
    if (!endingSession_ && !closeWhenStopped_) {
        if (ending.fileError) ShowFileError(true, ending.fileError->first, ending.fileError->second);
        if (ending.failure) {
            dialogs_.ShowMessage(BoxKind::Error, ErrorBoxTitle().For(session_.language), *ending.failure);
        }
    }
    if (closeWhenStopped_) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void MainWindow::SetStartingControlsEnabled(bool enabled) {
    for (ControlId control : kStartingControls) EnableWindow(Control(control), enabled ? TRUE : FALSE);
}

void MainWindow::UpdateProgressLine() {
    if (!worker_.Running()) return;
    const std::wstring line = Widen(ProgressLine(session_.language, worker_.Progress(), worker_.ElapsedSeconds()));
    HWND label = Control(C::ProgressLabel);
    wchar_t shown[512] = L"";
    GetWindowTextW(label, shown, 512);
    if (line != shown) {
        SetWindowTextW(label, line.c_str());
        UpdateWindow(label);
    }
    lastProgressUpdate_ = GetTickCount();
}

void MainWindow::OnStop() {
    if (!worker_.Running()) return;
    worker_.RequestStop();
    UpdateProgressLine();
}

bool MainWindow::OnCloseRequest() {
    if (!worker_.Running()) return true;
    if (closeWhenStopped_) return false;  // already stopping
    relay_.Flush();
    const MessagePair question = CloseWhileRunningQuestion();
    if (!dialogs_.AskYesNo(kProgramTitle, question.For(session_.language))) return false;
    // The window closes when the action has stopped (OnActionEnded).
    closeWhenStopped_ = true;
    if (!worker_.Running()) return true;
    worker_.RequestStop();
    UpdateProgressLine();
    return false;
}

void MainWindow::SelectNextPage(bool backwards) {
    HWND tabs = Control(C::PageControl1);
    const int count = TabCtrl_GetItemCount(tabs);
    if (count <= 0) return;
    const int next = (TabCtrl_GetCurSel(tabs) + (backwards ? count - 1 : 1)) % count;
    // As a click on the tab does: the page changes through its notification.
    TabCtrl_SetCurFocus(tabs, next);
}

void MainWindow::ShowFileError(bool whileWriting, const std::string& path, const std::string& systemMessage) {
    dialogs_.ShowMessage(BoxKind::Error, ErrorBoxTitle().For(session_.language),
                         FileErrorText(session_.language, whileWriting, path, systemMessage));
}

void MainWindow::ShutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    DeleteLeftoverFile(os_);
}

void MainWindow::SetHoveredLink(HWND link) {
    if (hoveredLink_ == link) return;
    HWND previous = hoveredLink_;
    hoveredLink_ = link;
    if (previous) InvalidateRect(previous, nullptr, TRUE);
    if (link) InvalidateRect(link, nullptr, TRUE);
}

LRESULT CALLBACK MainWindow::LinkLabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
    auto* window = reinterpret_cast<MainWindow*>(self);
    if (message == WM_MOUSEMOVE && window->hoveredLink_ != hwnd) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = hwnd;
        TrackMouseEvent(&track);
        window->SetHoveredLink(hwnd);
    } else if (message == WM_MOUSELEAVE && window->hoveredLink_ == hwnd) {
        window->SetHoveredLink(nullptr);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &MainWindow::LinkLabelProc, 1);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool MainWindow::PreTranslateMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_F11 && message.hwnd == Control(C::BitBtn3)) {
        ShowAuthorBox();
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && hwnd() &&
        (message.hwnd == hwnd() || IsChild(hwnd(), message.hwnd))) {
        SelectNextPage(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (instructions_ && instructions_->hwnd() && IsDialogMessageW(instructions_->hwnd(), &message)) return true;
    return hwnd() && IsDialogMessageW(hwnd(), &message);
}

HWND MainWindow::Control(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

ControlId MainWindow::IdOfControl(HWND control) const {
    for (const auto& [id, handle] : controls_) {
        if (handle == control && id != C::TForm1) return id;
    }
    return C::TForm1;
}

bool MainWindow::IsLinkLabel(ControlId id) const {
    return id == C::Label2 || id == C::Label4 || id == C::Label19 || id == C::Label20 || id == C::Label21;
}

}  // namespace kv

#include "app/instructions_window.h"

#include "app/control_ids.h"
#include "app/ui_texts.h"
#include "core/win32/wide.h"

namespace kv {

namespace {

constexpr int kClientWidth = 706;
constexpr int kClientHeight = 635;
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kNavy = RGB(0, 0, 128);

}  // namespace

InstructionsWindow::~InstructionsWindow() {
    if (background_) DeleteObject(background_);
}

// Where a window of the given size goes beside the main window: to its right
// when there is room on the work area, else to its left, else on the side
// with more room, kept on the work area.
POINT BesideMainWindow(HWND mainWindow, int width, int height) {
    RECT main = {0, 0, 0, 0};
    GetWindowRect(mainWindow, &main);
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST), &monitor)) work = monitor.rcWork;
    const LONG roomRight = work.right - main.right, roomLeft = main.left - work.left;
    LONG x = main.right;
    if (roomRight < width)
        x = roomLeft >= width ? main.left - width : (roomRight >= roomLeft ? work.right - width : work.left);
    LONG y = main.top;
    if (y + height > work.bottom) y = work.bottom - height;
    if (y < work.top) y = work.top;
    if (x < work.left) x = work.left;
    return {x, y};
}

void InstructionsWindow::Open(HWND mainWindow, int dpi, HFONT boldFont, HFONT buttonFont) {
    if (!hwnd()) {
        dpi_ = dpi;
        textFont_ = boldFont;
        buttonFont_ = buttonFont;
        RegisterWindowClass(kInstructionsWindowClass, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE));
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
        const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        RECT frame = {0, 0, MulDiv(kClientWidth, dpi, 96), MulDiv(kClientHeight, dpi, 96)};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
        const int width = frame.right - frame.left, height = frame.bottom - frame.top;
        const POINT place = BesideMainWindow(mainWindow, width, height);
        Create(kInstructionsWindowClass, Widen(kInstructionsCaption).c_str(), style, exStyle, place.x, place.y, width,
               height, nullptr, 0);
        if (!hwnd()) return;
    }
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    BringWindowToTop(hwnd());
}

void InstructionsWindow::CreateControls() {
    auto scaled = [this](int value) { return MulDiv(value, dpi_, 96); };
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND memo = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Widen(JoinLines(InstructionsLines())).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                                scaled(kClientWidth), scaled(kClientHeight - 48), hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(InstructionsControlId::Memo1))),
                                instance, nullptr);
    SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), FALSE);
    HWND close = CreateWindowExW(
        0, L"BUTTON", Widen(kInstructionsCloseCaption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
        (scaled(kClientWidth) - scaled(120)) / 2, scaled(kClientHeight - 40), scaled(120), scaled(32), hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(InstructionsControlId::BitBtn1))), instance, nullptr);
    SendMessageW(close, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
    SetFocus(close);
}

LRESULT InstructionsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        background_ = CreateSolidBrush(kGrey);
        CreateControls();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IdOf(InstructionsControlId::BitBtn1) && HIWORD(wParam) == BN_CLICKED) {
            DestroyWindow(hwnd());
        }
        return 0;
    case WM_CTLCOLORSTATIC:  // the read-only text area
        SetTextColor(reinterpret_cast<HDC>(wParam), kNavy);
        SetBkColor(reinterpret_cast<HDC>(wParam), kGrey);
        return reinterpret_cast<LRESULT>(background_);
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void InstructionsWindow::OnFinalMessage() {
    if (onClosed_) onClosed_();
}

}  // namespace kv

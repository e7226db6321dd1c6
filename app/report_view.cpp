#include "app/report_view.h"

#include <algorithm>
#include <cstring>

#include "core/win32/wide.h"

namespace kv {

namespace {

const wchar_t kReportViewClass[] = L"KvReportView";

// Lines reach the screen at most this long after they were appended, while
// the repaints they cost stay a small share of the action's time.
constexpr DWORD kRepaintIntervalMs = 50;
// The scroll bar moves less often during a burst of lines: under Wine a
// scroll bar update costs about 7 ms, four times the repaint of the text.
constexpr DWORD kScrollBarIntervalMs = 500;

// How each line is laid out: wrapped at word boundaries, and inside a word
// wider than the view, the way a multi-line edit control wraps.
constexpr UINT kLineFormat = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX;

// Room enough below a line's top for every row it wraps into.
constexpr int kUnboundedHeight = 1 << 24;

constexpr UINT kCopySelectionCommand = 1;
constexpr UINT kCopyAllCommand = 2;
constexpr UINT kSelectAllCommand = 3;

// Above the first row, as the edit control left it.
constexpr int kTopGap = 1;

// A device context of the view with its font selected, for measuring.
class MeasuringDc {
public:
    MeasuringDc(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) { previous_ = SelectObject(dc_, font); }
    ~MeasuringDc() {
        SelectObject(dc_, previous_);
        ReleaseDC(window_, dc_);
    }
    MeasuringDc(const MeasuringDc&) = delete;
    MeasuringDc& operator=(const MeasuringDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

HWND ReportView::CreateView(HWND parent, int id, int x, int y, int width, int height) {
    RegisterWindowClass(kReportViewClass, nullptr, nullptr, nullptr);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL;
    if (!Create(kReportViewClass, L"", style, WS_EX_CLIENTEDGE, x, y, width, height, parent, id)) return nullptr;
    UpdateScrollBar();
    return hwnd();
}

// ---- The report ---------------------------------------------------------------

void ReportView::OnLineAppended(const std::string& line) {
    if (!lines_.empty()) textLength_ += 2;
    lines_.push_back(Widen(line));
    textLength_ += lines_.back().size();
    showNewest_ = true;
    if (hwnd() && GetTickCount() - lastRepaint_ >= kRepaintIntervalMs) Repaint(false);
}

void ReportView::AppendLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (!lines_.empty()) textLength_ += 2;
        lines_.push_back(Widen(line));
        textLength_ += lines_.back().size();
    }
    showNewest_ = true;
    if (hwnd() && GetTickCount() - lastRepaint_ >= kRepaintIntervalMs) Repaint(false);
}

void ReportView::OnReportCleared() {
    lines_.clear();
    textLength_ = 0;
    topLine_ = 0;
    selected_ = false;
    anchor_ = caret_ = 0;
    following_ = true;
    // The next repaint shows the empty view, or the lines that follow.
    showNewest_ = true;
}

void ReportView::Flush() {
    if (hwnd() && showNewest_) Repaint(true);
}

void ReportView::ShowFirstLine() {
    Flush();
    ScrollTo(0);
}

std::wstring ReportView::Text() const {
    std::wstring text;
    text.reserve(textLength_);
    for (std::size_t index = 0; index < lines_.size(); ++index) {
        if (index > 0) text += L"\r\n";
        text += lines_[index];
    }
    return text;
}

void ReportView::ReplaceText(const wchar_t* text) {
    lines_.clear();
    textLength_ = 0;
    topLine_ = 0;
    selected_ = false;
    anchor_ = caret_ = 0;
    following_ = true;
    showNewest_ = false;
    const std::wstring whole = text ? text : L"";
    if (!whole.empty()) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = whole.find(L"\r\n", start);
            lines_.push_back(whole.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
            if (end == std::wstring::npos) break;
            start = end + 2;
        }
        textLength_ = whole.size();
    }
    UpdateScrollBar();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT ReportView::CopyText(wchar_t* buffer, std::size_t capacity) const {
    if (!buffer || capacity == 0) return 0;
    std::size_t copied = 0;
    const std::size_t room = capacity - 1;
    auto put = [&](const wchar_t* part, std::size_t length) {
        const std::size_t taken = std::min(length, room - copied);
        std::memcpy(buffer + copied, part, taken * sizeof(wchar_t));
        copied += taken;
    };
    for (std::size_t index = 0; index < lines_.size() && copied < room; ++index) {
        if (index > 0) put(L"\r\n", 2);
        put(lines_[index].data(), lines_[index].size());
    }
    buffer[copied] = L'\0';
    return static_cast<LRESULT>(copied);
}

void ReportView::CopyToClipboard(bool wholeReport) const {
    std::wstring text;
    if (wholeReport || !HasSelection()) {
        text = Text();
    } else {
        for (std::size_t index = SelectionFirst(); index <= SelectionLast() && index < lines_.size(); ++index) {
            if (index > SelectionFirst()) text += L"\r\n";
            text += lines_[index];
        }
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory) return;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return;
    }
    std::memcpy(target, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    // Another program may hold the clipboard for a moment: try a few times.
    bool opened = false;
    for (int attempt = 0; attempt < 20 && !(opened = OpenClipboard(hwnd()) != FALSE); ++attempt) Sleep(10);
    if (!opened) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    // The clipboard owns the memory once it has taken it.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

// ---- Layout -----------------------------------------------------------------

int ReportView::TextWidth() const {
    RECT client;
    GetClientRect(hwnd(), &client);
    return std::max(1, static_cast<int>(client.right - client.left) - 2 * margin_);
}

int ReportView::TextHeight() const {
    RECT client;
    GetClientRect(hwnd(), &client);
    return std::max(1, static_cast<int>(client.bottom - client.top) - kTopGap);
}

int ReportView::LineHeight(HDC dc, std::size_t index, int width) const {
    const std::wstring& line = lines_[index];
    if (line.empty()) return rowHeight_;
    RECT place = {0, 0, width, 0};
    DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &place, kLineFormat | DT_CALCRECT);
    return std::max(static_cast<int>(place.bottom - place.top), rowHeight_);
}

std::size_t ReportView::LastTopLine() const {
    if (lines_.empty()) return 0;
    const int clientHeight = TextHeight();
    const int width = TextWidth();
    MeasuringDc dc(hwnd(), Font());
    std::size_t top = lines_.size();
    int filled = 0;
    while (top > 0) {
        const int height = LineHeight(dc.get(), top - 1, width);
        // The last line is shown even when it alone is taller than the view.
        if (top < lines_.size() && filled + height > clientHeight) break;
        filled += height;
        --top;
    }
    return top;
}

std::size_t ReportView::LinesFittingFromTop() const {
    const int clientHeight = TextHeight();
    const int width = TextWidth();
    MeasuringDc dc(hwnd(), Font());
    std::size_t count = 0;
    int filled = 0;
    for (std::size_t index = topLine_; index < lines_.size(); ++index) {
        filled += LineHeight(dc.get(), index, width);
        if (filled > clientHeight) break;
        ++count;
    }
    return std::max<std::size_t>(count, 1);
}

void ReportView::UpdateScrollBar(bool toNewest) {
    // Positions are line indexes. The page is the lines from the last top line
    // to the end, so the highest position the bar allows is that top line.
    const std::size_t lastTop = LastTopLine();
    topLine_ = toNewest ? lastTop : std::min(topLine_, lastTop);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(std::max<std::size_t>(lines_.size(), 1) - 1);
    info.nPage = static_cast<UINT>(std::max<std::size_t>(lines_.size() - lastTop, 1));
    info.nPos = static_cast<int>(topLine_);
    SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
}

HFONT ReportView::Font() const { return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void ReportView::OnFontChanged() {
    MeasuringDc dc(hwnd(), Font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    rowHeight_ = std::max(1, static_cast<int>(metrics.tmHeight));
    margin_ = std::max(2, static_cast<int>(metrics.tmAveCharWidth) / 2);
}

// ---- Painting and scrolling ---------------------------------------------------

void ReportView::Repaint(bool withScrollBar) {
    const DWORD now = GetTickCount();
    // The newest line comes into view only while the user has left the view
    // at the end; otherwise the view stays where it was put.
    const bool toNewest = showNewest_ && following_;
    if (withScrollBar || now - lastScrollBarUpdate_ >= kScrollBarIntervalMs) {
        UpdateScrollBar(toNewest);
        lastScrollBarUpdate_ = now;
    } else if (toNewest) {
        topLine_ = LastTopLine();
    }
    showNewest_ = false;
    // Painted now: the lines of a batch reach the screen together.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    lastRepaint_ = GetTickCount();
}

void ReportView::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    RECT client;
    GetClientRect(hwnd(), &client);
    const int width = std::max(1, static_cast<int>(client.right));
    const int height = std::max(1, static_cast<int>(client.bottom));
    // Drawn off screen first, so the frequent repaints during an action do not flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
    HGDIOBJ previousFont = SelectObject(memory, Font());
    FillRect(memory, &client, GetSysColorBrush(COLOR_WINDOW));
    SetTextColor(memory, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(memory, TRANSPARENT);
    const int textWidth = TextWidth();
    int top = kTopGap;
    bool caretDrawn = false;
    for (std::size_t index = topLine_; index < lines_.size() && top < height; ++index) {
        const std::wstring& line = lines_[index];
        const int lineHeight = LineHeight(memory, index, textWidth);
        RECT row = {0, top, width, top + lineHeight};
        const bool inSelection = HasSelection() && index >= SelectionFirst() && index <= SelectionLast();
        if (inSelection) {
            // As a list box shows it: the highlight while focused, grey otherwise.
            FillRect(memory, &row, GetSysColorBrush(focused_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
            SetTextColor(memory, GetSysColor(focused_ ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        }
        RECT place = {margin_, top, margin_ + textWidth, top + kUnboundedHeight};
        if (!line.empty()) DrawTextW(memory, line.c_str(), static_cast<int>(line.size()), &place, kLineFormat);
        if (inSelection) SetTextColor(memory, GetSysColor(COLOR_WINDOWTEXT));
        if (focused_ && index == caret_) {
            DrawFocusRect(memory, &row);
            caretDrawn = true;
        }
        top += lineHeight;
    }
    // The focus shows even when the caret line is out of view.
    if (focused_ && !caretDrawn) DrawFocusRect(memory, &client);
    BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previousFont);
    SelectObject(memory, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hwnd(), &paint);
}

void ReportView::ScrollTo(long long topLine) {
    const long long lastTop = static_cast<long long>(LastTopLine());
    const std::size_t clamped = static_cast<std::size_t>(std::max(0LL, std::min(topLine, lastTop)));
    following_ = static_cast<long long>(clamped) >= lastTop;
    if (clamped == topLine_) return;
    topLine_ = clamped;
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = static_cast<int>(topLine_);
    SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void ReportView::OnVerticalScroll(WORD request) {
    const long long page = static_cast<long long>(LinesFittingFromTop());
    switch (request) {
    case SB_LINEUP:
        ScrollBy(-1);
        break;
    case SB_LINEDOWN:
        ScrollBy(1);
        break;
    case SB_PAGEUP:
        ScrollBy(-page);
        break;
    case SB_PAGEDOWN:
        ScrollBy(page);
        break;
    case SB_TOP:
        ScrollTo(0);
        break;
    case SB_BOTTOM:
        ScrollTo(static_cast<long long>(lines_.size()));
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit position: the message's own is cut to 16 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(hwnd(), SB_VERT, &info)) ScrollTo(info.nTrackPos);
        break;
    }
    default:
        break;
    }
}

void ReportView::OnMouseWheel(short delta) {
    UINT linesPerNotch = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &linesPerNotch, 0);
    wheelRemainder_ += delta;
    const int notches = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ %= WHEEL_DELTA;
    if (notches == 0) return;
    const long long step = linesPerNotch == WHEEL_PAGESCROLL ? static_cast<long long>(LinesFittingFromTop())
                                                             : static_cast<long long>(linesPerNotch);
    ScrollBy(-notches * step);
}

bool ReportView::OnKeyDown(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const long long caret = static_cast<long long>(caret_);
    const long long page = static_cast<long long>(LinesFittingFromTop());
    switch (key) {
    case VK_UP:
        MoveCaret(caret - 1, shift);
        return true;
    case VK_DOWN:
        MoveCaret(caret + 1, shift);
        return true;
    case VK_PRIOR:
        MoveCaret(caret - page, shift);
        return true;
    case VK_NEXT:
        MoveCaret(caret + page, shift);
        return true;
    case VK_HOME:
        MoveCaret(0, shift);
        return true;
    case VK_END:
        MoveCaret(static_cast<long long>(lines_.size()) - 1, shift);
        return true;
    case 'A':
        if (!control || lines_.empty()) return false;
        anchor_ = 0;
        selected_ = true;
        MoveCaret(static_cast<long long>(lines_.size()) - 1, true);
        return true;
    case 'C':
    case VK_INSERT:
        if (!control) return false;
        CopyToClipboard(false);
        return true;
    default:
        return false;
    }
}

void ReportView::MoveCaret(long long line, bool extend) {
    if (lines_.empty()) return;
    const std::size_t target =
        static_cast<std::size_t>(std::max(0LL, std::min(line, static_cast<long long>(lines_.size()) - 1)));
    // Extending with nothing selected starts from the caret line.
    if (!extend) anchor_ = target;
    if (extend && !selected_) anchor_ = std::min(caret_, lines_.size() - 1);
    caret_ = target;
    selected_ = true;
    ScrollIntoView(caret_);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void ReportView::ScrollIntoView(std::size_t line) {
    if (line < topLine_) {
        ScrollTo(static_cast<long long>(line));
        return;
    }
    const std::size_t fitting = LinesFittingFromTop();
    if (line >= topLine_ + fitting) ScrollTo(static_cast<long long>(line + 1) - static_cast<long long>(fitting));
}

bool ReportView::LineAt(int y, std::size_t& line) const {
    if (lines_.empty()) return false;
    const int width = TextWidth();
    const int bottom = TextHeight() + kTopGap;
    MeasuringDc dc(hwnd(), Font());
    int top = kTopGap;
    std::size_t index = topLine_;
    for (; index < lines_.size() && top < bottom; ++index) {
        top += LineHeight(dc.get(), index, width);
        if (y < top) {
            line = index;
            return true;
        }
    }
    line = std::min(index, lines_.size()) - 1;
    return true;
}

void ReportView::OnMouseDown(LPARAM position, WPARAM keys) {
    SetFocus(hwnd());
    std::size_t line = 0;
    if (!LineAt(static_cast<short>(HIWORD(position)), line)) return;
    MoveCaret(static_cast<long long>(line), (keys & MK_SHIFT) != 0);
    SetCapture(hwnd());
    dragging_ = true;
}

void ReportView::OnMouseMove(LPARAM position) {
    if (!dragging_) return;
    const int y = static_cast<short>(HIWORD(position));
    // Above or below the view, the selection grows a line at a time and the
    // view scrolls with it.
    if (y < 0) {
        MoveCaret(static_cast<long long>(caret_) - 1, true);
        return;
    }
    if (y >= TextHeight() + kTopGap) {
        MoveCaret(static_cast<long long>(caret_) + 1, true);
        return;
    }
    std::size_t line = 0;
    if (LineAt(y, line) && line != caret_) MoveCaret(static_cast<long long>(line), true);
}

void ReportView::OnContextMenu(LPARAM position) {
    POINT at = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) {  // from the keyboard: at the view's corner
        at = {0, 0};
        ClientToScreen(hwnd(), &at);
    }
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const bool portuguese = language_ == UiLanguage::Portuguese;
    AppendMenuW(menu, MF_STRING | (HasSelection() ? 0 : MF_GRAYED), kCopySelectionCommand,
                portuguese ? L"Copiar as linhas selecionadas\tCtrl+C" : L"Copy the selected lines\tCtrl+C");
    AppendMenuW(menu, MF_STRING | (lines_.empty() ? MF_GRAYED : 0), kCopyAllCommand,
                portuguese ? L"Copiar o relatório inteiro" : L"Copy the whole report");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | (lines_.empty() ? MF_GRAYED : 0), kSelectAllCommand,
                portuguese ? L"Selecionar tudo\tCtrl+A" : L"Select all\tCtrl+A");
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, hwnd(), nullptr));
    DestroyMenu(menu);
    if (chosen == kCopySelectionCommand) CopyToClipboard(false);
    if (chosen == kCopyAllCommand) CopyToClipboard(true);
    if (chosen == kSelectAllCommand) {
        anchor_ = 0;
        selected_ = true;
        MoveCaret(static_cast<long long>(lines_.size()) - 1, true);
    }
}

// ---- Messages -----------------------------------------------------------------

LRESULT ReportView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills the whole client area
    case WM_SIZE:
        UpdateScrollBar();
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        OnFontChanged();
        UpdateScrollBar();
        if (LOWORD(lParam)) InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(textLength_);
    case WM_GETTEXT:
        return CopyText(reinterpret_cast<wchar_t*>(lParam), static_cast<std::size_t>(wParam));
    case WM_SETTEXT:
        ReplaceText(reinterpret_cast<const wchar_t*>(lParam));
        return TRUE;
    case WM_COPY:
        CopyToClipboard(false);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
        OnMouseDown(lParam, wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return 0;
    case WM_LBUTTONUP:
        if (dragging_) ReleaseCapture();
        dragging_ = false;
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return 0;
    case WM_RBUTTONDOWN: {
        SetFocus(hwnd());
        // A right click outside the selection selects its line first.
        std::size_t line = 0;
        if (LineAt(static_cast<short>(HIWORD(lParam)), line) &&
            !(HasSelection() && line >= SelectionFirst() && line <= SelectionLast())) {
            MoveCaret(static_cast<long long>(line), false);
        }
        return 0;
    }
    case WM_SETFOCUS:
        focused_ = true;
        // The caret starts on the top line in view.
        if (!selected_) caret_ = anchor_ = topLine_;
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(lParam);
        return 0;
    case WM_VSCROLL:
        OnVerticalScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam)) return 0;
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace kv

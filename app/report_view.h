// The report area (Memo1): a read-only view of the report log, a window class
// of our own ("KvReportView") that looks like the read-only memo it replaced
// (sunken edge, white background, the window's font and text colour, a
// vertical scroll bar) but lays out only what is in view.
//
// Why not an edit control: Wine's edit control lays out every line it is
// given, 60 to 90 µs a line with Uniscribe, however the lines are grouped, so
// a 100,000-line device listing cost it 6 to 9 s and made the window's device
// check 2.4 times the console program's time (scripts/bench-window-check.sh).
//
// Here each line is converted to UTF-16 once, when it is appended, and kept in
// a vector. Painting draws the lines from the top line down until the client
// area is full, wrapping each at word boundaries (and inside a word longer
// than the width) as the edit control did; scrolling is by whole report line
// (the scroll bar's position is the index of the top line). Showing the newest
// line measures the last lines from the bottom up until they fill the client
// height. No step looks at more lines than fit on the screen, so the cost of a
// repaint does not grow with the report.
//
// Actions run on the UI thread without returning to the message loop, so the
// view repaints itself after an append when its last repaint is at least 50 ms
// old, and Flush() repaints whatever is left, scroll bar included, before a box
// is shown or the window is handed back to the user. Measured under Wine: a
// repaint of the text costs about 1.5 ms, an update of the scroll bar about
// 7 ms, so during a burst of lines the scroll bar follows only every 500 ms.
// With that, the window's check of a 100,000-file device took 1.13 times the
// console program's time (medians of 5 runs, 4.42 s against 3.91 s, load about
// 1.3 to 1.7 on 2 cores), against 2.4 times with the edit control.
//
// Actions now run on a worker thread (app/action_runner.h): their lines come in
// batches on the window's thread, and the view follows the newest line only
// while the user has left it scrolled to the end.
//
// Selection: whole lines, as in a list box. A click selects a line, a drag or
// a Shift+click extends the selection, the arrow, page, Home and End keys
// move the caret line (with Shift, extending), Ctrl+A selects everything. The
// caret line carries a focus rectangle while the view has the focus.
//
// Text out: WM_GETTEXT and WM_GETTEXTLENGTH answer the whole report, lines
// joined with CR LF, as the edit control did. Ctrl+C, Ctrl+Insert and WM_COPY
// put the selected lines on the clipboard, or the whole report when nothing
// is selected; the context menu offers both. WM_SETTEXT replaces the lines
// (split on CR LF).
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/window.h"
#include "core/report_log.h"

namespace kv {

class ReportView : public Window, public ReportObserver {
public:
    // Creates the view as a child with the given control id and place.
    HWND CreateView(HWND parent, int id, int x, int y, int width, int height);

    void OnLineAppended(const std::string& line) override;
    void OnReportCleared() override;
    // A batch of lines, repainted at most every so often (Flush shows all now).
    void AppendLines(const std::vector<std::string>& lines);
    // Shows every line appended so far, scrolled to the newest, painted now.
    void Flush();
    // Scrolls back to the first line (the report area opens there).
    void ShowFirstLine();
    // The language of the context menu.
    void SetLanguage(UiLanguage language) { language_ = language; }

    // The whole report as the edit control gave it: lines joined with CR LF.
    std::wstring Text() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    // Shows the newest lines if any were appended and paints now; the scroll
    // bar follows when asked or when its last update is old enough.
    void Repaint(bool withScrollBar);
    void ReplaceText(const wchar_t* text);
    void ScrollTo(long long topLine);
    void ScrollBy(long long lines) { ScrollTo(static_cast<long long>(topLine_) + lines); }
    void OnVerticalScroll(WORD request);
    void OnMouseWheel(short delta);
    bool OnKeyDown(WPARAM key);
    void OnContextMenu(LPARAM position);
    // The selected lines, or the whole report when nothing is selected.
    void CopyToClipboard(bool wholeReport) const;
    // Selection.
    bool HasSelection() const { return selected_ && !lines_.empty(); }
    std::size_t SelectionFirst() const { return std::min(anchor_, caret_); }
    std::size_t SelectionLast() const { return std::max(anchor_, caret_); }
    // Moves the caret line (extending the selection or starting it there)
    // and scrolls it into view.
    void MoveCaret(long long line, bool extend);
    void ScrollIntoView(std::size_t line);
    // The line at a client y (the last line below the last row), or none.
    bool LineAt(int y, std::size_t& line) const;
    void OnMouseDown(LPARAM position, WPARAM keys);
    void OnMouseMove(LPARAM position);
    LRESULT CopyText(wchar_t* buffer, std::size_t capacity) const;

    // Layout, over the lines in view only.
    int TextWidth() const;   // of the rows, inside the margins
    int TextHeight() const;  // below the gap above the first row
    int LineHeight(HDC dc, std::size_t index, int width) const;
    std::size_t LastTopLine() const;          // the top line that shows the last line at the bottom
    std::size_t LinesFittingFromTop() const;  // whole lines in view from the top line, at least 1
    // Sets the bar from the lines; with toNewest, scrolls to show the last line.
    void UpdateScrollBar(bool toNewest = false);
    HFONT Font() const;
    void OnFontChanged();

    std::vector<std::wstring> lines_;
    std::size_t textLength_ = 0;  // of Text(), without the terminating null
    std::size_t topLine_ = 0;
    bool showNewest_ = false;  // lines were appended since the last repaint
    DWORD lastRepaint_ = 0;    // GetTickCount(), compared by difference across its wrap
    DWORD lastScrollBarUpdate_ = 0;
    HFONT font_ = nullptr;
    int rowHeight_ = 16;  // of one row of text in the font
    int margin_ = 2;      // left and right of the text
    int wheelRemainder_ = 0;
    UiLanguage language_ = UiLanguage::Portuguese;
    bool following_ = true;  // the view shows the newest line as lines come
    bool selected_ = false;  // a selection exists (from anchor_ to caret_)
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    bool focused_ = false;
    bool dragging_ = false;
};

}  // namespace kv

#include "app/report_view.h"

#include "core/win32/wide.h"

namespace kv {

namespace {
// How many times the last hand-over's cost to wait before the next one.
constexpr long long kPauseToCostRatio = 3;
}  // namespace

long long ReportView::Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

void ReportView::Attach(HWND edit) {
    edit_ = edit;
    // The default limit (32K characters) would cut a long report short.
    SendMessageW(edit_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

void ReportView::OnLineAppended(const std::string& line) {
    if (anyLine_) pending_ += L"\r\n";
    pending_ += Widen(line);
    anyLine_ = true;
    if (HandOverIsDue()) Flush();
}

void ReportView::OnReportCleared() {
    pending_.clear();
    anyLine_ = false;
    if (edit_) SetWindowTextW(edit_, L"");
}

bool ReportView::HandOverIsDue() const { return Now() - lastHandOverEnd_ >= kPauseToCostRatio * lastHandOverCost_; }

void ReportView::Flush() {
    if (!edit_ || pending_.empty()) return;
    const long long start = Now();
    // Taken out first: the edit control notifies its parent while it changes,
    // and a flush from there must find nothing left to hand over.
    std::wstring text;
    text.swap(pending_);
    const LRESULT end = SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    // Actions run without returning to the message loop: paint now.
    UpdateWindow(edit_);
    lastHandOverEnd_ = Now();
    lastHandOverCost_ = lastHandOverEnd_ - start;
}

}  // namespace kv

#include "app/report_view.h"

#include <algorithm>

#include "core/win32/wide.h"

namespace kv {

namespace {
// How many times the last hand-over's cost to wait before the next one, and
// how late a line may reach the screen, so it is never more than a moment behind.
constexpr long long kPauseToCostRatio = 3;
constexpr long long kLongestDelayMs = 1000;

long long CounterFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}
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
    if (pendingLines_ == 0) oldestPendingSince_ = Now();
    ++pendingLines_;
    if (anyLine_) pending_ += L"\r\n";
    pending_ += Widen(line);
    anyLine_ = true;
    if (HandOverIsDue()) Flush();
}

void ReportView::OnReportCleared() {
    pending_.clear();
    pendingLines_ = 0;
    anyLine_ = false;
    if (edit_) SetWindowTextW(edit_, L"");
}

bool ReportView::HandOverIsDue() const {
    static const long long longestDelay = CounterFrequency() * kLongestDelayMs / 1000;
    const long long now = Now();
    if (now - lastHandOverEnd_ >= kPauseToCostRatio * lastHandOverCost_) return true;
    const double expectedCost = lastCostPerLine_ * static_cast<double>(pendingLines_);
    return static_cast<double>(now - oldestPendingSince_) + expectedCost >= static_cast<double>(longestDelay);
}

void ReportView::Flush() {
    if (!edit_ || pending_.empty()) return;
    const long long start = Now();
    // Taken out first: the edit control notifies its parent while it changes,
    // and a flush from there must find nothing left to hand over.
    std::wstring text;
    text.swap(pending_);
    const long long lines = pendingLines_;
    pendingLines_ = 0;
    const LRESULT end = SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    // Actions run without returning to the message loop: paint now.
    UpdateWindow(edit_);
    lastHandOverEnd_ = Now();
    lastHandOverCost_ = lastHandOverEnd_ - start;
    lastCostPerLine_ = static_cast<double>(lastHandOverCost_) / static_cast<double>(std::max(lines, 1LL));
}

}  // namespace kv

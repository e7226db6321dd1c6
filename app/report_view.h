// The report area (Memo1): a read-only multi-line edit that shows the report
// log line by line as the actions append to it.
//
// Every line reaches the control in order, but lines that arrive in a quick
// burst are handed over together. A hand-over costs the edit control a repaint
// and a scroll, about 35 ms under Wine whatever its size, plus the layout of
// each line it carries: Wine's edit control measures every new line with
// Uniscribe, 60 to 90 µs a line, so a 100,000-line device listing costs it 6 to
// 9 s however the lines are grouped (and most of an hour one call per line).
// That layout is all that makes the window's device check slower there than
// the console program's: 2.4 times its time on such a device (measured with
// scripts/bench-window-check.sh), against 1.1 times with the lines dropped.
//
// A waiting line goes over when the previous hand-over ended at least three
// times its own cost ago, so where a hand-over is cheap (a fraction of a
// millisecond) every line goes over as it comes and hand-overs never take more
// than about a quarter of the action's time. Where the cost grows with the
// lines carried, the oldest waiting line goes over no later than about a second
// after it was written, the hand-over's own expected cost included (the lines
// waiting at the last hand-over's cost per line). Flush() hands over the rest
// before the user is shown a box or gets the window back.
#pragma once

#include <windows.h>

#include <string>

#include "core/report_log.h"

namespace kv {

class ReportView : public ReportObserver {
public:
    void Attach(HWND edit);
    void OnLineAppended(const std::string& line) override;
    void OnReportCleared() override;
    // Shows every line appended so far and scrolls to the newest.
    void Flush();

private:
    bool HandOverIsDue() const;
    static long long Now();  // performance-counter ticks, as all the times below

    HWND edit_ = nullptr;
    std::wstring pending_;
    bool anyLine_ = false;  // the control or pending_ holds at least one line
    long long pendingLines_ = 0;
    long long oldestPendingSince_ = 0;
    long long lastHandOverEnd_ = 0;
    long long lastHandOverCost_ = 0;
    double lastCostPerLine_ = 0;
};

}  // namespace kv

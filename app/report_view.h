// The report area (Memo1): a read-only multi-line edit that shows the report
// log line by line as the actions append to it.
//
// Every line reaches the control in order, but lines that arrive in a quick
// burst are handed over together: each hand-over costs the edit control a
// repaint and a scroll, measured at about 35 ms under Wine whatever its size,
// so a 100,000-line device listing appended one call per line would take most
// of an hour there. A line is handed over at once when the previous hand-over
// ended at least three times its own cost ago; otherwise it waits for the
// next line or for Flush(), and never waits more than a second. Where a
// hand-over is cheap (a fraction of a millisecond) every line goes over as it
// comes; where it is slow, showing the report takes about a quarter of the
// action's time (measured under Wine: 100,000 lines in under 4 s, against
// about an hour one line at a time). Flush() hands over the rest before the
// user is shown a box or gets the window back.
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
    static long long Now();  // performance-counter ticks

    HWND edit_ = nullptr;
    std::wstring pending_;
    bool anyLine_ = false;  // the control or pending_ holds at least one line
    long long lastHandOverEnd_ = 0;
    long long lastHandOverCost_ = 0;
};

}  // namespace kv

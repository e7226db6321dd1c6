// The state the main window owns for the whole run (report, language, flags,
// options) and the context an action runs in.
#pragma once

#include <string>

#include "core/action_monitor.h"
#include "core/dialogs.h"
#include "core/platform_ops.h"
#include "core/report_log.h"

namespace kv {

// Whether to offer saving the report after checks and after disinfections.
struct SaveOptions {
    bool afterChecks = true;
    bool afterDisinfections = true;
};

struct Session {
    ReportLog report;
    ScanOutcome outcome;
    UiLanguage language = UiLanguage::Portuguese;
    SaveOptions options;
};

// What every action and routine works with.
class ActionContext {
public:
    ActionContext(PlatformOps& os, UserDialogs& dialogs, Session& session)
        : os(os), dialogs(dialogs), session(session) {}

    PlatformOps& os;
    UserDialogs& dialogs;
    Session& session;

    ScanOutcome& flags() { return session.outcome; }
    bool IsPortuguese() const { return session.language == UiLanguage::Portuguese; }
    // Appends a line as it stands (also used for Portuguese-only messages).
    void Line(const std::string& text) { session.report.AppendLine(text); }
    // Appends the text of the active language, read at the moment of the call.
    void Pair(const std::string& pt, const std::string& en) { Line(IsPortuguese() ? pt : en); }
    std::string Pick(const std::string& pt, const std::string& en) const { return IsPortuguese() ? pt : en; }

    // ---- Progress and stopping (a front end's monitor; none in the console) ----
    // Attached by the front end that runs the action; nullptr: nobody watches.
    ActionMonitor* monitor = nullptr;
    // Names the step now beginning; a safe point to stop.
    void NextStep(const std::string& pt, const std::string& en) {
        if (!monitor) return;
        StopPoint();
        monitor->StepStarted({pt, en});
    }
    // Counts one more entry of folder; a safe point to stop (call it before
    // the entry is touched, never between two effects on it).
    void NextEntry(const std::string& folder) {
        if (!monitor) return;
        StopPoint();
        monitor->EntryReached(folder);
    }
    // Ends the action here (throws ActionStopped) when a stop was asked for.
    void StopPoint() {
        if (monitor && monitor->StopRequested()) throw ActionStopped{};
    }
};

}  // namespace kv

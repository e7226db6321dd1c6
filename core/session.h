// The state the main window owns for the whole run (report, language, flags,
// options) and the context an action runs in.
#pragma once

#include <string>

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
};

}  // namespace kv

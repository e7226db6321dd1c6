// Dialogs for tests: records every box and question as one line and answers
// from scripts set up by the test.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/dialogs.h"

namespace kv::test {

class ScriptedDialogs : public UserDialogs {
public:
    // Answers given in order; when a script runs out, questions are answered
    // Yes and the save dialog is cancelled.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> saveChoices;

    // "information | title | text", "warning | ...", "plain | ...", "question | ...",
    // "save-dialog | title | txt | *.txt".
    std::vector<std::string> events;

    void ShowMessage(BoxKind kind, const std::string& title, const std::string& text) override {
        const char* name = kind == BoxKind::Information ? "information"
                           : kind == BoxKind::Warning   ? "warning"
                           : kind == BoxKind::Plain     ? "plain"
                                                        : "error";
        events.push_back(std::string(name) + " | " + title + " | " + text);
    }
    bool AskYesNo(const std::string& title, const std::string& text) override {
        events.push_back("question | " + title + " | " + text);
        if (yesNoAnswers.empty()) return true;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    // Recorded as "warning-question | title | text"; answered like AskYesNo.
    bool AskYesNoWarning(const std::string& title, const std::string& text) override {
        events.push_back("warning-question | " + title + " | " + text);
        if (yesNoAnswers.empty()) return true;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseSaveFile(const SaveDialogRequest& request) override {
        events.push_back("save-dialog | " + request.title + " | " + request.defaultExtension + " | " + request.filter);
        if (saveChoices.empty()) return std::nullopt;
        auto choice = saveChoices.front();
        saveChoices.pop_front();
        return choice;
    }
};

}  // namespace kv::test

// What the actions ask of the user: message boxes, yes/no questions and the
// save-file dialog. The window shows real boxes, the console program prints
// them, tests script them.
#pragma once

#include <optional>
#include <string>

namespace kv {

// Plain: a box with no icon, only a text and OK.
enum class BoxKind { Information, Warning, Error, Plain };

struct SaveDialogRequest {
    std::string title;
    std::string defaultExtension;  // "txt"
    std::string filter;            // "*.txt"
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    virtual void ShowMessage(BoxKind kind, const std::string& title, const std::string& text) = 0;
    // Question icon with Yes and No; returns false only for No.
    virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
    // The same question with a warning icon, for a question whose Yes has a
    // serious effect (restarting the computer). Where a front end has no such
    // box it is asked as any other question.
    virtual bool AskYesNoWarning(const std::string& title, const std::string& text) { return AskYesNo(title, text); }
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseSaveFile(const SaveDialogRequest& request) = 0;
};

}  // namespace kv

// What the actions ask of the user: message boxes, yes/no questions and the
// save-file dialog. The window shows real boxes, the console program prints
// them, tests script them.
#pragma once

#include <optional>
#include <string>

namespace kv {

enum class BoxKind { Information, Warning, Error };

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
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseSaveFile(const SaveDialogRequest& request) = 0;
};

}  // namespace kv

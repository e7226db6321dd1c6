// The user dialogs of the actions as real Windows boxes, owned by the main
// window: message boxes and the system's save-file dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/dialogs.h"

namespace kv {

class WindowDialogs : public UserDialogs {
public:
    // beforeShowing runs before every box (the report area shows every line
    // written so far before the user is asked anything).
    WindowDialogs(HWND owner, std::function<void()> beforeShowing)
        : owner_(owner), beforeShowing_(std::move(beforeShowing)) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    void ShowMessage(BoxKind kind, const std::string& title, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& text) override;
    bool AskYesNoWarning(const std::string& title, const std::string& text) override;
    std::optional<std::string> ChooseSaveFile(const SaveDialogRequest& request) override;

private:
    int Box(const std::string& title, const std::string& text, UINT flags);

    HWND owner_;
    std::function<void()> beforeShowing_;
    // The file chosen in the previous save of this run, offered again.
    std::wstring lastSaveFile_;
};

}  // namespace kv

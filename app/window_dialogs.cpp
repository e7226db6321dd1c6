#include "app/window_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "core/win32/wide.h"

namespace kv {

int WindowDialogs::Box(const std::string& title, const std::string& text, UINT flags) {
    if (beforeShowing_) beforeShowing_();
    return MessageBoxW(owner_, Widen(text).c_str(), Widen(title).c_str(), flags);
}

void WindowDialogs::ShowMessage(BoxKind kind, const std::string& title, const std::string& text) {
    const UINT icon = kind == BoxKind::Information ? MB_ICONINFORMATION
                      : kind == BoxKind::Warning   ? MB_ICONWARNING
                      : kind == BoxKind::Plain     ? 0
                                                   : MB_ICONERROR;
    Box(title, text, MB_OK | icon);
}

bool WindowDialogs::AskYesNo(const std::string& title, const std::string& text) {
    // Only No declines: closing the box any other way counts as Yes.
    return Box(title, text, MB_YESNO | MB_ICONQUESTION) != IDNO;
}

bool WindowDialogs::AskYesNoWarning(const std::string& title, const std::string& text) {
    return Box(title, text, MB_YESNO | MB_ICONWARNING) != IDNO;
}

std::optional<std::string> WindowDialogs::ChooseSaveFile(const SaveDialogRequest& request) {
    if (beforeShowing_) beforeShowing_();
    // The filter's description is the pattern itself; each part ends with a
    // null and the list with a second one.
    const std::wstring pattern = Widen(request.filter);
    std::wstring filter = pattern + L'\0' + pattern + L'\0';
    const std::wstring title = Widen(request.title);
    const std::wstring extension = Widen(request.defaultExtension);
    std::vector<wchar_t> file(32768, L'\0');
    // The dialog offers the file of the previous save (its folder and name).
    lastSaveFile_.copy(file.data(), std::min(lastSaveFile_.size(), file.size() - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.c_str();
    // No overwrite prompt: the save offer asks its own question.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    lastSaveFile_ = file.data();
    return Narrow(lastSaveFile_);
}

}  // namespace kv

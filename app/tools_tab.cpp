#include "app/tools_tab.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "core/win32/wide.h"
#include "tools/icon_repair.h"
#include "tools/process_manager.h"
#include "tools/system_report.h"

namespace kv {
namespace {

using C = ControlId;

}  // namespace

void ToolsTab::OnShown() {
    const TempFolders resolved = ResolveTempFolders(host_.os);
    // When GetTempPath fails the user's label keeps its caption.
    if (!resolved.user.empty()) {
        folders_.user = resolved.user;
        SetText(C::Label20, folders_.user);
    }
    folders_.system = resolved.system;
    SetText(C::Label21, folders_.system);
    Refresh(true, true);
}

bool ToolsTab::OnCommand(int id, WORD notification) {
    const auto is = [id, notification](ControlId control, WORD code) {
        return id == IdOf(control) && notification == code;
    };
    if (is(C::BitBtn10, BN_CLICKED)) {
        ListProcesses();
    } else if (is(C::BitBtn11, BN_CLICKED)) {
        EndProcess();
    } else if (is(C::Label20, STN_CLICKED)) {
        OpenFolder(folders_.user);
    } else if (is(C::Label21, STN_CLICKED)) {
        OpenFolder(folders_.system);
    } else if (is(C::Button4, BN_CLICKED)) {
        CleanFolders();
    } else if (is(C::BitBtn15, BN_CLICKED)) {
        RepairIconsClicked();
    } else if (is(C::BitBtn17, BN_CLICKED)) {
        GenerateReport();
    } else {
        return false;
    }
    return true;
}

void ToolsTab::Refresh(bool sizes, bool processes) {
    struct Results {
        std::string userSize, systemSize;
        std::vector<ProcessListEntry> entries;
        bool done = false;
    };
    auto results = std::make_shared<Results>();
    const TempFolders folders = folders_;
    const UiLanguage language = host_.session.language;
    host_.runAction(
        [results, folders, language, sizes, processes](ActionContext& ctx) {
            if (sizes) {
                results->userSize = OccupiedSpaceText(ctx.os, language, folders.user);
                results->systemSize = OccupiedSpaceText(ctx.os, language, folders.system);
            }
            if (processes) results->entries = ListRunningProcesses(ctx.os);
            results->done = true;
        },
        [this, results, sizes, processes] {
            if (!results->done) return;
            if (sizes) {
                SetText(C::Label22, results->userSize);
                SetText(C::Label23, results->systemSize);
            }
            if (processes) FillProcessList(results->entries);
        });
}

void ToolsTab::FillProcessList(const std::vector<ProcessListEntry>& entries) {
    HWND list = host_.control(C::ListBox1);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    // The horizontal range: the widest entry in the list's font, plus 5 pixels.
    HDC dc = GetDC(list);
    HGDIOBJ previousFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const ProcessListEntry& entry : entries) {
        const std::wstring text = Widen(entry.text);
        const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), entry.processId);
        SIZE size{};
        if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) {
            widest = std::max(widest, size.cx);
        }
    }
    SelectObject(dc, previousFont);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 5), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ToolsTab::EndProcess() {
    HWND list = host_.control(C::ListBox1);
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return;  // nothing selected: nothing to do
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length == LB_ERR) return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&text[0]));
    auto ended = std::make_shared<bool>(false);
    host_.runAction(
        [ended, entry = Narrow(text.c_str())](ActionContext& ctx) { *ended = EndProcessOfEntry(ctx, entry); },
        [this, ended] {
            if (*ended) ListProcesses();
        });
}

void ToolsTab::OpenFolder(const std::string& folder) {
    // After a language switch the label holds a name, which is no folder.
    if (!folder.empty()) host_.os.ShellOpen(folder, true);
}

void ToolsTab::CleanFolders() {
    const CleanupRequest request{folders_, TextOf(C::Label20), TextOf(C::Label21), nullptr};
    // A report file that cannot be written ends the cleanup with the error box
    // (shown by the runner); then nothing follows.
    auto result = std::make_shared<CleanupResult>();
    host_.runAction([result, request](ActionContext& ctx) { *result = CleanTempFolders(ctx, request); },
                    [this, result] {
                        if (!result->completed) return;
                        host_.os.ShellOpen(result->logPath, false);
                        ShowSizes();
                    });
}

void ToolsTab::RepairIconsClicked() {
    host_.runAction([](ActionContext& ctx) { RepairIcons(ctx); }, nullptr);
}

void ToolsTab::GenerateReport() {
    // The process list as it stands on the tab.
    HWND list = host_.control(C::ListBox1);
    std::vector<std::string> entries;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length == LB_ERR) continue;
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
        entries.push_back(Narrow(text.c_str()));
    }
    auto path = std::make_shared<std::string>();
    host_.runAction([path, entries](ActionContext& ctx) { *path = WriteSystemReport(ctx.os, entries).path; },
                    [this, path] {
                        if (!path->empty()) host_.os.ShellOpen(*path, false);
                    });
}

std::string ToolsTab::TextOf(ControlId id) const {
    HWND control = host_.control(id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, &text[0], length + 1);
    return Narrow(text.c_str());
}

void ToolsTab::SetText(ControlId id, const std::string& text) {
    SetWindowTextW(host_.control(id), Widen(text).c_str());
}

}  // namespace kv

#include "app/options_tab.h"

#include "core/win32/wide.h"
#include "tools/icon_repair.h"

namespace kv {

void OptionsTab::OnShown() {
    programFolder_ = ProgramFolder(host_.os);
    SetWindowTextW(host_.control(ControlId::Label19), Widen(programFolder_).c_str());
}

bool OptionsTab::OnCommand(int id, WORD notification) {
    if (id == IdOf(ControlId::BitBtn12) && notification == BN_CLICKED) {
        ActionContext ctx(host_.os, host_.dialogs, host_.session);
        CopyProgramToDesktop(ctx);
        return true;
    }
    if (id == IdOf(ControlId::Label19) && notification == STN_CLICKED) {
        // Before the tab was first shown the label holds its placeholder.
        if (!programFolder_.empty()) host_.os.ShellOpen(programFolder_, true);
        return true;
    }
    return false;
}

}  // namespace kv

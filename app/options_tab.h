// The options tab's program-folder label and its copy-to-desktop button.
#pragma once

#include "app/tools_tab.h"

namespace kv {

class OptionsTab {
public:
    explicit OptionsTab(TabHost host) : host_(std::move(host)) {}

    // Each time the tab becomes visible: the program's folder into Label19.
    void OnShown();
    // True when the command was one of this tab's.
    bool OnCommand(int id, WORD notification);

private:
    TabHost host_;
    std::string programFolder_;
};

}  // namespace kv

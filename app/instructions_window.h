// The instructions window: fixed Portuguese instructions in a read-only text
// area and a close button. Not modal; the main window keeps at most one.
#pragma once

#include <functional>

#include "app/window.h"

namespace kv {

class InstructionsWindow : public Window {
public:
    // onClosed runs once the window is gone; it may delete this object.
    explicit InstructionsWindow(std::function<void()> onClosed) : onClosed_(std::move(onClosed)) {}
    ~InstructionsWindow() override;

    // Creates the window on first use beside the main window (not owned by
    // it, so it never covers it for good), then shows it and brings it forward.
    void Open(HWND mainWindow, int dpi, HFONT boldFont, HFONT buttonFont);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    void CreateControls();

    std::function<void()> onClosed_;
    int dpi_ = 96;
    HFONT textFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    HBRUSH background_ = nullptr;
};

}  // namespace kv

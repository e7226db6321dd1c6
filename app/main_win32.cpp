// kvvuduv.exe: the window program.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "app/main_window.h"
#include "core/win32/process_hardening.h"
#include "core/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    kv::HardenDllSearchOrder();
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    kv::Win32Platform platform;
    kv::MainWindow window(platform);
    if (!window.Open(showCommand)) return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

#include "app/window.h"

#include <exception>

#include "core/win32/wide.h"

namespace kv {

namespace {
const wchar_t kContainerClass[] = L"KvVuduvContainer";
}

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::RegisterWindowClass(const wchar_t* className, HICON icon, HICON smallIcon, HBRUSH background) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &Window::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

HWND Window::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width,
                    int height, HWND parent, int id) {
    const HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                           GetModuleHandleW(nullptr), this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Window::OnHandlerFailure(const char* what) {
    MessageBoxW(hwnd_, Widen(what).c_str(), L"KV Vuduv", MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        self->OnFinalMessage();
        return result;
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        OnHandlerFailure(error.what());
    } catch (...) {
        OnHandlerFailure("Unexpected failure.");
    }
    return 0;
}

HWND Container::CreateContainer(HWND parent, int id, DWORD exStyle, int x, int y, int width, int height) {
    RegisterWindowClass(kContainerClass, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    return Create(kContainerClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, exStyle | WS_EX_CONTROLPARENT, x, y,
                  width, height, parent, id);
}

LRESULT Container::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return SendMessageW(notifyTarget_, message, wParam, lParam);
    case WM_SETCURSOR:
        // The main window decides the cursor over the link labels.
        if (SendMessageW(notifyTarget_, message, wParam, lParam)) return TRUE;
        break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace kv

// A small base for the program's windows: the object is kept in the window's
// user data, each message goes to HandleMessage, and no exception ever
// unwinds through user32 (it is shown in an error box instead).
#pragma once

#include <windows.h>

namespace kv {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

protected:
    // Registers a class whose procedure routes to HandleMessage (once per name).
    static void RegisterWindowClass(const wchar_t* className, HICON icon, HICON smallIcon, HBRUSH background);
    // Creates the window with this object attached from WM_NCCREATE on.
    HWND Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width,
                int height, HWND parent, int id);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when hwnd() is already null; may delete this.
    virtual void OnFinalMessage() {}
    // An exception escaped a handler: the message box owner and text.
    virtual void OnHandlerFailure(const char* what);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// A plain container (a tab page, a panel): it paints the dialog background
// and hands the notifications of its controls to the main window, which
// handles them all in one place.
class Container : public Window {
public:
    Container(HWND notifyTarget) : notifyTarget_(notifyTarget) {}
    HWND CreateContainer(HWND parent, int id, DWORD exStyle, int x, int y, int width, int height);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND notifyTarget_;
};

}  // namespace kv

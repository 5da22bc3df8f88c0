#pragma once

#include <windows.h>

#include "ui/layout.h"

namespace kalvoro::win32 {

// A top-level window of the program. One static window procedure keeps the
// object's address in GWLP_USERDATA from WM_NCCREATE on and hands every
// message to the object's WndProc; the handle is cleared when the window is
// gone, so the object outlives its window and can open it again.
class AppWindow {
  public:
    AppWindow() = default;
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;
    virtual ~AppWindow();

    HWND hwnd() const { return hwnd_; }
    bool IsOpen() const { return hwnd_ != nullptr; }

    virtual void Show() = 0;
    void Hide();
    // Above every window that is not topmost, shown, not moved, not activated.
    void SetTopmost();
    // Bring the controls up to date with the core.
    virtual void Refresh() = 0;
    // Refresh and paint now, before a call that blocks the thread.
    void Present();
    void Destroy();

  protected:
    static void RegisterWindowClass(HINSTANCE instance, const wchar_t* className, HICON icon,
                                    HICON smallIcon);
    void Create(HINSTANCE instance, const wchar_t* className, const layout::WindowLayout& layout,
                DWORD style, DWORD exStyle, int dpi);
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace kalvoro::win32

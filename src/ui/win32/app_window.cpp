#include "ui/win32/app_window.h"

#include "ui/win32/screen.h"
#include "win32_text/text.h"

namespace kalvoro::win32 {

namespace {

constexpr UINT kTopmostFlags = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
static_assert(kTopmostFlags == 0x53);
constexpr UINT kPaintEverythingNow = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;

}  // namespace

AppWindow::~AppWindow() {
    // The derived object is gone already: its window must not reach it.
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void AppWindow::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

void AppWindow::SetTopmost() {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, kTopmostFlags);
}

void AppWindow::Present() {
    Refresh();
    // UpdateWindow alone paints the parent only; the children's new texts must
    // be on the screen too before the thread blocks in a power request.
    RedrawWindow(hwnd_, nullptr, nullptr, kPaintEverythingNow);
}

void AppWindow::Destroy() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void AppWindow::RegisterWindowClass(HINSTANCE instance, const wchar_t* className, HICON icon,
                                    HICON smallIcon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &AppWindow::Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

void AppWindow::Create(HINSTANCE instance, const wchar_t* className,
                       const layout::WindowLayout& layout, DWORD style, DWORD exStyle, int dpi) {
    const RECT outer = OuterRect(layout, style, exStyle, dpi);
    CreateWindowExW(exStyle, className, Wide(layout.title).c_str(), style, outer.left, outer.top,
                    outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                    this);
}

LRESULT AppWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK AppWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<AppWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<AppWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->WndProc(message, wParam, lParam);
}

}  // namespace kalvoro::win32

#include "actions.h"

#include <string>

namespace e2e {

namespace {

constexpr UINT kHandledWithinMs = 5000;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    return window != nullptr && SendMessageTimeoutW(window, message, wParam, lParam,
                                                    SMTO_ABORTIFHUNG, kHandledWithinMs, &ignored);
}

bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return window != nullptr && PostMessageW(window, message, wParam, lParam);
}

}  // namespace

bool SetText(HWND control, std::wstring_view text) {
    const std::wstring terminated{text};
    return Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
}

bool Click(HWND button) {
    return Send(button, BM_CLICK, 0, 0);
}

bool PostClick(HWND button) {
    return Post(button, BM_CLICK, 0, 0);
}

bool ClickInside(HWND control) {
    const LPARAM inside = MAKELPARAM(2, 2);
    return Send(control, WM_LBUTTONDOWN, MK_LBUTTON, inside) &&
           Send(control, WM_LBUTTONUP, 0, inside);
}

bool PressEnter(HWND control) {
    return Post(control, WM_KEYDOWN, VK_RETURN, 1);
}

bool PressAltKey(HWND control, wchar_t key) {
    constexpr LPARAM kAltDown = 1 << 29;
    return Post(control, WM_SYSCHAR, key, kAltDown | 1);
}

bool PressCloseBox(HWND window) {
    return Post(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool PostIconCallback(HWND mainWindow, UINT mouseMessage) {
    return Post(mainWindow, WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
}

bool SendIconCallback(HWND mainWindow, UINT mouseMessage) {
    return Send(mainWindow, WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
}

void MovePointer(int x, int y) {
    SetCursorPos(x, y);
}

bool PressMenuKeys(HWND menu, std::initializer_list<WORD> keys) {
    for (const WORD key : keys) {
        if (!Post(menu, WM_KEYDOWN, key, 0)) {
            return false;
        }
    }
    return true;
}

void BroadcastTaskbarCreated() {
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, kHandledWithinMs,
                        &ignored);
}

}  // namespace e2e

#include "ui/win32/notify_icon.h"

#include <algorithm>
#include <string>

#include "win32_text/text.h"

namespace kalvoro::win32 {

namespace {

constexpr DWORD kFirstFormSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(kFirstFormSize == (sizeof(void*) == 4 ? 88 : 104));
static_assert(kIconCallbackMessage == WM_MOUSEMOVE);
static_assert(kLeftButtonDown == WM_LBUTTONDOWN);
static_assert(kRightButtonUp == WM_RBUTTONUP);
static_assert(kIconFlags == (NIF_MESSAGE | NIF_ICON | NIF_TIP));

}  // namespace

void NotifyIcon::Add(HWND window, HICON icon, const IconRecord& record) {
    data_.cbSize = kFirstFormSize;
    data_.hWnd = window;
    data_.uID = record.uID;
    data_.uFlags = record.uFlags;
    data_.uCallbackMessage = record.uCallbackMessage;
    data_.hIcon = icon;
    // The tip keeps its NUL and its blanks: 64 bytes in the ANSI code page.
    const std::string tip = Ansi(record.szTip);
    std::fill(std::begin(data_.szTip), std::end(data_.szTip), '\0');
    std::copy_n(tip.begin(), std::min(tip.size(), kTipLength), data_.szTip);
    Shell_NotifyIconA(NIM_ADD, &data_);
    added_ = true;
}

void NotifyIcon::Delete(HWND window, const IconRecord& record) {
    data_.cbSize = kFirstFormSize;
    data_.hWnd = window;
    data_.uID = record.uID;
    Shell_NotifyIconA(NIM_DELETE, &data_);
    added_ = false;
}

void NotifyIcon::AddAgain() {
    if (added_) {
        Shell_NotifyIconA(NIM_ADD, &data_);
    }
}

}  // namespace kalvoro::win32

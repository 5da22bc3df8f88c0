#include "power/windows/poll_timer.h"

namespace kalvoro {

namespace {

constexpr wchar_t kClassName[] = L"Kalvoro XP poll";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

PollTimer::PollTimer(UINT intervalMs, Polled& polled) : intervalMs_(intervalMs), polled_(polled) {}

PollTimer::~PollTimer() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void PollTimer::Start() {
    if (window_ == nullptr) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass);  // fails harmlessly once registered
        window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    SetTimer(window_, kTimerId, intervalMs_, nullptr);
}

LRESULT CALLBACK PollTimer::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* timer = reinterpret_cast<PollTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && timer != nullptr && !timer->polled_.Poll()) {
        KillTimer(window, kTimerId);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kalvoro

#include "ui/win32/countdown_window.h"

#include <functional>
#include <string>
#include <string_view>

#include "ui/number_place.h"
#include "ui/win32/screen.h"
#include "win32_text/text.h"

namespace kalvoro::win32 {

namespace {

using layout::ControlId;

constexpr wchar_t kClassName[] = L"Kalvoro XP countdown";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;  // small caption, no taskbar button

// Window timer ids: the CountdownTimer value plus one.
UINT_PTR TimerId(CountdownTimer timer) {
    return static_cast<UINT_PTR>(timer) + 1;
}

UINT IntervalOf(CountdownTimer timer) {
    const auto interval = timer == CountdownTimer::Timer1 ? kTimer1Interval : kTimer2Interval;
    return static_cast<UINT>(interval.count());
}

// Widths as the control draws its text: in its own font, on its own screen.
class ControlTextWidth {
  public:
    explicit ControlTextWidth(HWND control)
        : control_(control),
          dc_(GetDC(control)),
          old_(SelectObject(dc_,
                            reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)))) {}
    ControlTextWidth(const ControlTextWidth&) = delete;
    ControlTextWidth& operator=(const ControlTextWidth&) = delete;
    ~ControlTextWidth() {
        SelectObject(dc_, old_);
        ReleaseDC(control_, dc_);
    }

    int operator()(std::string_view utf8) const {
        const std::wstring text = Wide(utf8);
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

  private:
    HWND control_;
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace

CountdownWindow::CountdownWindow(HINSTANCE instance, Program& program, WindowId window)
    : instance_(instance),
      program_(program),
      window_(window),
      dpi_(ScreenDpi()),
      controls_(layout::LayoutOf(window)) {}

void CountdownWindow::Open() {
    RegisterWindowClass(instance_, kClassName, nullptr, nullptr);
    Create(instance_, kClassName, layout::LayoutOf(window_), kStyle, kExStyle, dpi_);
}

void CountdownWindow::Show() {
    Refresh();
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
}

void CountdownWindow::ShowWithoutActivating() {
    Refresh();
    ShowWindow(hwnd(), SW_SHOWNA);
}

void CountdownWindow::Refresh() {
    const Countdown* countdown = program_.countdown(window_);
    if (countdown == nullptr) {
        return;
    }
    if (sentence_.Show(countdown->Label3())) {
        EraseUnder(controls_[ControlId::Sentence]);
    }
    if (number_.Show(countdown->Label2())) {
        EraseUnder(controls_[ControlId::Number]);
    }
    if (countdown->Label2Visible() != numberVisible_) {
        numberVisible_ = countdown->Label2Visible();
        HWND number = controls_[ControlId::Number];
        ShowWindow(number, numberVisible_ ? SW_SHOWNA : SW_HIDE);
        EraseUnder(number);
    }
    button_.Show(countdown->Annuler());
    RefreshBar(*countdown);
}

void CountdownWindow::StartTimer(CountdownTimer timer) {
    SetTimer(hwnd(), TimerId(timer), IntervalOf(timer), nullptr);
}

void CountdownWindow::StopTimer(CountdownTimer timer) {
    KillTimer(hwnd(), TimerId(timer));
}

LRESULT CountdownWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_CTLCOLORSTATIC:
            if (HBRUSH brush = controls_.Colour(reinterpret_cast<HDC>(wParam),
                                                reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            return Default(message, wParam, lParam);
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == static_cast<WORD>(ControlId::Annuler) &&
                HIWORD(wParam) == BN_CLICKED && program_.countdown(window_) != nullptr) {
                program_.countdown(window_)->Annuler_Click();  // ends the program
            }
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(static_cast<WORD>(ControlId::Annuler), DC_HASDEFID);
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                SetFocus(controls_[ControlId::Annuler]);
            }
            return 0;
        case WM_CLOSE:
            program_.CloseBox(window_);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

void CountdownWindow::OnCreate() {
    controls_.Create(hwnd(), dpi_);
    const layout::WindowLayout& layout = layout::LayoutOf(window_);
    const auto textOf = [&layout](ControlId id) { return layout::FindControl(layout, id)->text; };
    sentence_.Attach(controls_[ControlId::Sentence], textOf(ControlId::Sentence));
    number_.Attach(controls_[ControlId::Number], textOf(ControlId::Number));
    button_.Attach(controls_[ControlId::Annuler], textOf(ControlId::Annuler));
    PlaceNumber();
    numberVisible_ = true;
    barPixels_ =
        layout::TwipsToPixels(layout::FindControl(layout, ControlId::Bar)->place.width, dpi_);
}

void CountdownWindow::PlaceNumber() {
    const ControlTextWidth width(controls_[ControlId::Sentence]);
    const int left = layout::NumberLeftPixels(window_, dpi_, std::cref(width));
    const RECT box =
        PixelRect(layout::FindControl(layout::LayoutOf(window_), ControlId::Number)->place, dpi_);
    SetWindowPos(controls_[ControlId::Number], nullptr, left, box.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CountdownWindow::OnTimer(WPARAM timer) {
    Countdown* countdown = program_.countdown(window_);
    if (countdown == nullptr) {
        return;
    }
    if (timer == TimerId(CountdownTimer::Timer2)) {
        countdown->Timer2_Timer();
    } else {
        countdown->Timer1_Timer();  // the finish may close everything
        // A hundred ticks a second: while counting, only the bar can change.
        if (const Countdown* counting = program_.countdown(window_);
            counting != nullptr && counting->Timer1Running()) {
            RefreshBar(*counting);
            return;
        }
    }
    Refresh();
}

void CountdownWindow::RefreshBar(const Countdown& countdown) {
    const int pixels = layout::TwipsToPixels(countdown.Label1Width(), dpi_);
    if (pixels == barPixels_) {
        return;
    }
    barPixels_ = pixels;
    const RECT bar =
        PixelRect(layout::FindControl(layout::LayoutOf(window_), ControlId::Bar)->place, dpi_);
    SetWindowPos(controls_[ControlId::Bar], nullptr, 0, 0, pixels, bar.bottom - bar.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kalvoro::win32

#pragma once

#include <windows.h>

#include "ui/layout.h"
#include "ui/program.h"
#include "ui/win32/app_window.h"
#include "ui/win32/controls.h"
#include "ui/win32/shown_text.h"

namespace kalvoro::win32 {

// Form2, Form3 or Form4: a tool window of class "Kalvoro XP countdown" with
// no title, in the top-left corner of the screen. Created at each opening
// and destroyed at each closing; the object stays.
class CountdownWindow final : public AppWindow {
  public:
    CountdownWindow(HINSTANCE instance, Program& program, WindowId window);

    void Open();                   // created hidden
    void Show() override;          // and activate: the opener's show
    void ShowWithoutActivating();  // the number tick's: never steals the focus
    void Refresh() override;
    void StartTimer(CountdownTimer timer);
    void StopTimer(CountdownTimer timer);

  private:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCreate();
    // Where the sentence's real font puts the gap of blanks.
    void PlaceNumber();
    void OnTimer(WPARAM timer);
    void RefreshBar(const Countdown& countdown);

    HINSTANCE instance_;
    Program& program_;
    const WindowId window_;
    const int dpi_;
    ControlSet controls_;
    ShownText sentence_;
    ShownText number_;
    ShownText button_;
    bool numberVisible_ = true;
    int barPixels_ = 0;
};

}  // namespace kalvoro::win32

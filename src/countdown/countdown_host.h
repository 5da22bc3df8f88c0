#pragma once

#include "countdown/window_ids.h"

namespace kalvoro {

// What an open countdown does to its window, carried out at once by the
// desktop, so that the effects keep the order of the countdown's own steps:
// the standby display must be on screen before the standby call blocks, and
// the power steps fall between the timer and closing steps.
class CountdownHost {
  public:
    // Place above all windows that are not topmost and show, without
    // moving, resizing or activating.
    virtual void SetTopmost(WindowId window) = 0;
    virtual void StartTimer(WindowId window, CountdownTimer timer) = 0;
    virtual void StopTimer(WindowId window, CountdownTimer timer) = 0;
    // Bring the window's controls up to date before a call that may block.
    virtual void Present(WindowId window) = 0;
    // The number tick's show: never takes the focus from another window.
    virtual void ShowWithoutActivating(WindowId window) = 0;

  protected:
    ~CountdownHost() = default;
};

// The program's closing, as a countdown ends it: the main window first
// (which removes the icon), the countdown window last; this destroys the
// countdown that asks.
class AllWindows {
  public:
    virtual void CloseAllWindows() = 0;

  protected:
    ~AllWindows() = default;
};

}  // namespace kalvoro

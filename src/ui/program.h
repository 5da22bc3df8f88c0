#pragma once

#include <optional>

#include "countdown/countdown.h"
#include "power/power_actions.h"
#include "schedule/local_time.h"
#include "ui/desktop.h"
#include "ui/form1.h"

namespace kalvoro {

// The whole program: the main window, at most one countdown window, and the
// rules for opening and closing them. It ends when no window is left.
class Program {
  public:
    Program(Desktop& desktop, const Clock& clock, PowerActions& power);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The main window has been created: load it.
    void Start();

    Form1& form1() { return form1_; }
    const Form1& form1() const { return form1_; }
    // The open countdown window, if any.
    Countdown* countdown() { return countdown_ ? &*countdown_ : nullptr; }
    bool Loaded(WindowId window) const;
    bool Ended() const { return ended_; }

    // Close the countdown windows, open the chosen one from the beginning,
    // hide the main window.
    void OpenCountdown(ActionKind action);
    // Close Form2, Form3 and Form4, those that are open.
    void CloseCountdowns();
    // A countdown's closing: the main window first (which removes the icon),
    // the countdown window last.
    void CloseAllWindows();
    // The quit commands: the countdown windows, then the main window.
    void Quit();
    // The close box of a window's frame, or the system closing the program.
    void CloseBox(WindowId window);

  private:
    void Unload(WindowId window);

    Desktop& desktop_;
    PowerActions& power_;
    Form1 form1_;
    bool form1Loaded_ = false;
    std::optional<Countdown> countdown_;
    bool ended_ = false;
};

}  // namespace kalvoro

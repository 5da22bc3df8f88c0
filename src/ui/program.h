#pragma once

#include <optional>

#include "countdown/countdown.h"
#include "countdown/countdown_host.h"
#include "power/power_actions.h"
#include "power/power_requests.h"
#include "schedule/local_time.h"
#include "ui/desktop.h"
#include "ui/form1.h"

namespace kalvoro {

// The whole program: the main window, at most one countdown window, and the
// rules for opening and closing them. It ends when no window is left, once
// the system has answered every power request and its refusal, if any, has
// been said.
class Program final : private AllWindows, private RefusalListener {
  public:
    Program(Desktop& desktop, const Clock& clock, PowerActions& power);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The main window has been created: load it.
    void Start();

    Form1& form1() { return form1_; }
    const Form1& form1() const { return form1_; }
    // The open countdown window, if any; with a window, only if it is that one.
    Countdown* countdown() { return countdown_ ? &*countdown_ : nullptr; }
    Countdown* countdown(WindowId window) {
        return countdown_ && countdown_->window() == window ? &*countdown_ : nullptr;
    }
    bool Loaded(WindowId window) const;
    bool Ended() const { return ended_; }

    // Close the countdown windows, open the chosen one from the beginning,
    // hide the main window.
    void OpenCountdown(ActionKind action);
    // Close Form2, Form3 and Form4, those that are open.
    void CloseCountdowns();
    // The quit commands: the countdown windows, then the main window.
    void Quit();
    // The close box of a window's frame, or the system closing the program.
    void CloseBox(WindowId window);

  private:
    void CloseAllWindows() override;

    // A refusal is said in a message box; the program waits for it.
    void Refused(std::string_view message) override;
    void Settled() override { EndIfNothingLeft(); }

    void Unload(WindowId window);
    void EndIfNothingLeft();

    Desktop& desktop_;
    PowerRequests power_;
    int openMessages_ = 0;
    Form1 form1_;
    bool form1Loaded_ = false;
    std::optional<Countdown> countdown_;
    bool ended_ = false;
};

}  // namespace kalvoro

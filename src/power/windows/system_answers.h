#pragma once

#include <windows.h>

#include <array>

#include "power/power_actions.h"
#include "power/windows/poll_timer.h"

namespace kalvoro {

// Gives each power request the answer of the system call that carried it
// out, from a timer of the window thread, never inside the request itself:
// a call that failed is refused with the system's own message for its error,
// in the system's language.
class SystemAnswers final : Polled {
  public:
    explicit SystemAnswers(PowerActions& answering) : answering_(answering) {}

    // Right after the call, which returned `done`; reads its error.
    void Settle(PowerRequest request, BOOL done);

  private:
    bool Poll() override;

    // The answers not given yet, one at most per request: the error of a
    // refused one, ERROR_SUCCESS for one taken.
    struct Settled {
        bool pending;
        DWORD error;
    };
    PowerActions& answering_;
    std::array<Settled, 3> settled_{};
    PollTimer timer_{0, *this};
};

}  // namespace kalvoro

#pragma once

#include <windows.h>

namespace kalvoro {

class Polled {
  public:
    virtual ~Polled() = default;
    // Whether to be polled again.
    virtual bool Poll() = 0;
};

// Polls every few milliseconds on the window thread, until the poll says
// it is done. The ticks come from a timer of a message-only window of its
// own, so what it calls runs between the program's other handlers, never
// beside them. Started again by Start().
class PollTimer {
  public:
    PollTimer(UINT intervalMs, Polled& polled);
    PollTimer(const PollTimer&) = delete;
    PollTimer& operator=(const PollTimer&) = delete;
    ~PollTimer();

    void Start();

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT intervalMs_;
    Polled& polled_;
    HWND window_ = nullptr;
};

}  // namespace kalvoro

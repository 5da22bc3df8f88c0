#pragma once

#include <windows.h>

#include <chrono>

namespace e2e {

using std::chrono::milliseconds;

// Waits are for conditions, never for a fixed time: poll often, give up late.
inline constexpr milliseconds kPoll{20};
// Long enough for anything the program does at once, on a loaded machine.
inline constexpr milliseconds kPatience{8000};

// Polls until the condition holds or the timeout has passed; true if it held.
template <class Condition>
bool WaitUntil(Condition condition, milliseconds timeout = kPatience, milliseconds poll = kPoll) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        Sleep(static_cast<DWORD>(poll.count()));
    }
}

}  // namespace e2e

#pragma once

#include <chrono>

namespace kalvoro {

// The program's four windows: the main window and the countdown windows of
// power off, restart and standby.
enum class WindowId { Form1, Form2, Form3, Form4 };

// The two timers of a countdown window: the bar's (10 ms) and the number's (1 s).
enum class CountdownTimer { Timer1, Timer2 };
inline constexpr std::chrono::milliseconds kTimer1Interval{10};
inline constexpr std::chrono::milliseconds kTimer2Interval{1000};

}  // namespace kalvoro

#pragma once

#include <string>

namespace e2e {

// The local wall clock as the program reads it (GetLocalTime), in seconds of
// the day, so that entries can be typed a few seconds ahead.
inline constexpr int kSecondsPerDay = 24 * 60 * 60;

struct ClockReading {
    int secondOfDay;
    int millisecond;
};

ClockReading ReadClock();
// "hh:mm:ss" of a second of the day, wrapping at midnight.
std::wstring ClockText(int secondOfDay);
// A second two or three seconds ahead: at least a second and a half away.
int SecondSoonAhead();
// Whether the clock has not yet reached the second (seen within half a day).
bool IsStillAhead(int secondOfDay);

}  // namespace e2e

#pragma once

#include <cstdint>

namespace kalvoro {

// A reading of the local wall clock, as the platform gives it.
struct LocalTime {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The local wall clock, read anew at each use.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

inline constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

// Whole seconds since 1970-01-01 00:00:00 on the local calendar: a number that
// grows by one each local second, so two readings can be compared across midnight.
std::int64_t LocalSeconds(const LocalTime& time);

}  // namespace kalvoro

#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "schedule/local_time.h"

// The clock that the bench and the fuzzers run the program on, which they set:
// microseconds since 1970-01-01 00:00:00 local time.
namespace kalvoro::sim {

inline constexpr std::int64_t kMicrosPerSecond = 1'000'000;

inline LocalTime LocalTimeAt(std::int64_t micros) {
    using namespace std::chrono;
    const sys_time<microseconds> time{microseconds{micros}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{floor<milliseconds>(time - day)};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count()),
            static_cast<int>(clock.subseconds().count())};
}

// The whole local second that `micros` falls in, counted like LocalSeconds.
inline std::int64_t SecondAt(std::int64_t micros) {
    return micros >= 0 ? micros / kMicrosPerSecond : -((-micros - 1) / kMicrosPerSecond) - 1;
}

// "hh:mm:ss" of a local second.
inline std::string ClockTextAt(std::int64_t localSecond) {
    const std::int64_t s = (localSecond % 86'400 + 86'400) % 86'400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(s / 3600), int(s / 60 % 60),
                  int(s % 60));
    return text;
}

// Read as often as the program likes, converted once per setting.
struct SetClock final : Clock {
    void Set(std::int64_t micros) {
        wall = micros;
        time = LocalTimeAt(micros);
    }
    LocalTime now() const override { return time; }
    std::int64_t wall = 0;
    LocalTime time;
};

}  // namespace kalvoro::sim

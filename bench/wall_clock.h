#pragma once

#include <chrono>
#include <cstdint>

#include "schedule/local_time.h"

namespace kalvoro::sim {

inline constexpr std::int64_t kMicrosPerSecond = 1'000'000;

// The local time that a wall clock shows `micros` microseconds after
// 1970-01-01 00:00:00 local time.
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

}  // namespace kalvoro::sim

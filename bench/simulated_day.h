#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kalvoro::sim {

enum class Disturbance { None, Sleep, ClockSetForward, ClockSetBack };

// How the clock timer behaves and what happens to the clock around the entered second.
struct Stream {
    std::string_view name;
    bool windowsLikeTimer;  // 15.625 ms interrupts, drifting; else ideal
    bool underLoad;         // every tick handled up to 2 s late
    Disturbance disturbance;
};
inline constexpr Stream kStreams[] = {
    {"Ideal 1000 ms timer", false, false, Disturbance::None},
    {"Windows-like timer: 15.625 ms steps, drifting", true, false, Disturbance::None},
    {"Ticks handled up to 2 s late under load", true, true, Disturbance::None},
    {"Sleep of 2 min to 8 h across the entered second", true, false, Disturbance::Sleep},
    {"Clock set forward 10 s to 12 h across it", true, false, Disturbance::ClockSetForward},
    {"Clock set back 10 s to 1 h across it", true, false, Disturbance::ClockSetBack},
};

struct Tally {
    std::uint64_t days = 0;
    std::uint64_t due = 0;     // times the clock ran into the entered second
    std::uint64_t missed = 0;  // of those, with no countdown opened for them
    std::uint64_t falseTriggers = 0;
    std::vector<std::int32_t> latencies;  // microseconds, one a countdown rightly opened
};

// Days 0 to `days` of stream `stream`: each, the program armed and run through
// the minutes around the entered second, its clock timer re-armed at every
// tick with the delay it asks for. Every draw comes from the day's number, so
// the figures do not depend on which of the `threads` runs which day.
Tally SimulateStream(std::size_t stream, std::uint64_t days, unsigned threads);

}  // namespace kalvoro::sim

#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kalvoro::sim {

enum class Disturbance { None, Sleep, ClockSetForward, ClockSetBack };

// One row of figures 1 and 2: how the clock timer behaves and what happens to
// the clock around the entered second.
struct Stream {
    std::string_view name;
    bool windowsLikeTimer;  // 15.625 ms interrupts, drifting; else ideal
    bool underLoad;         // every tick handled up to 2 s late
    Disturbance disturbance;
};
extern const std::array<Stream, 6> kStreams;

// The figures of the program's trigger over many days.
struct Tally {
    std::uint64_t days = 0;
    std::uint64_t due = 0;     // times the clock ran into the entered second
    std::uint64_t missed = 0;  // of those, with no countdown opened for them
    std::uint64_t falseTriggers = 0;
    std::vector<std::int32_t> latencies;  // microseconds, one a countdown rightly opened

    void Add(const Tally& other);
};

// Simulates day `day` of stream `stream`: the program, armed, runs through
// the minutes around the entered second, its clock timer re-armed at every
// tick with the delay it asks for, and its countdowns are added to `tally`.
// Everything random is drawn from the day's number, so the figures do not
// depend on which thread runs which day.
void SimulateDay(std::size_t stream, std::uint64_t day, Tally& tally);

}  // namespace kalvoro::sim

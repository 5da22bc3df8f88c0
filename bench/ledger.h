#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "streams.h"

namespace kalvoro::sim {

// The figures of one trigger model over many days.
struct Tally {
    std::uint64_t due = 0;     // times the clock ran into the entered second
    std::uint64_t missed = 0;  // of those, with no countdown opened for them
    std::uint64_t falseTriggers = 0;
    std::vector<std::int32_t> latencies;  // microseconds, one a countdown rightly opened

    void Add(const Tally& other);
};

// Judges the countdowns one model opens on one day against the clock's own
// course, not against any rule of the trigger. The clock runs into the entered
// second when it reaches the second's start while running on: not when it
// jumps over it, nor while the computer sleeps. A countdown opened rightly
// belongs to the last such arrival, in the same stretch of running, at most
// 5 s after the entered second began, and is the first for that arrival;
// every other opening is false.
class Ledger {
  public:
    explicit Ledger(const SimulatedDay& day);

    // The model opened a countdown at real time `real`.
    void Opened(std::int64_t real);
    // Adds the day's figures to `tally`.
    void Close(Tally& tally) const;

  private:
    struct Arrival {
        std::int64_t real;        // when the clock reached the entered second
        std::int64_t wall;        // the entered second's start
        std::size_t stretch = 0;  // index into the day's stretches
        bool opened = false;
    };

    const SimulatedDay& day_;
    std::array<Arrival, 4> arrivals_{};
    std::size_t arrivalCount_ = 0;
    std::uint64_t falseTriggers_ = 0;
    std::array<std::int32_t, 4> latencies_{};
    std::size_t latencyCount_ = 0;
};

}  // namespace kalvoro::sim

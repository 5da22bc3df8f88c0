#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
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

// One simulated day, cut down to the minutes around the entered second. Real
// time counts microseconds from the start of that window; the wall clock runs
// with it except where the stream sets it. Everything random is drawn from the
// day's key, so the figures do not depend on which thread runs which day.
class SimulatedDay {
  public:
    SimulatedDay(const Stream& stream, std::uint64_t key);

    // Runs the armed program through the day, its clock timer re-armed at
    // every tick with the delay it asks for, and adds the day to `tally`.
    void Run(Tally& tally) const;

  private:
    // A stretch of real time in which the computer is awake and the wall
    // clock runs on without a jump: [begin, end), the wall reading real + offset.
    struct Stretch {
        std::int64_t begin, end, wallOffset;
    };

    double Unit(std::uint64_t slot) const;
    std::int64_t Uniform(std::uint64_t slot, std::int64_t low, std::int64_t high) const;
    std::int64_t LogUniform(std::uint64_t slot, std::int64_t low, std::int64_t high) const;
    std::size_t StretchAt(std::int64_t real) const;
    std::int64_t WallAt(std::int64_t real) const;
    // When a timer asked at `real` to wait `delay` is handled as the `tick`th
    // clock tick: due by an interrupt clock that drifts against the wall
    // clock; expiring at once on the ideal timer, on the next 15.625 ms
    // interrupt on a Windows-like one, at the wake-up while asleep; under
    // load handled up to 2 s later.
    std::int64_t Handled(std::int64_t real, std::chrono::milliseconds delay,
                         std::uint64_t tick) const;
    std::int64_t NextInterrupt(std::int64_t real) const;

    std::uint64_t key_;
    bool underLoad_;
    std::string entry_;
    std::int64_t enteredWall_ = 0;  // when the entered second begins
    std::int64_t wallAtStart_ = 0;
    std::array<Stretch, 2> stretches_{};
    std::size_t stretchCount_ = 1;
    double interruptRate_ = 1.0;  // interrupt clock seconds per wall clock second
    double gridStep_ = 0.0;       // microseconds between interrupts; 0: ideal timer
    double gridPhase_ = 0.0;
};

}  // namespace kalvoro::sim

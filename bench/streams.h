#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

#include "draws.h"

namespace kalvoro::sim {

enum class TimerKind { Ideal, WindowsLike };
enum class Disturbance { None, Sleep, ClockSetForward, ClockSetBack };

// One row of the reliability figures: how the clock timer behaves and what
// happens to the clock around the entered second.
struct Stream {
    std::string_view name;
    TimerKind timer;
    bool underLoad;  // every tick handled up to 2 s late
    Disturbance disturbance;
};

extern const std::array<Stream, 6> kStreams;

// A stretch of real time in which the computer is awake and the wall clock
// runs on without a jump: [begin, end), the wall clock reading real + offset.
struct Stretch {
    std::int64_t begin;
    std::int64_t end;
    std::int64_t wallOffset;
};

// One simulated day, cut down to the minutes around the entered second. Real
// time counts microseconds from the start of that window; the wall clock runs
// with it except where the stream sets it. Everything random is drawn from the
// day's key, so every model that runs the day meets the same events.
class SimulatedDay {
  public:
    SimulatedDay(const Stream& stream, std::uint64_t key);

    std::string_view entry() const { return {entry_.data(), entry_.size()}; }
    // Wall time at which the entered second begins.
    std::int64_t enteredWall() const { return enteredWall_; }
    // The window runs from real time 0 to this.
    std::int64_t end() const { return stretches_[stretchCount_ - 1].end; }
    std::span<const Stretch> stretches() const { return {stretches_.data(), stretchCount_}; }

    std::int64_t WallAt(std::int64_t real) const;
    // The real time a timer asked at `real` to wait `delay` is due: the
    // interrupt clock that times it drifts against the wall clock.
    std::int64_t Due(std::int64_t real, std::chrono::milliseconds delay) const;
    // When a timer due at `due` expires: at once for the ideal timer; for a
    // Windows-like one, on the first 15.625 ms interrupt after it is due, so
    // that a periodic 1000 ms timer ticks every 1015.625 ms and drifts
    // through the second. While the computer sleeps, at the wake-up.
    std::int64_t Expiry(std::int64_t due) const;
    // When the expiry is handled as the `tick`th clock tick: under load,
    // up to 2 s later (and not before the wake-up).
    std::int64_t Handled(std::int64_t expiry, std::uint64_t tick) const;

  private:
    bool Asleep(std::int64_t real) const;
    // The first interrupt after `real` on a Windows-like timer; `real` itself
    // on the ideal one.
    std::int64_t NextInterrupt(std::int64_t real) const;

    Draws draws_;
    bool underLoad_;
    std::array<char, 8> entry_{};
    std::int64_t enteredWall_ = 0;
    std::int64_t wallAtStart_ = 0;
    std::array<Stretch, 2> stretches_{};
    std::size_t stretchCount_ = 1;
    double interruptRate_ = 1.0;  // interrupt clock seconds per wall clock second
    double gridStep_ = 0.0;       // microseconds between interrupts; 0: ideal timer
    double gridPhase_ = 0.0;
};

}  // namespace kalvoro::sim

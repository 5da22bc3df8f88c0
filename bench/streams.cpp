#include "streams.h"

#include <cmath>

#include "wall_clock.h"

namespace kalvoro::sim {

const std::array<Stream, 6> kStreams{{
    {"Ideal 1000 ms timer", TimerKind::Ideal, false, Disturbance::None},
    {"Windows-like timer: 15.625 ms steps, drifting", TimerKind::WindowsLike, false,
     Disturbance::None},
    {"Ticks handled up to 2 s late under load", TimerKind::WindowsLike, true, Disturbance::None},
    {"Sleep of 2 min to 8 h across the entered second", TimerKind::WindowsLike, false,
     Disturbance::Sleep},
    {"Clock set forward 10 s to 12 h across it", TimerKind::WindowsLike, false,
     Disturbance::ClockSetForward},
    {"Clock set back 10 s to 1 h across it", TimerKind::WindowsLike, false,
     Disturbance::ClockSetBack},
}};

namespace {

constexpr std::int64_t kSecond = kMicrosPerSecond;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kSecondsPerDayCount = 24 * 60 * 60;

// Days from 2000-01-01 on, cycling through the 400 years of the calendar.
constexpr std::int64_t kFirstDay = 10957;
constexpr std::int64_t kCalendarCycle = 146097;

// The clock ticks this long before the entered second, so the trigger's
// memory of the previous refresh is what it would be after hours of ticking,
// and this long after the last time the clock passes it.
constexpr std::int64_t kTicksBefore = kMinute;
constexpr std::int64_t kTicksAfter = kMinute;
// Sleeps and clock changes happen at most this far from the entered second.
constexpr std::int64_t kEventSpread = 50 * kSecond;

constexpr double kInterruptPeriod = 15625.0;  // microseconds
// A due time this close before an interrupt counts as on it: it absorbs the
// rounding of due times to whole microseconds.
constexpr double kOnInterrupt = 1e-3;  // of an interrupt period
constexpr double kMaxDrift = 100e-6;
constexpr std::int64_t kMaxLoadDelay = 2 * kSecond;

enum Slot : std::uint64_t {
    kDaySlot,
    kSecondSlot,
    kOpeningSlot,
    kDriftSlot,
    kPhaseSlot,
    kEventSlot,
    kSizeSlot,
    kFirstTickSlot,  // and on, one a tick
};

void PutTwoDigits(char* out, std::int64_t value) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

SimulatedDay::SimulatedDay(const Stream& stream, std::uint64_t key)
    : draws_(key), underLoad_(stream.underLoad) {
    const auto day = kFirstDay + static_cast<std::int64_t>(draws_.Bits(kDaySlot) % kCalendarCycle);
    const auto second = static_cast<std::int64_t>(draws_.Bits(kSecondSlot) % kSecondsPerDayCount);
    PutTwoDigits(&entry_[0], second / 3600);
    entry_[2] = ':';
    PutTwoDigits(&entry_[3], second / 60 % 60);
    entry_[5] = ':';
    PutTwoDigits(&entry_[6], second % 60);
    enteredWall_ = (day * kSecondsPerDayCount + second) * kSecond;

    // Real time at which the entered second begins on a clock left alone.
    const std::int64_t entered = kTicksBefore + draws_.Uniform(kOpeningSlot, 0, kSecond);
    wallAtStart_ = enteredWall_ - entered;

    if (stream.timer == TimerKind::WindowsLike) {
        interruptRate_ = 1.0 + kMaxDrift * (2.0 * draws_.Unit(kDriftSlot) - 1.0);
        gridStep_ = kInterruptPeriod / interruptRate_;
        gridPhase_ = draws_.Unit(kPhaseSlot) * gridStep_;
    }

    // The sleep or the clock change: before the entered second begins, or
    // after it has ended.
    const std::int64_t spread = draws_.Uniform(kEventSlot, 0, kEventSpread);
    const std::int64_t before = entered - 1 - spread;
    const std::int64_t after = entered + kSecond + spread;
    switch (stream.disturbance) {
        case Disturbance::None:
            stretches_[0] = {0, entered + kTicksAfter, 0};
            return;
        case Disturbance::Sleep: {
            const std::int64_t wake = before + draws_.LogUniform(kSizeSlot, 2 * kMinute, 8 * kHour);
            stretches_[0] = {0, before, 0};
            stretches_[1] = {wake, wake + kTicksAfter, 0};
            break;
        }
        case Disturbance::ClockSetForward: {
            // Lands past the end of the entered second.
            const std::int64_t step =
                entered + kSecond - before + draws_.LogUniform(kSizeSlot, 10 * kSecond, 12 * kHour);
            stretches_[0] = {0, before, 0};
            stretches_[1] = {before, before + kTicksAfter, step};
            break;
        }
        case Disturbance::ClockSetBack: {
            // Lands this long before the entered second, which comes again.
            const std::int64_t lead = draws_.LogUniform(kSizeSlot, 10 * kSecond, kHour);
            stretches_[0] = {0, after, 0};
            stretches_[1] = {after, after + lead + kTicksAfter, entered - lead - after};
            break;
        }
    }
    stretchCount_ = 2;
}

std::int64_t SimulatedDay::WallAt(std::int64_t real) const {
    const bool second = stretchCount_ > 1 && real >= stretches_[1].begin;
    return wallAtStart_ + real + stretches_[second ? 1 : 0].wallOffset;
}

std::int64_t SimulatedDay::Due(std::int64_t real, std::chrono::milliseconds delay) const {
    return real + std::llround(static_cast<double>(delay.count()) * 1000.0 / interruptRate_);
}

std::int64_t SimulatedDay::Expiry(std::int64_t due) const {
    const std::int64_t expiry = NextInterrupt(due);
    return Asleep(expiry) ? NextInterrupt(stretches_[1].begin) : expiry;
}

std::int64_t SimulatedDay::Handled(std::int64_t expiry, std::uint64_t tick) const {
    if (!underLoad_) {
        return expiry;
    }
    const std::int64_t handled = expiry + draws_.Uniform(kFirstTickSlot + tick, 0, kMaxLoadDelay);
    return Asleep(handled) ? stretches_[1].begin : handled;
}

bool SimulatedDay::Asleep(std::int64_t real) const {
    return stretchCount_ > 1 && real >= stretches_[0].end && real < stretches_[1].begin;
}

std::int64_t SimulatedDay::NextInterrupt(std::int64_t real) const {
    if (gridStep_ == 0.0) {
        return real;
    }
    const double interrupts =
        std::floor((static_cast<double>(real) - gridPhase_) / gridStep_ + kOnInterrupt) + 1.0;
    return static_cast<std::int64_t>(std::ceil(gridPhase_ + interrupts * gridStep_));
}

}  // namespace kalvoro::sim

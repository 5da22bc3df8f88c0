#include "simulated_day.h"

#include <array>
#include <cmath>
#include <thread>

#include "simulated_ports.h"
#include "ui/program.h"

namespace kalvoro::sim {

namespace {

constexpr std::int64_t kSecond = kMicrosPerSecond;
constexpr std::int64_t kMinute = 60 * kSecond;
constexpr std::int64_t kHour = 60 * kMinute;
// Days from 2000-01-01 on, cycling through the 400 years of the calendar.
constexpr std::int64_t kFirstDay = 10957;
constexpr std::int64_t kCalendarCycle = 146097;
// The clock ticks a minute before the entered second, so the trigger's memory
// of the previous refresh is what it would be after hours of ticking, and a
// minute after the last time the clock passes it.
constexpr std::int64_t kTicksAround = kMinute;
// Sleeps and clock changes happen at most this far from the entered second.
constexpr std::int64_t kEventSpread = 50 * kSecond;
constexpr double kInterruptPeriod = 15625.0;  // microseconds
// A due time this close before an interrupt counts as on it: it absorbs the
// rounding of due times to whole microseconds.
constexpr double kOnInterrupt = 1e-3;  // of an interrupt period
constexpr double kMaxDrift = 100e-6;
constexpr std::int64_t kMaxLoadDelay = 2 * kSecond;
// A countdown this many seconds after the entered second is still on time.
constexpr std::int64_t kCatchUpSeconds = 5;

// What each draw of a day is for; the ticks' draws come last, one a tick.
enum Slot : std::uint64_t {
    kDay,
    kSecondOfDay,
    kOpening,
    kDrift,
    kPhase,
    kEvent,
    kSize,
    kFirstTick
};

// Counter-based random numbers, splitmix64's finaliser: the same key and slot
// always give the same draw.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15u;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

// Keeps the delay the program asks of its clock timer and notes each
// countdown window it opens.
struct TickDesktop final : NullDesktop {
    void ArmClockTimer(std::chrono::milliseconds delay) override { clockDelay = delay; }
    void Load(WindowId) override { opened = true; }
    std::chrono::milliseconds clockDelay{0};
    bool opened = false;
};

// One simulated day, cut down to the minutes around the entered second. Real
// time counts microseconds from the start of that window; the wall clock runs
// with it except where the stream sets it.
class SimulatedDay {
  public:
    SimulatedDay(const Stream& stream, std::uint64_t key);
    void Run(Tally& tally) const;

  private:
    std::uint64_t Draw(std::uint64_t slot) const { return Mix(key_ ^ Mix(slot)); }
    double Unit(std::uint64_t slot) const { return double(Draw(slot) >> 11) * 0x1.0p-53; }
    std::int64_t Uniform(std::uint64_t slot, std::int64_t low, std::int64_t high) const {
        return low + static_cast<std::int64_t>(Unit(slot) * static_cast<double>(high - low));
    }
    // In [low, high), evenly spread over the orders of magnitude.
    std::int64_t LogUniform(std::uint64_t slot, double low, double high) const {
        return std::int64_t(
            std::exp(std::log(low) + Unit(slot) * (std::log(high) - std::log(low))));
    }
    std::size_t StretchAt(std::int64_t real) const { return real >= awake_[1].begin; }
    std::int64_t WallAt(std::int64_t real) const {
        return wallAtStart_ + real + awake_[StretchAt(real)].wallOffset;
    }
    bool Asleep(std::int64_t real) const { return real >= awake_[0].end && real < awake_[1].begin; }
    // When a timer asked at `real` to wait `delay` is handled as the `tick`th
    // clock tick: due by an interrupt clock that drifts against the wall
    // clock; expiring at once on the ideal timer, on the next 15.625 ms
    // interrupt on a Windows-like one, at the wake-up while asleep; under
    // load handled up to 2 s later.
    std::int64_t Handled(std::int64_t real, std::chrono::milliseconds delay,
                         std::uint64_t tick) const {
        std::int64_t handled =
            NextInterrupt(real + std::llround(double(delay.count()) * 1000.0 / interruptRate_));
        handled = Asleep(handled) ? NextInterrupt(awake_[1].begin) : handled;
        if (underLoad_) {
            handled += Uniform(kFirstTick + tick, 0, kMaxLoadDelay);
            handled = Asleep(handled) ? awake_[1].begin : handled;
        }
        return handled;
    }
    std::int64_t NextInterrupt(std::int64_t real) const {
        if (gridStep_ == 0.0) {
            return real;
        }
        const double interrupts =
            std::floor((double(real) - gridPhase_) / gridStep_ + kOnInterrupt) + 1.0;
        return std::int64_t(std::ceil(gridPhase_ + interrupts * gridStep_));
    }

    std::uint64_t key_;
    bool underLoad_;
    std::int64_t enteredWall_;  // when the entered second begins
    std::int64_t wallAtStart_ = 0;
    // The two stretches of real time in which the computer is awake and the
    // wall clock runs on without a jump: [begin, end), the wall reading real +
    // offset. The second is empty on a day left alone.
    struct Stretch {
        std::int64_t begin, end, wallOffset;
    };
    std::array<Stretch, 2> awake_{};
    double interruptRate_ = 1.0;  // interrupt clock seconds per wall clock second
    double gridStep_ = 0.0;       // microseconds between interrupts; 0: ideal timer
    double gridPhase_ = 0.0;
};

SimulatedDay::SimulatedDay(const Stream& stream, std::uint64_t key)
    : key_(Mix(key)),
      underLoad_(stream.underLoad),
      enteredWall_((kFirstDay + static_cast<std::int64_t>(Draw(kDay) % kCalendarCycle)) * 86'400 *
                       kSecond +
                   static_cast<std::int64_t>(Draw(kSecondOfDay) % 86'400) * kSecond) {
    // Real time at which the entered second begins on a clock left alone.
    const std::int64_t entered = kTicksAround + Uniform(kOpening, 0, kSecond);
    wallAtStart_ = enteredWall_ - entered;
    if (stream.windowsLikeTimer) {
        interruptRate_ = 1.0 + kMaxDrift * (2.0 * Unit(kDrift) - 1.0);
        gridStep_ = kInterruptPeriod / interruptRate_;
        gridPhase_ = Unit(kPhase) * gridStep_;
    }
    // The sleep or the clock change: before the entered second begins, or after it has ended.
    const std::int64_t spread = Uniform(kEvent, 0, kEventSpread);
    const std::int64_t before = entered - 1 - spread;
    const std::int64_t after = entered + kSecond + spread;
    switch (stream.disturbance) {
        case Disturbance::None: {
            const std::int64_t end = entered + kTicksAround;
            awake_ = {{{0, end, 0}, {end, end, 0}}};
            break;
        }
        case Disturbance::Sleep: {
            const std::int64_t wake = before + LogUniform(kSize, 2 * kMinute, 8 * kHour);
            awake_ = {{{0, before, 0}, {wake, wake + kTicksAround, 0}}};
            break;
        }
        case Disturbance::ClockSetForward: {
            // Lands past the end of the entered second.
            const std::int64_t step =
                entered + kSecond - before + LogUniform(kSize, 10 * kSecond, 12 * kHour);
            awake_ = {{{0, before, 0}, {before, before + kTicksAround, step}}};
            break;
        }
        case Disturbance::ClockSetBack: {
            // Lands this long before the entered second, which comes again.
            const std::int64_t lead = LogUniform(kSize, 10 * kSecond, kHour);
            awake_ = {
                {{0, after, 0}, {after, after + lead + kTicksAround, entered - lead - after}}};
            break;
        }
    }
}

// The countdowns are judged against the clock's own course, not against any
// rule of the trigger. The clock runs into the entered second when it reaches
// the second's start while running on: not when it jumps over it, nor while
// the computer sleeps. A countdown opened rightly belongs to the last such
// arrival in the same stretch, at most 5 s after the entered second began,
// and is the first for that arrival; every other opening is false.
void SimulatedDay::Run(Tally& tally) const {
    struct Arrival {
        std::int64_t real, wall;
        std::size_t stretch;
        bool opened;
    };
    std::vector<Arrival> arrivals;
    for (std::size_t i = 0; i < awake_.size(); ++i) {
        for (const std::int64_t days : {-1, 0, 1}) {
            const std::int64_t wall = enteredWall_ + days * 86'400 * kSecond;
            const std::int64_t real = wall - (WallAt(awake_[i].begin) - awake_[i].begin);
            if (real > awake_[i].begin && real < awake_[i].end) {
                arrivals.push_back({real, wall, i, false});
            }
        }
    }

    SetClock clock;
    TickDesktop desktop;
    NullPower power;
    Program program{desktop, clock, power};
    clock.Set(WallAt(0));
    program.Start();
    program.form1().TxTChoix_Change(ClockTextAt(SecondAt(enteredWall_)));
    program.form1().Activer_Click();
    std::int64_t now = 0;
    for (std::uint64_t tick = 0; (now = Handled(now, desktop.clockDelay, tick)) < awake_[1].end;
         ++tick) {
        clock.Set(WallAt(now));
        desktop.opened = false;
        program.form1().Timer1_Timer();
        if (!desktop.opened) {
            continue;
        }
        Arrival* last = nullptr;
        for (Arrival& arrival : arrivals) {
            last = arrival.stretch == StretchAt(now) && arrival.real <= now ? &arrival : last;
        }
        if (last == nullptr || last->opened ||
            SecondAt(clock.wall) - SecondAt(last->wall) > kCatchUpSeconds) {
            ++tally.falseTriggers;
        } else {
            last->opened = true;
            tally.latencies.push_back(static_cast<std::int32_t>(clock.wall - last->wall));
        }
    }
    ++tally.days;
    for (const Arrival& arrival : arrivals) {
        ++tally.due;
        tally.missed += arrival.opened ? 0 : 1;
    }
}

}  // namespace

Tally SimulateStream(std::size_t stream, std::uint64_t days, unsigned threads) {
    std::vector<Tally> tallies(threads);
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 0; t < threads; ++t) {
            workers.emplace_back([&, t] {
                for (std::uint64_t day = t; day < days; day += threads) {
                    // The day's key: its stream in the high bits, its number in the low ones.
                    SimulatedDay{kStreams[stream], (std::uint64_t{stream} << 48) | day}.Run(
                        tallies[t]);
                }
            });
        }
    }
    Tally& sum = tallies[0];
    for (unsigned t = 1; t < threads; ++t) {
        sum.days += tallies[t].days;
        sum.due += tallies[t].due;
        sum.missed += tallies[t].missed;
        sum.falseTriggers += tallies[t].falseTriggers;
        sum.latencies.insert(sum.latencies.end(), tallies[t].latencies.begin(),
                             tallies[t].latencies.end());
    }
    return sum;
}

}  // namespace kalvoro::sim

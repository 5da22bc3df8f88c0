// Prints the figures of the program's trigger and of its cost while waiting,
// as one Markdown table. Figures, not verdicts: nothing here passes or fails.
//
//   kalvoro_bench [days=N] [<figure measured outside>=<text>]...
//                 figures measured outside: instructions <workload>, latency
//                 <build>, runs <build>, size <build>, cpu <waiting>,
//                 sample <waiting>
//   kalvoro_bench workloads         each workload and the handler callgrind counts
//   kalvoro_bench <workload> <N>    only N ticks of the workload, for callgrind
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "simulated_clock.h"
#include "ui/program.h"

static std::atomic<std::uint64_t> heapAllocations{0};

// The array, nothrow and sized forms call these by default. Kept out of line:
// inlined, the compiler takes the free of what new returned for a mismatch.
void* operator new(std::size_t size) {
    heapAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(std::max<std::size_t>(size, 1))) {
        return memory;
    }
    throw std::bad_alloc{};
}
[[gnu::noinline]] void operator delete(void* memory) noexcept {
    std::free(memory);
}
[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using namespace kalvoro;
using namespace kalvoro::sim;

enum class Disturbance { None, Sleep, ClockSetForward, ClockSetBack };

// How the clock timer behaves and what happens to the clock around the entered second.
struct Stream {
    std::string_view name;
    bool windowsLikeTimer;  // 15.625 ms interrupts, drifting; else ideal
    bool underLoad;         // every tick handled up to 2 s late
    Disturbance disturbance;
};
constexpr Stream kStreams[] = {
    {"Ideal 1000 ms timer", false, false, Disturbance::None},
    {"Windows-like timer: 15.625 ms steps, drifting", true, false, Disturbance::None},
    {"Ticks handled up to 2 s late under load", true, true, Disturbance::None},
    {"Sleep of 2 min to 8 h across the entered second", true, false, Disturbance::Sleep},
    {"Clock set forward 10 s to 12 h across it", true, false, Disturbance::ClockSetForward},
    {"Clock set back 10 s to 1 h across it", true, false, Disturbance::ClockSetBack},
};

struct Tally {
    std::uint64_t due = 0;     // times the clock ran into the entered second
    std::uint64_t missed = 0;  // of those, with no countdown opened for them
    std::uint64_t falseTriggers = 0;
    std::vector<std::int32_t> latencies;  // microseconds, one a countdown rightly opened
};

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
enum : std::uint64_t { kDay, kSecondOfDay, kOpening, kDrift, kPhase, kEvent, kSize, kFirstTick };

// Counter-based random numbers, splitmix64's finaliser: the same key and slot
// always give the same draw.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15u;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

// The desktop and the power actions of the simulated program: they do
// nothing but keep the delay the program asks of its clock timer and note
// each countdown window it opens.
struct SimulatedPorts final : Desktop, PowerActions {
    void Load(WindowId) override { opened = true; }
    void Unload(WindowId) override {}
    void Show(WindowId) override {}
    void ShowWithoutActivating(WindowId) override {}
    void Hide(WindowId) override {}
    void SetTopmost(WindowId) override {}
    void Present(WindowId) override {}
    void ArmClockTimer(std::chrono::milliseconds delay) override { clockDelay = delay; }
    void StartTimer(WindowId, CountdownTimer) override {}
    void StopTimer(WindowId, CountdownTimer) override {}
    void ShowMessage(std::string_view, std::string_view, int) override {}
    void AddIcon(const IconRecord&) override {}
    void DeleteIcon(const IconRecord&) override {}
    void HideFromTaskList() override {}
    std::optional<MenuCommand> PopUpMenu(const Menu1Items&, MenuCommand) override {
        return std::nullopt;
    }
    void EndProgram() override {}
    void EteindreXP() override {}
    void RebootXP() override {}
    void AnnulerRebootXP() override {}
    void VeilleXP() override {}
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
    SimulatedPorts desktop;
    Program program{desktop, clock, desktop};
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
    for (const Arrival& arrival : arrivals) {
        ++tally.due;
        tally.missed += arrival.opened ? 0 : 1;
    }
}

// The ticks the program spends its days on; for the countdown's, a countdown
// window is opened anew before it can finish (the bar fills on its 1312th
// tick, the number reaches -1 on its 13th).
struct Workload {
    const char* name;
    const char* handler;  // as valgrind names it
    int reopenEvery;      // ticks; 0: the clock's, a second apart
    void (*tick)(Program&);
};
constexpr Workload kWorkloads[] = {
    {"clock", "kalvoro::Form1::Timer1_Timer()", 0, [](Program& p) { p.form1().Timer1_Timer(); }},
    {"bar", "kalvoro::Countdown::Timer1_Timer()", 1300,
     [](Program& p) { p.countdown()->Timer1_Timer(); }},
    {"number", "kalvoro::Countdown::Timer2_Timer()", 13,
     [](Program& p) { p.countdown()->Timer2_Timer(); }},
};

// The program as it spends its days, armed for a time an hour away. Prepare
// sets up the next tick; Tick is the one call into the core that is measured.
class SteadyProgram {
  public:
    explicit SteadyProgram(const Workload& workload) : workload_(workload) {
        clock_.Set((20'793LL * 86'400 + 4 * 3600 + 30 * 60) *
                   kMicrosPerSecond);  // 2026-12-06 04:30
        program_.Start();
        program_.form1().TxTChoix_Change("05:30:00");
        program_.form1().Activer_Click();
    }
    void Prepare() {
        if (workload_.reopenEvery == 0) {
            clock_.Set(clock_.wall + kMicrosPerSecond);
        } else if (ticks_++ % workload_.reopenEvery == 0) {
            program_.form1().MnuArrêter_Click();
        }
    }
    void Tick() { workload_.tick(program_); }

  private:
    const Workload& workload_;
    SetClock clock_;
    SimulatedPorts ports_;
    Program program_{ports_, clock_, ports_};
    int ticks_ = 0;
};

double AllocationsPerTick(const Workload& workload, std::uint64_t ticks) {
    SteadyProgram program{workload};
    // Into the steady state first: the first tick of each kind may settle things.
    program.Prepare();
    program.Tick();
    std::uint64_t counted = 0;
    for (std::uint64_t i = 0; i < ticks; ++i) {
        program.Prepare();
        const std::uint64_t before = heapAllocations.load(std::memory_order_relaxed);
        program.Tick();
        counted += heapAllocations.load(std::memory_order_relaxed) - before;
    }
    return static_cast<double>(counted) / static_cast<double>(ticks);
}

std::string Printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// 1234567 as "1 234 567".
std::string Grouped(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, " ");
    }
    return digits;
}

// The nearest-rank quantile, in milliseconds.
std::string QuantileMs(std::vector<std::int32_t>& values, double quantile, const char* format) {
    const auto rank = std::max(1.0, std::ceil(quantile * static_cast<double>(values.size())));
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(rank) - 1;
    std::nth_element(values.begin(), at, values.end());
    return Printed(format, *at / 1000.0);
}

// The real programs waiting, as bench/waiting_cpu.sh measures them.
struct Waiting {
    const char* key;
    const char* subject;
};
constexpr Waiting kWaitings[] = {
    {"linux shown", "Linux program, main window shown (Xvfb, openbox)"},
    {"linux hidden", "Linux program armed, main window minimised"},
    {"windows shown", "x86_64 test build under Wine, main window shown"},
    {"windows hidden", "x86_64 test build under Wine, armed, main window hidden"},
};

void Row(const std::string& figure, const std::string& subject, const std::string& value,
         const std::string& sample = "") {
    std::printf("| %s | %s | %s | %s |\n", figure.c_str(), subject.c_str(), value.c_str(),
                sample.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const bool listing = argc == 2 && std::string{argv[1]} == "workloads";
    for (const Workload& workload : kWorkloads) {
        if (listing) {
            std::printf("%s %s\n", workload.name, workload.handler);
        } else if (argc == 3 && argv[1] == std::string{workload.name}) {
            SteadyProgram program{workload};
            for (long tick = std::atol(argv[2]); tick > 0; --tick) {
                program.Prepare();
                program.Tick();
            }
            return 0;
        }
    }
    if (listing) {
        return 0;
    }
    std::map<std::string, std::string> given{{"days", "1000000"}};
    for (int i = 1; i < argc; ++i) {
        const std::string argument{argv[i]};
        if (argument.find('=') == std::string::npos) {
            std::fputs("usage: see the head of bench/kalvoro_bench.cpp\n", stderr);
            return 2;
        }
        given[argument.substr(0, argument.find('='))] = argument.substr(argument.find('=') + 1);
    }
    const auto days = std::max(1ull, std::strtoull(given["days"].c_str(), nullptr, 10));
    const auto measured = [&](const std::string& key) {
        return given.contains(key) ? given[key] : "*not measured: see scripts/run-bench.sh*";
    };

    // A row for each stream, build and workload, figure by figure.
    Row("Figure", "Stream or workload", "Program", "Sample");
    Row("---", "---", "---", "---");
    // Each stream's days: the program armed and run through the minutes around
    // the entered second, every draw from the day's key (its stream in the
    // high bits, its number in the low ones).
    std::vector<Tally> tallies(std::size(kStreams));
    for (std::size_t i = 0; i < std::size(kStreams); ++i) {
        Tally& t = tallies[i];
        for (std::uint64_t day = 0; day < days; ++day) {
            SimulatedDay{kStreams[i], (std::uint64_t{i} << 48) | day}.Run(t);
        }
        const double share = 100.0 * static_cast<double>(t.missed) / static_cast<double>(t.due);
        Row("1. Missed / false triggers (simulated)", std::string{kStreams[i].name},
            Grouped(t.missed) + (t.missed == 0 ? "" : Printed(" (%.2f %%)", share)) + " / " +
                Grouped(t.falseTriggers),
            Grouped(days) + " days, " + Grouped(t.due) + " due");
    }
    for (std::size_t i = 0; i < std::size(kStreams); ++i) {
        // Nothing comes due when the clock jumps or sleeps over the second.
        if (std::vector<std::int32_t>& latencies = tallies[i].latencies; !latencies.empty()) {
            Row("2. Latency median / p99 (simulated)", std::string{kStreams[i].name},
                QuantileMs(latencies, 0.5, "%.1f / ") + QuantileMs(latencies, 0.99, "%.1f ms"),
                Grouped(days) + " days");
        }
    }
    const std::string builds[] = {"x86_64", "i686"};
    for (const std::string& build : builds) {
        Row("2. Latency median / p99 (real)", build + " test build under Wine, end-to-end driver",
            measured("latency " + build), measured("runs " + build));
    }
    for (const Workload& workload : kWorkloads) {
        const std::string tick = workload.name + std::string{" tick"};
        Row("3. Instructions per tick (callgrind)", tick,
            measured("instructions " + std::string{workload.name}));
        const double perTick = AllocationsPerTick(workload, 100'000);
        Row("3. Heap allocations per tick, steady state", tick,
            perTick == 0 ? "0" : Printed("%.3f", perTick), "100 000 ticks");
    }
    for (const std::string& build : builds) {
        Row("4. Executable size, stripped, resources included", build, measured("size " + build));
    }
    for (const Waiting& waiting : kWaitings) {
        Row("5. CPU per minute while waiting, whole process (real)", waiting.subject,
            measured("cpu " + std::string{waiting.key}),
            given["sample " + std::string{waiting.key}]);
    }
}

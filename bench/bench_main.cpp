// Prints the figures of the program's trigger and of its cost while waiting,
// as one Markdown table. Figures, not verdicts: nothing here passes or fails.
//
//   kalvoro_bench [days=N] [threads=N] [<figure measured outside>=<text>]...
//   kalvoro_bench workloads         each workload and the handler callgrind counts
//   kalvoro_bench <workload> <N>    only N ticks of the workload, for callgrind
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <thread>

#include "simulated_day.h"
#include "simulated_ports.h"
#include "ui/program.h"

namespace {

std::atomic<std::uint64_t> heapAllocations{0};

}  // namespace

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
    NullDesktop desktop_;
    NullPower power_;
    Program program_{desktop_, clock_, power_};
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

void Row(const std::string& figure, const std::string& subject, const std::string& value,
         const std::string& sample = "") {
    std::printf("| %s | %s | %s | %s |\n", figure.c_str(), subject.c_str(), value.c_str(),
                sample.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string{argv[1]} == "workloads") {
        for (const Workload& workload : kWorkloads) {
            std::printf("%s %s\n", workload.name, workload.handler);
        }
        return 0;
    }
    for (const Workload& workload : kWorkloads) {
        if (argc == 3 && argv[1] == std::string{workload.name}) {
            SteadyProgram program{workload};
            for (long tick = std::atol(argv[2]); tick > 0; --tick) {
                program.Prepare();
                program.Tick();
            }
            return 0;
        }
    }
    std::map<std::string, std::string> given{
        {"days", "1000000"}, {"threads", std::to_string(std::thread::hardware_concurrency())}};
    for (int i = 1; i < argc; ++i) {
        const std::string argument{argv[i]};
        if (argument.find('=') == std::string::npos) {
            std::fputs(
                "usage: kalvoro_bench [days=N] [threads=N] [<key>=<text>]...\n"
                "  key: instructions <workload>, latency <build>, runs <build>, size <build>\n"
                "       kalvoro_bench workloads | <workload> <ticks>\n",
                stderr);
            return 2;
        }
        given[argument.substr(0, argument.find('='))] = argument.substr(argument.find('=') + 1);
    }
    const auto days = std::max(1ull, std::strtoull(given["days"].c_str(), nullptr, 10));
    const auto threads =
        static_cast<unsigned>(std::clamp(std::atoi(given["threads"].c_str()), 1, 1024));
    const auto measured = [&](const std::string& key) {
        return given.contains(key) ? given[key] : "*not measured: see scripts/run-bench.sh*";
    };

    // A row for each stream, build and workload, figure by figure.
    Row("Figure", "Stream or workload", "Program", "Sample");
    Row("---", "---", "---", "---");
    std::vector<Tally> tallies;
    for (std::size_t i = 0; i < std::size(kStreams); ++i) {
        const Tally& t = tallies.emplace_back(SimulateStream(i, days, threads));
        const double share = 100.0 * static_cast<double>(t.missed) / static_cast<double>(t.due);
        Row("1. Missed / false triggers (simulated)", std::string{kStreams[i].name},
            Grouped(t.missed) + (t.missed == 0 ? "" : Printed(" (%.2f %%)", share)) + " / " +
                Grouped(t.falseTriggers),
            Grouped(t.days) + " days, " + Grouped(t.due) + " due");
    }
    for (std::size_t i = 0; i < std::size(kStreams); ++i) {
        // Nothing comes due when the clock jumps or sleeps over the second.
        if (std::vector<std::int32_t>& latencies = tallies[i].latencies; !latencies.empty()) {
            Row("2. Latency median / p99 (simulated)", std::string{kStreams[i].name},
                QuantileMs(latencies, 0.5, "%.1f / ") + QuantileMs(latencies, 0.99, "%.1f ms"),
                Grouped(tallies[i].days) + " days");
        }
    }
    const std::string builds[] = {"x86_64", "i686"};
    for (const std::string& build : builds) {
        Row("2. Latency median / p99 (real)", build + " test build under Wine, end-to-end driver",
            measured("latency " + build), measured("runs " + build));
    }
    for (const Workload& workload : kWorkloads) {
        Row("3. Instructions per tick (callgrind)", workload.name + std::string{" tick"},
            measured("instructions " + std::string{workload.name}));
    }
    for (const Workload& workload : kWorkloads) {
        const double perTick = AllocationsPerTick(workload, 100'000);
        Row("3. Heap allocations per tick, steady state", workload.name + std::string{" tick"},
            perTick == 0 ? "0" : Printed("%.3f", perTick), "100 000 ticks");
    }
    for (const std::string& build : builds) {
        Row("4. Executable size, stripped, resources included", build, measured("size " + build));
    }
}

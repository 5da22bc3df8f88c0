// Prints the figures of the program's trigger and of its cost while waiting,
// as one Markdown table. Figures, not verdicts: nothing here passes or fails.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <thread>

#include "allocation_counter.h"
#include "simulated_day.h"
#include "steady_program.h"

namespace {

using namespace kalvoro::sim;

std::uint64_t Parsed(std::string_view text) {
    std::uint64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size() ? value : 0;
}

Tally SimulateStream(std::size_t stream, std::uint64_t days, unsigned threads) {
    std::vector<Tally> tallies(threads);
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 0; t < threads; ++t) {
            workers.emplace_back([&, t] {
                // A day's key: its stream in the high bits, its number in the low ones.
                for (std::uint64_t day = t; day < days; day += threads) {
                    SimulatedDay{kStreams[stream], (std::uint64_t{stream} << 48) | day}.Run(
                        tallies[t]);
                }
            });
        }
    }
    for (unsigned t = 1; t < threads; ++t) {
        tallies[0].Add(tallies[t]);
    }
    return tallies[0];
}

double AllocationsPerTick(std::size_t workload, std::uint64_t ticks) {
    SteadyProgram program{workload};
    // Into the steady state first: the first tick of each kind may settle things.
    program.Prepare();
    program.Tick();
    std::uint64_t counted = 0;
    for (std::uint64_t i = 0; i < ticks; ++i) {
        program.Prepare();
        const std::uint64_t before = HeapAllocations();
        program.Tick();
        counted += HeapAllocations() - before;
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
double QuantileMs(std::vector<std::int32_t>& values, double quantile) {
    const auto rank = std::max(1.0, std::ceil(quantile * static_cast<double>(values.size())));
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(rank) - 1;
    std::nth_element(values.begin(), at, values.end());
    return *at / 1000.0;
}

void Row(std::string_view figure, std::string_view subject, std::string_view value,
         std::string_view sample) {
    std::printf("| %s | %s | %s | %s |\n", std::string{figure}.c_str(),
                std::string{subject}.c_str(), std::string{value}.c_str(),
                std::string{sample}.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t days = 1'000'000;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    // <key>=<text>: figures measured outside, "instructions clock", "size i686", ...
    std::map<std::string, std::string, std::less<>> outside;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument{argv[i]};
        const std::string_view value = i + 1 < argc ? argv[i + 1] : "";
        if (argument == "--days" && Parsed(value) > 0) {
            days = Parsed(argv[++i]);
        } else if (argument == "--threads" && Parsed(value) > 0) {
            threads = static_cast<unsigned>(Parsed(argv[++i]));
        } else if (const std::size_t equals = argument.find('=');
                   equals != std::string_view::npos) {
            outside.insert_or_assign(std::string{argument.substr(0, equals)},
                                     std::string{argument.substr(equals + 1)});
        } else {
            std::fputs(
                "usage: kalvoro_bench [--days N] [--threads N] [<key>=<text>]...\n"
                "  --days      simulated days per stream (default 1000000)\n"
                "  key=text    a figure measured outside: instructions <workload>,\n"
                "              latency <build>, runs <build>, size <build>\n",
                stderr);
            return 2;
        }
    }
    const auto measured = [&](const std::string& key) {
        const auto found = outside.find(key);
        return found == outside.end() ? std::string{"*not measured: see scripts/run-bench.sh*"}
                                      : found->second;
    };

    std::vector<Tally> tallies;
    for (std::size_t i = 0; i < kStreams.size(); ++i) {
        tallies.push_back(SimulateStream(i, days, threads));
        std::fprintf(stderr, "%s: done\n", std::string{kStreams[i].name}.c_str());
    }
    Row("Figure", "Stream or workload", "Program", "Sample");
    Row("---", "---", "---", "---");
    for (std::size_t i = 0; i < kStreams.size(); ++i) {
        const Tally& tally = tallies[i];
        const std::string share =
            tally.missed == 0 ? ""
                              : Printed(" (%.2f %%)", 100.0 * static_cast<double>(tally.missed) /
                                                          static_cast<double>(tally.due));
        Row("1. Missed / false triggers (simulated)", kStreams[i].name,
            Grouped(tally.missed) + share + " / " + Grouped(tally.falseTriggers),
            Grouped(tally.days) + " days, " + Grouped(tally.due) + " due");
    }
    for (std::size_t i = 0; i < kStreams.size(); ++i) {
        std::vector<std::int32_t>& latencies = tallies[i].latencies;
        if (!latencies
                 .empty()) {  // nothing comes due when the clock jumps or sleeps over the second
            Row("2. Latency median / p99 (simulated)", kStreams[i].name,
                Printed("%.1f / ", QuantileMs(latencies, 0.5)) +
                    Printed("%.1f ms", QuantileMs(latencies, 0.99)),
                Grouped(tallies[i].days) + " days");
        }
    }
    const std::string kBuilds[] = {"x86_64", "i686"};
    for (const std::string& build : kBuilds) {
        Row("2. Latency median / p99 (real)", build + " test build under Wine, end-to-end driver",
            measured("latency " + build), measured("runs " + build));
    }
    for (const Workload& workload : kWorkloads) {
        Row("3. Instructions per tick (callgrind)", std::string{workload.name} + " tick",
            measured("instructions " + std::string{workload.name}), "");
    }
    constexpr std::uint64_t kAllocationTicks = 100'000;
    for (std::size_t i = 0; i < kWorkloads.size(); ++i) {
        const double perTick = AllocationsPerTick(i, kAllocationTicks);
        Row("3. Heap allocations per tick, steady state", std::string{kWorkloads[i].name} + " tick",
            perTick == 0 ? "0" : Printed("%.3f", perTick), Grouped(kAllocationTicks) + " ticks");
    }
    for (const std::string& build : kBuilds) {
        Row("4. Executable size, stripped, resources included", build, measured("size " + build),
            "");
    }
    return 0;
}

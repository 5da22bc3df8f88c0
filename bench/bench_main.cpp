// Prints the figures of the program's trigger and of its cost while waiting,
// as one Markdown table. Figures, not verdicts: nothing here passes or fails.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <thread>

#include "simulated_day.h"
#include "steady_program.h"

namespace kalvoro::sim {
std::uint64_t HeapAllocations();  // counted by allocation_counter.cpp
}

namespace {

using namespace kalvoro::sim;

Tally SimulateStream(std::size_t stream, std::uint64_t days, unsigned threads) {
    std::vector<Tally> tallies(threads);
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 0; t < threads; ++t) {
            workers.emplace_back([&, t] {
                for (std::uint64_t day = t; day < days; day += threads) {
                    SimulateDay(stream, day, tallies[t]);
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

std::uint64_t Parsed(const char* text) {
    std::uint64_t value = 0;
    const std::string_view view{text};
    const auto result = std::from_chars(view.data(), view.data() + view.size(), value);
    return result.ptr == view.data() + view.size() ? value : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t days = 1'000'000;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    // Figures measured outside: "instructions clock", "latency i686", "runs i686", "size i686".
    std::map<std::string, std::string> outside;
    for (int i = 1; i < argc; ++i) {
        const std::string argument{argv[i]};
        const std::size_t equals = argument.find('=');
        if (argument == "--days" && i + 1 < argc && Parsed(argv[i + 1]) > 0) {
            days = Parsed(argv[++i]);
        } else if (argument == "--threads" && i + 1 < argc && Parsed(argv[i + 1]) > 0) {
            threads = static_cast<unsigned>(Parsed(argv[++i]));
        } else if (equals != std::string::npos) {
            outside[argument.substr(0, equals)] = argument.substr(equals + 1);
        } else {
            std::fputs(
                "usage: kalvoro_bench [--days N (1000000)] [--threads N] [<key>=<text>]...\n"
                "  key: instructions <workload>, latency <build>, runs <build>, size <build>\n",
                stderr);
            return 2;
        }
    }
    const auto measured = [&](const std::string& key) {
        return outside.contains(key) ? outside[key] : "*not measured: see scripts/run-bench.sh*";
    };

    Row("Figure", "Stream or workload", "Program", "Sample");
    Row("---", "---", "---", "---");
    std::vector<Tally> tallies;
    for (std::size_t i = 0; i < kStreams.size(); ++i) {
        const Tally& tally = tallies.emplace_back(SimulateStream(i, days, threads));
        const double share =
            100.0 * static_cast<double>(tally.missed) / static_cast<double>(tally.due);
        Row("1. Missed / false triggers (simulated)", std::string{kStreams[i].name},
            Grouped(tally.missed) + (tally.missed == 0 ? "" : Printed(" (%.2f %%)", share)) +
                " / " + Grouped(tally.falseTriggers),
            Grouped(tally.days) + " days, " + Grouped(tally.due) + " due");
    }
    for (std::size_t i = 0; i < kStreams.size(); ++i) {
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
        Row("3. Instructions per tick (callgrind)", workload.name + " tick",
            measured("instructions " + workload.name));
    }
    for (std::size_t i = 0; i < kWorkloads.size(); ++i) {
        const double perTick = AllocationsPerTick(i, 100'000);
        Row("3. Heap allocations per tick, steady state", kWorkloads[i].name + " tick",
            perTick == 0 ? "0" : Printed("%.3f", perTick), "100 000 ticks");
    }
    for (const std::string& build : builds) {
        Row("4. Executable size, stripped, resources included", build, measured("size " + build));
    }
}

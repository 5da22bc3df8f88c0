// Prints the figures of the program's trigger and of its cost while waiting,
// as one Markdown table. Figures, not verdicts: nothing here passes or fails.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "allocation_counter.h"
#include "figures_table.h"
#include "reliability.h"
#include "steady_state.h"
#include "streams.h"

namespace {

using namespace kalvoro::sim;

constexpr std::uint64_t kAllocationTicks = 100'000;

struct Options {
    std::uint64_t days = 1'000'000;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<WorkloadFigures> workloads;
    OutsideFigures outside;
};

template <typename Number>
std::optional<Number> Parsed(std::string_view text) {
    Number value{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// --instructions <workload>=<instructions per tick>, as run-bench.sh counts them.
bool TakeInstructions(std::string_view argument, Options& options) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    const auto count = Parsed<double>(argument.substr(equals + 1));
    for (WorkloadFigures& workload : options.workloads) {
        if (workload.name == argument.substr(0, equals) && count) {
            workload.instructionsPerTick = *count;
            return true;
        }
    }
    return false;
}

// --outside <key>=<text>: a figure measured on the Windows build.
bool TakeOutside(std::string_view argument, Options& options) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    options.outside.insert_or_assign(std::string{argument.substr(0, equals)},
                                     std::string{argument.substr(equals + 1)});
    return true;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (const Workload& workload : kWorkloads) {
        options.workloads.push_back({workload.name, std::nullopt, kAllocationTicks, 0});
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name{argv[i]};
        const std::string_view value{argv[i + 1]};
        bool understood = false;
        if (name == "--days") {
            const auto days = Parsed<std::uint64_t>(value);
            understood = days && *days > 0;
            options.days = days.value_or(0);
        } else if (name == "--threads") {
            const auto threads = Parsed<unsigned>(value);
            understood = threads && *threads > 0;
            options.threads = threads.value_or(0);
        } else if (name == "--instructions") {
            understood = TakeInstructions(value, options);
        } else if (name == "--outside") {
            understood = TakeOutside(value, options);
        }
        if (!understood) {
            return std::nullopt;
        }
    }
    if (argc % 2 == 0) {
        return std::nullopt;
    }
    return options;
}

void CountAllocations(WorkloadFigures& figures) {
    const Workload& workload = *WorkloadNamed(figures.name);
    SteadyProgram program;
    // Into the steady state first: the first tick of each kind may settle things.
    (program.*workload.prepare)();
    (program.*workload.tick)();
    for (std::uint64_t i = 0; i < figures.ticks; ++i) {
        (program.*workload.prepare)();
        const std::uint64_t before = HeapAllocations();
        (program.*workload.tick)();
        figures.allocations += HeapAllocations() - before;
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::fputs(
            "usage: kalvoro_bench [--days N] [--threads N] [--instructions <workload>=<count>]...\n"
            "                    [--outside <key>=<text>]...\n"
            "  --days          simulated days per stream (default 1000000)\n"
            "  --instructions  instructions per tick that callgrind counted for a workload\n"
            "                  (clock, bar, number); scripts/run-bench.sh passes them\n"
            "  --outside       <key>=<text>, a figure of the Windows build: latency <build>,\n"
            "                  runs <build>, size <build>\n",
            stderr);
        return 2;
    }
    std::vector<StreamFigures> streams;
    for (std::size_t i = 0; i < kStreams.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        streams.push_back(SimulateStream(i, options->days, options->threads));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "%.*s: %.1f s\n", static_cast<int>(kStreams[i].name.size()),
                     kStreams[i].name.data(), took.count());
    }
    for (WorkloadFigures& workload : options->workloads) {
        CountAllocations(workload);
    }
    PrintFiguresTable(streams, options->workloads, options->outside);
    return 0;
}

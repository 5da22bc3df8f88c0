#include "figures_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace kalvoro::sim {

namespace {

constexpr std::string_view kNotMeasured = "*not measured: see scripts/run-bench.sh*";

// 1234567 as "1 234 567".
std::string Grouped(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, " ");
    }
    return digits;
}

std::string Printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string MissedAndFalse(const Tally& tally) {
    std::string text = Grouped(tally.missed);
    if (tally.missed > 0) {
        text += Printed(" (%.2f %%)",
                        100.0 * static_cast<double>(tally.missed) / static_cast<double>(tally.due));
    }
    return text + " / " + Grouped(tally.falseTriggers);
}

// The nearest-rank quantile, in milliseconds.
double QuantileMs(std::vector<std::int32_t>& values, double quantile) {
    const auto rank = static_cast<std::size_t>(
        std::max(1.0, std::ceil(quantile * static_cast<double>(values.size()))));
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(rank - 1);
    std::nth_element(values.begin(), at, values.end());
    return *at / 1000.0;
}

std::string Latency(const Tally& tally) {
    if (tally.latencies.empty()) {
        return "none opened";
    }
    std::vector<std::int32_t> values = tally.latencies;
    return Printed("%.1f", QuantileMs(values, 0.5)) + " / " +
           Printed("%.1f ms", QuantileMs(values, 0.99));
}

std::string_view Outside(const OutsideFigures& outside, std::string_view key) {
    const auto found = outside.find(key);
    return found == outside.end() ? kNotMeasured : std::string_view{found->second};
}

void Row(std::string_view figure, std::string_view subject, std::string_view program,
         std::string_view sameTicks, std::string_view plainTimer, std::string_view sample) {
    std::printf("| %.*s | %.*s | %.*s | %.*s | %.*s | %.*s |\n", static_cast<int>(figure.size()),
                figure.data(), static_cast<int>(subject.size()), subject.data(),
                static_cast<int>(program.size()), program.data(),
                static_cast<int>(sameTicks.size()), sameTicks.data(),
                static_cast<int>(plainTimer.size()), plainTimer.data(),
                static_cast<int>(sample.size()), sample.data());
}

}  // namespace

void PrintFiguresTable(std::span<const StreamFigures> streams,
                       std::span<const WorkloadFigures> workloads, const OutsideFigures& outside) {
    constexpr std::string_view kBuilds[] = {"x86_64", "i686"};
    Row("Figure", "Stream or workload", "Program", "Exact check, same ticks",
        "Exact check, plain 1000 ms timer", "Sample");
    Row("---", "---", "---", "---", "---", "---");
    for (const StreamFigures& figures : streams) {
        Row("1. Missed / false triggers (simulated)", figures.stream->name,
            MissedAndFalse(figures.program), MissedAndFalse(figures.exactOnSameTicks),
            MissedAndFalse(figures.exactOnPlainTimer),
            Grouped(figures.days) + " days, " + Grouped(figures.program.due) + " due");
    }
    for (const StreamFigures& figures : streams) {
        if (figures.program.due == 0) {
            continue;  // nothing comes due when the clock jumps or sleeps over the second
        }
        Row("2. Latency median / p99 (simulated)", figures.stream->name, Latency(figures.program),
            Latency(figures.exactOnSameTicks), Latency(figures.exactOnPlainTimer),
            Grouped(figures.days) + " days");
    }
    for (const std::string_view build : kBuilds) {
        Row("2. Latency median / p99 (real)",
            std::string{build} + " test build under Wine, end-to-end driver",
            Outside(outside, "latency " + std::string{build}), "", "",
            Outside(outside, "runs " + std::string{build}));
    }
    for (const WorkloadFigures& workload : workloads) {
        const std::string instructions = workload.instructionsPerTick
                                             ? Printed("%.0f", *workload.instructionsPerTick)
                                             : "not counted: run scripts/run-bench.sh";
        Row("3. Instructions per tick (callgrind)", std::string{workload.name} + " tick",
            instructions, "", "", "");
    }
    for (const WorkloadFigures& workload : workloads) {
        const std::string perTick =
            workload.allocations == 0 ? "0"
                                      : Printed("%.3f", static_cast<double>(workload.allocations) /
                                                            static_cast<double>(workload.ticks));
        Row("3. Heap allocations per tick, steady state", std::string{workload.name} + " tick",
            perTick, "", "", Grouped(workload.ticks) + " ticks");
    }
    for (const std::string_view build : kBuilds) {
        Row("4. Executable size, stripped, resources included", build,
            Outside(outside, "size " + std::string{build}), "", "", "");
    }
}

}  // namespace kalvoro::sim

#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "reliability.h"

namespace kalvoro::sim {

struct WorkloadFigures {
    std::string_view name;
    std::optional<double> instructionsPerTick;  // counted by callgrind, when given
    std::uint64_t ticks = 0;                    // ticks watched for heap allocations
    std::uint64_t allocations = 0;
};

// Figures measured outside the bench, on the Windows build, keyed "latency
// x86_64", "size i686" and so on; scripts/run-bench.sh gathers them.
using OutsideFigures = std::map<std::string, std::string, std::less<>>;

// Prints the bench's one table in Markdown, numbered by figure. Rows that only
// the Windows build can fill and that were not measured are marked so.
void PrintFiguresTable(std::span<const StreamFigures> streams,
                       std::span<const WorkloadFigures> workloads, const OutsideFigures& outside);

}  // namespace kalvoro::sim

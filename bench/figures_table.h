#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "reliability.h"

namespace kalvoro::sim {

struct WorkloadFigures {
    std::string_view name;
    std::optional<double> instructionsPerTick;  // counted by callgrind, when given
    std::uint64_t ticks = 0;                    // ticks watched for heap allocations
    std::uint64_t allocations = 0;
};

// Prints the bench's one table in Markdown, numbered by figure. The rows that
// only the Windows build can fill stand in it, marked as still to come.
void PrintFiguresTable(std::span<const StreamFigures> streams,
                       std::span<const WorkloadFigures> workloads);

}  // namespace kalvoro::sim

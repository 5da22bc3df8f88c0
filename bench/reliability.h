#pragma once

#include <cstdint>

#include "ledger.h"

namespace kalvoro::sim {

// Figures 1 and 2 for one stream: the program and the two exact checks.
struct StreamFigures {
    const Stream* stream = nullptr;
    std::uint64_t days = 0;
    Tally program;
    Tally exactOnSameTicks;
    Tally exactOnPlainTimer;
};

// Simulates `days` days of the stream kStreams[streamIndex] on `threads`
// threads. The figures do not depend on the number of threads.
StreamFigures SimulateStream(std::size_t streamIndex, std::uint64_t days, unsigned threads);

}  // namespace kalvoro::sim

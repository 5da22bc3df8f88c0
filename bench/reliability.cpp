#include "reliability.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "day_runs.h"

namespace kalvoro::sim {

namespace {

constexpr std::uint64_t kDaysPerBatch = 4096;

// A day's key: its stream in the high bits, its number in the low ones.
std::uint64_t DayKey(std::size_t streamIndex, std::uint64_t day) {
    return (static_cast<std::uint64_t>(streamIndex) << 48) | day;
}

void SimulateDays(std::size_t streamIndex, std::uint64_t first, std::uint64_t last,
                  StreamFigures& figures) {
    const Stream& stream = kStreams[streamIndex];
    for (std::uint64_t day = first; day < last; ++day) {
        const SimulatedDay simulated{stream, DayKey(streamIndex, day)};
        Ledger program{simulated};
        Ledger exactOnSameTicks{simulated};
        Ledger exactOnPlainTimer{simulated};
        RunProgram(simulated, program, exactOnSameTicks);
        RunPlainTimer(simulated, exactOnPlainTimer);
        program.Close(figures.program);
        exactOnSameTicks.Close(figures.exactOnSameTicks);
        exactOnPlainTimer.Close(figures.exactOnPlainTimer);
        ++figures.days;
    }
}

}  // namespace

StreamFigures SimulateStream(std::size_t streamIndex, std::uint64_t days, unsigned threads) {
    StreamFigures total;
    total.stream = &kStreams[streamIndex];
    std::mutex totalLock;
    std::atomic<std::uint64_t> nextBatch{0};
    const auto work = [&] {
        StreamFigures mine;
        for (;;) {
            const std::uint64_t first = nextBatch.fetch_add(kDaysPerBatch);
            if (first >= days) {
                break;
            }
            SimulateDays(streamIndex, first, std::min(days, first + kDaysPerBatch), mine);
        }
        const std::lock_guard lock{totalLock};
        total.days += mine.days;
        total.program.Add(mine.program);
        total.exactOnSameTicks.Add(mine.exactOnSameTicks);
        total.exactOnPlainTimer.Add(mine.exactOnPlainTimer);
    };
    std::vector<std::jthread> workers;
    for (unsigned i = 0; i < std::max(threads, 1u); ++i) {
        workers.emplace_back(work);
    }
    workers.clear();
    return total;
}

}  // namespace kalvoro::sim

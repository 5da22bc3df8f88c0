#include "ledger.h"

#include "wall_clock.h"

namespace kalvoro::sim {

namespace {

constexpr std::int64_t kWallDay = 24 * 60 * 60 * kMicrosPerSecond;
// A refresh this many seconds after the entered second is still on time for it.
constexpr std::int64_t kCatchUpSeconds = 5;

}  // namespace

void Tally::Add(const Tally& other) {
    due += other.due;
    missed += other.missed;
    falseTriggers += other.falseTriggers;
    latencies.insert(latencies.end(), other.latencies.begin(), other.latencies.end());
}

Ledger::Ledger(const SimulatedDay& day) : day_(day) {
    const auto stretches = day.stretches();
    for (std::size_t i = 0; i < stretches.size(); ++i) {
        const Stretch& stretch = stretches[i];
        const std::int64_t wallMinusReal = day.WallAt(stretch.begin) - stretch.begin;
        for (const std::int64_t days : {-1, 0, 1}) {
            const std::int64_t wall = day.enteredWall() + days * kWallDay;
            const std::int64_t real = wall - wallMinusReal;
            if (real > stretch.begin && real < stretch.end) {
                arrivals_[arrivalCount_++] = {real, wall, i};
            }
        }
    }
}

void Ledger::Opened(std::int64_t real) {
    const auto stretches = day_.stretches();
    std::size_t stretch = 0;
    while (stretch + 1 < stretches.size() && real >= stretches[stretch + 1].begin) {
        ++stretch;
    }
    Arrival* last = nullptr;
    for (std::size_t i = 0; i < arrivalCount_; ++i) {
        if (arrivals_[i].stretch == stretch && arrivals_[i].real <= real) {
            last = &arrivals_[i];
        }
    }
    const std::int64_t wall = day_.WallAt(real);
    const bool inTime = last != nullptr && SecondAt(wall) - SecondAt(last->wall) <= kCatchUpSeconds;
    if (!inTime || last->opened) {
        ++falseTriggers_;
        return;
    }
    last->opened = true;
    latencies_[latencyCount_++] = static_cast<std::int32_t>(wall - last->wall);
}

void Ledger::Close(Tally& tally) const {
    tally.due += arrivalCount_;
    for (std::size_t i = 0; i < arrivalCount_; ++i) {
        tally.missed += arrivals_[i].opened ? 0u : 1u;
    }
    tally.falseTriggers += falseTriggers_;
    tally.latencies.insert(tally.latencies.end(), latencies_.begin(),
                           latencies_.begin() + static_cast<std::ptrdiff_t>(latencyCount_));
}

}  // namespace kalvoro::sim

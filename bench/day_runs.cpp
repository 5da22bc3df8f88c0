#include "day_runs.h"

#include "exact_check.h"
#include "null_ports.h"
#include "ui/program.h"
#include "wall_clock.h"

namespace kalvoro::sim {

namespace {

class SimulatedClock final : public Clock {
  public:
    LocalTime now() const override { return time; }
    LocalTime time;
};

// Keeps the delay the program asks of its clock timer and notes each
// countdown window it opens.
class TickDesktop final : public NullDesktop {
  public:
    void ArmClockTimer(std::chrono::milliseconds delay) override { clockDelay = delay; }
    void Load(WindowId) override { opened = true; }

    std::chrono::milliseconds clockDelay{0};
    bool opened = false;
};

constexpr std::chrono::milliseconds kPlainInterval{1000};

}  // namespace

void RunProgram(const SimulatedDay& day, Ledger& programLedger, Ledger& exactOnSameTicks) {
    SimulatedClock clock;
    TickDesktop desktop;
    NullPower power;
    Program program{desktop, clock, power};
    ExactTextCheck exact{day.entry()};

    clock.time = LocalTimeAt(day.WallAt(0));
    program.Start();
    program.form1().TxTChoix_Change(day.entry());
    program.form1().Activer_Click();

    std::int64_t now = 0;
    for (std::uint64_t tick = 0;; ++tick) {
        now = day.Handled(day.Expiry(day.Due(now, desktop.clockDelay)), tick);
        if (now >= day.end()) {
            return;
        }
        clock.time = LocalTimeAt(day.WallAt(now));
        desktop.opened = false;
        program.form1().Timer1_Timer();
        if (desktop.opened) {
            programLedger.Opened(now);
        }
        if (exact.Refresh(clock.time)) {
            exactOnSameTicks.Opened(now);
        }
    }
}

void RunPlainTimer(const SimulatedDay& day, Ledger& exact) {
    ExactTextCheck check{day.entry()};
    std::int64_t handledUntil = 0;
    std::int64_t expiry = day.Expiry(day.Due(0, kPlainInterval));
    for (std::uint64_t tick = 0; expiry < day.end();
         ++tick, expiry = day.Expiry(day.Due(expiry, kPlainInterval))) {
        if (expiry <= handledUntil) {
            continue;
        }
        handledUntil = day.Handled(expiry, tick);
        if (handledUntil >= day.end()) {
            return;
        }
        if (check.Refresh(LocalTimeAt(day.WallAt(handledUntil)))) {
            exact.Opened(handledUntil);
        }
    }
}

}  // namespace kalvoro::sim

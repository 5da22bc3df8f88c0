#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "null_ports.h"
#include "ui/program.h"
#include "wall_clock.h"

namespace kalvoro::sim {

// The ticks the program spends its days on, and the handler callgrind counts
// for each, as valgrind names it.
struct Workload {
    std::string name;
    std::string handler;
};
inline const std::array<Workload, 3> kWorkloads{{
    {"clock", "kalvoro::Form1::Timer1_Timer()"},
    {"bar", "kalvoro::Countdown::Timer1_Timer()"},
    {"number", "kalvoro::Countdown::Timer2_Timer()"},
}};

// The program as it spends its days: armed for a time an hour away, its clock
// ticking once a second; for the countdown's ticks, a countdown window kept
// counting, opened anew before it could finish (the bar fills on its 1312th
// tick, the number reaches -1 on its 13th). Prepare sets up the next tick;
// Tick is the one call into the core that is measured.
class SteadyProgram {
  public:
    explicit SteadyProgram(std::size_t workload) : workload_(workload) {
        clock_.time = LocalTimeAt(wall_);
        program_.Start();
        program_.form1().TxTChoix_Change("05:30:00");
        program_.form1().Activer_Click();
    }

    void Prepare() {
        if (workload_ == 0) {
            wall_ += kMicrosPerSecond;
            clock_.time = LocalTimeAt(wall_);
        } else if (ticks_++ % (workload_ == 1 ? 1300 : 13) == 0) {
            program_.form1().MnuArrêter_Click();
        }
    }
    void Tick() {
        if (workload_ == 0) {
            program_.form1().Timer1_Timer();
        } else if (workload_ == 1) {
            program_.countdown()->Timer1_Timer();
        } else {
            program_.countdown()->Timer2_Timer();
        }
    }

  private:
    std::size_t workload_;
    std::int64_t wall_ =
        (20'793LL * 86'400 + 4 * 3600 + 30 * 60) * kMicrosPerSecond;  // 2026-12-06 04:30
    FixedClock clock_;
    NullDesktop desktop_;
    NullPower power_;
    Program program_{desktop_, clock_, power_};
    int ticks_ = 0;
};

}  // namespace kalvoro::sim

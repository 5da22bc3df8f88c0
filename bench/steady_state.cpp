#include "steady_state.h"

#include "wall_clock.h"

namespace kalvoro::sim {

namespace {

// 2026-12-06 04:30:00, armed for 05:30:00.
constexpr std::int64_t kStartWall = (20'793LL * 86'400 + 4 * 3600 + 30 * 60) * kMicrosPerSecond;
constexpr std::string_view kEntry = "05:30:00";
// Both well short of the countdown's end: the bar fills on its 1312th tick,
// and the number reaches -1 on its 13th.
constexpr int kBarTicksPerCountdown = 1300;
constexpr int kNumberTicksPerCountdown = 13;

}  // namespace

const std::array<Workload, 3> kWorkloads{{
    {"clock", "kalvoro::Form1::Timer1_Timer()", &SteadyProgram::MoveClockOn,
     &SteadyProgram::ClockTick},
    {"bar", "kalvoro::Countdown::Timer1_Timer()", &SteadyProgram::KeepBarShort,
     &SteadyProgram::BarTick},
    {"number", "kalvoro::Countdown::Timer2_Timer()", &SteadyProgram::KeepNumberCounting,
     &SteadyProgram::NumberTick},
}};

const Workload* WorkloadNamed(std::string_view name) {
    for (const Workload& workload : kWorkloads) {
        if (workload.name == name) {
            return &workload;
        }
    }
    return nullptr;
}

SteadyProgram::SteadyProgram() : wall_(kStartWall) {
    clock_.time = LocalTimeAt(wall_);
    program_.Start();
    program_.form1().TxTChoix_Change(kEntry);
    program_.form1().Activer_Click();
}

void SteadyProgram::MoveClockOn() {
    wall_ += kMicrosPerSecond;
    clock_.time = LocalTimeAt(wall_);
}

void SteadyProgram::ClockTick() {
    program_.form1().Timer1_Timer();
}

void SteadyProgram::KeepBarShort() {
    if (barTicks_++ % kBarTicksPerCountdown == 0) {
        ReopenCountdown();
    }
}

void SteadyProgram::BarTick() {
    program_.countdown()->Timer1_Timer();
}

void SteadyProgram::KeepNumberCounting() {
    if (numberTicks_++ % kNumberTicksPerCountdown == 0) {
        ReopenCountdown();
    }
}

void SteadyProgram::NumberTick() {
    program_.countdown()->Timer2_Timer();
}

void SteadyProgram::ReopenCountdown() {
    program_.form1().MnuArrêter_Click();
}

}  // namespace kalvoro::sim

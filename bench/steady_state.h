#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "null_ports.h"
#include "ui/program.h"

namespace kalvoro::sim {

// The program as it spends its days: armed for a time an hour away, its clock
// ticking once a second; and, for the countdown's ticks, a countdown window
// kept counting. Each workload splits into a step that sets up the next tick
// and the tick itself, the one call into the core that is measured.
class SteadyProgram {
  public:
    SteadyProgram();
    SteadyProgram(const SteadyProgram&) = delete;
    SteadyProgram& operator=(const SteadyProgram&) = delete;

    void MoveClockOn();  // one second
    void ClockTick();
    // Both open a countdown at first, and anew before it could finish.
    void KeepBarShort();
    void BarTick();
    void KeepNumberCounting();
    void NumberTick();

  private:
    class Clock final : public kalvoro::Clock {
      public:
        LocalTime now() const override { return time; }
        LocalTime time;
    };

    void ReopenCountdown();

    Clock clock_;
    NullDesktop desktop_;
    NullPower power_;
    Program program_{desktop_, clock_, power_};
    std::int64_t wall_;
    int barTicks_ = 0;
    int numberTicks_ = 0;
};

struct Workload {
    std::string_view name;
    // The handler callgrind counts, as valgrind names it.
    std::string_view handler;
    void (SteadyProgram::*prepare)();
    void (SteadyProgram::*tick)();
};

extern const std::array<Workload, 3> kWorkloads;

const Workload* WorkloadNamed(std::string_view name);

}  // namespace kalvoro::sim

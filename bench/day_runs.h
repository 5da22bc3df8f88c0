#pragma once

#include "ledger.h"
#include "streams.h"

namespace kalvoro::sim {

// The program on the day's clock, its clock timer re-armed at every tick with
// the delay the program asks for. The exact check rides on the same ticks.
void RunProgram(const SimulatedDay& day, Ledger& program, Ledger& exactOnSameTicks);

// The exact check on a plain periodic 1000 ms timer, as a program that does
// not aim its ticks would have it. A tick that expires while the previous one
// still waits to be handled merges with it, as window timer messages do.
void RunPlainTimer(const SimulatedDay& day, Ledger& exact);

}  // namespace kalvoro::sim

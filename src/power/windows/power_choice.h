#pragma once

#include <memory>

#include "power/power_actions.h"

namespace kalvoro {

// The power actions of this executable. Two object files define it, one
// linked into each executable: the system's actions in the program, a log
// file in its test variant.
std::unique_ptr<PowerActions> MakePowerActions();

}  // namespace kalvoro

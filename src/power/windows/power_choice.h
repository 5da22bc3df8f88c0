#pragma once

#include <memory>

#include "power/power_actions.h"
#include "power/windows/power_log_file.h"
#include "power/windows/windows_power_actions.h"

namespace kalvoro {

// The power actions a Windows executable is built with: the system's, or a
// log file (kalvoro-power.log) in the variant that the end-to-end tests run.
enum class PowerBackend { System, Log };

// Inline so that a constant argument leaves the other backend out of the
// executable.
inline std::unique_ptr<PowerActions> MakePowerActions(PowerBackend backend) {
    if (backend == PowerBackend::Log) {
        return std::make_unique<LoggedPowerActions>();
    }
    return std::make_unique<WindowsPowerActions>();
}

}  // namespace kalvoro

#include "power/windows/power_choice.h"
#include "power/windows/windows_power_actions.h"

namespace kalvoro {

std::unique_ptr<PowerActions> MakePowerActions() {
    return std::make_unique<WindowsPowerActions>();
}

}  // namespace kalvoro

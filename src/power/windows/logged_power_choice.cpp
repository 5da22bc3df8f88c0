#include "power/power_log.h"
#include "power/windows/power_choice.h"
#include "power/windows/power_log_file.h"

namespace kalvoro {

std::unique_ptr<PowerActions> MakePowerActions() {
    return std::make_unique<PowerLog>(&AppendToPowerLogFile);
}

}  // namespace kalvoro

#pragma once

#include "power/power_actions.h"

namespace kalvoro {

// Power off and standby asked of Windows directly, with the shutdown
// privilege enabled first; restart handed to the system's shutdown.exe.
class WindowsPowerActions final : public PowerActions {
  public:
    void EteindreXP() override;
    void RebootXP() override;
    void AnnulerRebootXP() override;
    void VeilleXP() override;
};

}  // namespace kalvoro

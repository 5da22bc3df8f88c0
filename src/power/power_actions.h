#pragma once

namespace kalvoro {

// The computer's power management. Fire and forget: the program examines no
// result and reports no failure.
class PowerActions {
  public:
    virtual ~PowerActions() = default;
    virtual void EteindreXP() = 0;       // power off now, closing applications by force
    virtual void RebootXP() = 0;         // hand the system a restart due in 12 s
    virtual void AnnulerRebootXP() = 0;  // withdraw that restart
    virtual void VeilleXP() = 0;         // standby; returns after wake-up
};

}  // namespace kalvoro

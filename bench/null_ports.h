#pragma once

#include "power/power_actions.h"
#include "schedule/local_time.h"
#include "ui/desktop.h"

namespace kalvoro::sim {

// A desktop that does nothing: the bench looks only at what it overrides.
class NullDesktop : public Desktop {
  public:
    void Load(WindowId) override {}
    void Unload(WindowId) override {}
    void Show(WindowId) override {}
    void ShowWithoutActivating(WindowId) override {}
    void Hide(WindowId) override {}
    void SetTopmost(WindowId) override {}
    void Present(WindowId) override {}
    void ArmClockTimer(std::chrono::milliseconds) override {}
    void StartTimer(WindowId, CountdownTimer) override {}
    void StopTimer(WindowId, CountdownTimer) override {}
    void ShowMessage(std::string_view, std::string_view, int) override {}
    void AddIcon(const IconRecord&) override {}
    void DeleteIcon(const IconRecord&) override {}
    void HideFromTaskList() override {}
    std::optional<MenuCommand> PopUpMenu(MenuCommand) override { return std::nullopt; }
    void EndProgram() override {}
};

class NullPower final : public PowerActions {
  public:
    void EteindreXP() override {}
    void RebootXP() override {}
    void AnnulerRebootXP() override {}
    void VeilleXP() override {}
};

// A clock that shows what it is set to.
struct FixedClock final : Clock {
    LocalTime now() const override { return time; }
    LocalTime time;
};

}  // namespace kalvoro::sim

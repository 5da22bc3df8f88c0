#pragma once

#include "power/power_actions.h"
#include "power/restart_follow_up.h"
#include "power/windows/poll_timer.h"
#include "power/windows/system_answers.h"

namespace kalvoro {

// Power off and standby asked of Windows directly, with the shutdown
// privilege enabled first; restart handed to the system's shutdown.exe, and
// to the system itself where that command refuses its line.
class WindowsPowerActions final : public PowerActions, RestartRequest, Polled {
  public:
    WindowsPowerActions() : followUp_(*this), followUpTimer_(kFollowUpIntervalMs, *this) {}
    ~WindowsPowerActions() override;

    void EteindreXP() override;
    void RebootXP() override;
    void AnnulerRebootXP() override;
    void VeilleXP() override;

  private:
    static constexpr UINT kFollowUpIntervalMs = 100;
    void HandOver(std::chrono::seconds delay) override;
    void Taken() override { answers_.Settle(PowerRequest::Restart, TRUE); }
    bool Poll() override;

    SystemAnswers answers_{*this};
    RestartFollowUp followUp_;
    PollTimer followUpTimer_;
};

}  // namespace kalvoro

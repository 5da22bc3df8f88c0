#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

#include "power/power_actions.h"

namespace kalvoro {

// Told what the user must hear of the system's answers.
class RefusalListener {
  public:
    // A request that the system refused: the whole text of the message box.
    virtual void Refused(std::string_view message) = 0;
    // A request has been answered, whatever the answer.
    virtual void Settled() = 0;

  protected:
    ~RefusalListener() = default;
};

// The power requests as the countdowns make them, each followed until the
// system answers it. A refusal is said once, and only while its request is
// still wanted: a restart withdrawn before its refusal came says nothing.
class PowerRequests final : public PowerActions, private PowerAnswers {
  public:
    PowerRequests(PowerActions& system, RefusalListener& listener);
    PowerRequests(const PowerRequests&) = delete;
    PowerRequests& operator=(const PowerRequests&) = delete;
    ~PowerRequests() override { system_.AnswerTo(nullptr); }

    void EteindreXP() override { Ask(PowerRequest::PowerOff, &PowerActions::EteindreXP); }
    void RebootXP() override { Ask(PowerRequest::Restart, &PowerActions::RebootXP); }
    void AnnulerRebootXP() override;
    void VeilleXP() override { Ask(PowerRequest::Standby, &PowerActions::VeilleXP); }

    // Whether a request still waits for its answer.
    bool Awaiting() const { return std::ranges::any_of(awaiting_, std::identity{}); }

  private:
    void Answered(PowerRequest request, std::optional<std::string_view> refusal) override;
    void Ask(PowerRequest request, void (PowerActions::*call)());
    bool& AwaitingOf(PowerRequest request) { return awaiting_[static_cast<std::size_t>(request)]; }

    PowerActions& system_;
    RefusalListener& listener_;
    std::array<bool, 3> awaiting_{};  // in the order of PowerRequest
};

// The message box that says a refusal: exclamation mark, one OK button.
inline constexpr std::string_view kPowerRefusalTitle = "Kalvoro XP";
inline constexpr int kPowerRefusalStyle = 48;

}  // namespace kalvoro

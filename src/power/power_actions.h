#pragma once

#include <optional>
#include <string_view>

namespace kalvoro {

// The requests that the system answers: it takes them, or refuses them for a
// reason of its own.
enum class PowerRequest { PowerOff, Restart, Standby };

class PowerAnswers {
  public:
    // No refusal: the system took the request.
    virtual void Answered(PowerRequest request, std::optional<std::string_view> refusal) = 0;

  protected:
    ~PowerAnswers() = default;
};

// The computer's power management. Each EteindreXP, RebootXP and VeilleXP is
// answered once, from the window thread's event loop, never from inside the
// call itself, unless the answer is that the system took it; a withdrawn
// restart may go unanswered.
class PowerActions {
  public:
    virtual ~PowerActions() = default;
    virtual void EteindreXP() = 0;       // power off now, closing applications by force
    virtual void RebootXP() = 0;         // hand the system a restart due in 12 s
    virtual void AnnulerRebootXP() = 0;  // withdraw that restart
    virtual void VeilleXP() = 0;         // standby; returns after wake-up

    // Where the answers go from now on; none: dropped.
    void AnswerTo(PowerAnswers* answers) { answers_ = answers; }
    // For the implementation, or what answers for it.
    void Answer(PowerRequest request, std::optional<std::string_view> refusal = std::nullopt) {
        if (answers_ != nullptr) {
            answers_->Answered(request, refusal);
        }
    }

  private:
    PowerAnswers* answers_ = nullptr;
};

}  // namespace kalvoro

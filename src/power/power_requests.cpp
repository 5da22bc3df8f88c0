#include "power/power_requests.h"

#include <utility>

namespace kalvoro {

namespace {

// In the order of PowerRequest.
constexpr std::string_view kFailures[] = {
    "L'ordinateur n'a pas pu être éteint.",
    "L'ordinateur n'a pas pu être redémarré.",
    "L'ordinateur n'a pas pu être mis en veille.",
};

std::size_t IndexOf(PowerRequest request) {
    return static_cast<std::size_t>(request);
}

}  // namespace

std::string PowerRefusalMessage(PowerRequest request, std::string_view reason) {
    std::string message{kFailures[IndexOf(request)]};
    message += "\n\n";
    message += reason;
    return message;
}

PowerRequests::PowerRequests(PowerActions& system, RefusalListener& listener)
    : system_(system), listener_(listener) {
    system_.AnswerTo(this);
}

void PowerRequests::EteindreXP() {
    Ask(PowerRequest::PowerOff, &PowerActions::EteindreXP);
}

void PowerRequests::RebootXP() {
    Ask(PowerRequest::Restart, &PowerActions::RebootXP);
}

void PowerRequests::AnnulerRebootXP() {
    // The user has withdrawn it: whatever the system says of it now is moot.
    awaiting_[IndexOf(PowerRequest::Restart)] = false;
    system_.AnnulerRebootXP();
}

void PowerRequests::VeilleXP() {
    Ask(PowerRequest::Standby, &PowerActions::VeilleXP);
}

bool PowerRequests::Awaiting() const {
    for (const bool awaiting : awaiting_) {
        if (awaiting) {
            return true;
        }
    }
    return false;
}

void PowerRequests::Ask(PowerRequest request, void (PowerActions::*call)()) {
    // Marked first: the system may answer that it took it before the call returns.
    awaiting_[IndexOf(request)] = true;
    (system_.*call)();
}

void PowerRequests::Answered(PowerRequest request, std::optional<std::string_view> refusal) {
    if (!std::exchange(awaiting_[IndexOf(request)], false)) {
        return;
    }
    if (refusal) {
        listener_.Refused(PowerRefusalMessage(request, *refusal));
    }
    listener_.Settled();
}

}  // namespace kalvoro

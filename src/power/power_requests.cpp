#include "power/power_requests.h"

#include <string>
#include <utility>

namespace kalvoro {

namespace {

// What failed, a blank line, and the system's reason.
std::string PowerRefusalMessage(PowerRequest request, std::string_view reason) {
    // In the order of PowerRequest.
    static constexpr std::string_view kFailures[] = {
        "L'ordinateur n'a pas pu être éteint.",
        "L'ordinateur n'a pas pu être redémarré.",
        "L'ordinateur n'a pas pu être mis en veille.",
    };
    std::string message{kFailures[static_cast<std::size_t>(request)]};
    message += "\n\n";
    message += reason;
    return message;
}

}  // namespace

PowerRequests::PowerRequests(PowerActions& system, RefusalListener& listener)
    : system_(system), listener_(listener) {
    system_.AnswerTo(this);
}

void PowerRequests::AnnulerRebootXP() {
    // The user has withdrawn it: whatever the system says of it now is moot.
    AwaitingOf(PowerRequest::Restart) = false;
    system_.AnnulerRebootXP();
}

void PowerRequests::Ask(PowerRequest request, void (PowerActions::*call)()) {
    // Marked first: the system may answer that it took it before the call returns.
    AwaitingOf(request) = true;
    (system_.*call)();
}

void PowerRequests::Answered(PowerRequest request, std::optional<std::string_view> refusal) {
    if (!std::exchange(AwaitingOf(request), false)) {
        return;
    }
    if (refusal) {
        listener_.Refused(PowerRefusalMessage(request, *refusal));
    }
    listener_.Settled();
}

}  // namespace kalvoro

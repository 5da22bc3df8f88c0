#include "power/restart_follow_up.h"

#include <algorithm>

#include "power/command_lines.h"

namespace kalvoro {

void RestartFollowUp::Started(std::unique_ptr<StartedCommand> command,
                              std::chrono::milliseconds now) {
    followed_.push_back({std::move(command), now});
}

bool RestartFollowUp::Poll(std::chrono::milliseconds now) {
    using std::chrono::seconds;
    for (auto restart = followed_.begin(); restart != followed_.end();) {
        const CommandEnd end = restart->command->End();
        if (end == CommandEnd::Running) {
            ++restart;
            continue;
        }
        const auto ran = now - restart->started;
        restart = followed_.erase(restart);
        if (end == CommandEnd::Succeeded) {
            system_.Taken();
        } else {
            // What is left of the command's delay, in whole seconds rounded
            // up: the user never gets less time to cancel than it promised.
            handedOver_ = true;
            system_.HandOver(std::max(
                std::chrono::ceil<seconds>(seconds{kRestartDelaySeconds} - ran), seconds{1}));
        }
    }
    return !followed_.empty();
}

}  // namespace kalvoro

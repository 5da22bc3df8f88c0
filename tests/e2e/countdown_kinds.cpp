#include "countdown_kinds.h"

#include "expected_texts.h"

namespace e2e {

const CountdownKind& KindOf(Action action) {
    for (const CountdownKind& kind : kCountdownKinds) {
        if (kind.action == action) {
            return kind;
        }
    }
    return kCountdownKinds.front();
}

std::vector<std::string> LogAtOpening(const CountdownKind& kind) {
    if (kind.action == Action::Restart) {
        return {RestartLine()};
    }
    return {};
}

std::vector<std::string> LogAfterCancel(const CountdownKind& kind) {
    std::vector<std::string> log = LogAtOpening(kind);
    if (kind.action == Action::Restart) {
        log.emplace_back(kCancelRestartLine);
    }
    return log;
}

std::string About(const CountdownKind& kind, std::string_view what) {
    return std::string{kind.name} + ": " + std::string{what};
}

}  // namespace e2e

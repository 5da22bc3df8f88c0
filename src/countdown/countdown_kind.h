#pragma once

#include <string_view>

#include "countdown/window_ids.h"
#include "power/power_actions.h"
#include "schedule/schedule.h"

namespace kalvoro {

// What sets the three countdown windows apart; everything else they share.
struct CountdownKind {
    WindowId window;
    std::string_view wideSentence;    // while the number is 10 or more
    std::string_view narrowSentence;  // from the first number below 10
    using PowerStep = void (PowerActions::*)();
    PowerStep loadStep;    // right after the timers start, or none
    PowerStep finishStep;  // when the bar is full, or none
    bool staysOpen;        // after the finish: standby waits for "Fin"
    PowerStep cancelStep;  // before everything closes, or none
};

const CountdownKind& CountdownKindOf(ActionKind action);

// A sentence around the run of blanks where the number is drawn: the words
// before it, and "seconde(s) ..." after it. A sentence without a number is
// all before.
struct SentenceParts {
    std::string_view before;
    std::string_view after;
};
SentenceParts SplitAroundNumber(std::string_view sentence);

// Texts of the standby window once the computer has been sent to sleep.
inline constexpr std::string_view kStandbyFinishedSentence = "Mode mise en veille terminé";
inline constexpr std::string_view kStandbyFinishedButton = "Fin";
inline constexpr std::string_view kCancelButton = "&Annuler";

}  // namespace kalvoro

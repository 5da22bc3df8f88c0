#include "countdown/countdown_kind.h"

#include <array>

namespace kalvoro {

namespace {

// In the order of ActionKind. The number is drawn over the run of blanks in
// each sentence; the narrow sentence brings "seconde(s)" closer to a
// single-digit number.
const std::array<CountdownKind, 3> kKinds{{
    {WindowId::Form2, "Extinction de l'ordinateur dans        seconde(s) ...",
     "Extinction de l'ordinateur dans      seconde(s) ...", nullptr, &PowerActions::EteindreXP,
     false, nullptr},
    {WindowId::Form3, "Redémarrage dans :           seconde(s) ...",
     "Redémarrage dans :        seconde(s) ...", &PowerActions::RebootXP, nullptr, false,
     &PowerActions::AnnulerRebootXP},
    {WindowId::Form4, "Mise en veille dans        seconde(s) ...",
     "Mise en veille dans      seconde(s) ...", nullptr, &PowerActions::VeilleXP, true, nullptr},
}};

}  // namespace

const CountdownKind& CountdownKindOf(ActionKind action) {
    return kKinds[static_cast<std::size_t>(action)];
}

SentenceParts SplitAroundNumber(std::string_view sentence) {
    const std::size_t word = sentence.find("seconde");
    if (word == std::string_view::npos) {
        return {sentence, {}};
    }
    return {sentence.substr(0, sentence.find_last_not_of(' ', word - 1) + 1),
            sentence.substr(word)};
}

}  // namespace kalvoro

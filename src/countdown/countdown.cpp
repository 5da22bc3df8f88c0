#include "countdown/countdown.h"

#include <charconv>

namespace kalvoro {

Countdown::Countdown(const CountdownKind& kind, CountdownHost& host, AllWindows& windows,
                     PowerActions& power)
    : kind_(kind), host_(host), windows_(windows), power_(power), sentence_(kind.wideSentence) {
    WriteNumberText();
}

void Countdown::Form_Load() {
    host_.SetTopmost(kind_.window);
    SetTimer(CountdownTimer::Timer1, true);
    SetTimer(CountdownTimer::Timer2, true);
    if (kind_.loadStep != nullptr) {
        (power_.*kind_.loadStep)();
    }
}

void Countdown::Timer1_Timer() {
    // A tick already queued when the timer was stopped must not finish twice.
    if (!timer1Running_) {
        return;
    }
    bar_ = static_cast<float>(static_cast<double>(bar_) + kBarStep);
    if (bar_ >= kBarLimit) {
        Finish();
    }
}

void Countdown::Timer2_Timer() {
    if (!timer2Running_) {
        return;
    }
    host_.ShowWithoutActivating(kind_.window);
    SetNumber(number_ - 1);
}

void Countdown::Annuler_Click() {
    if (kind_.cancelStep != nullptr) {
        (power_.*kind_.cancelStep)();
    }
    windows_.CloseAllWindows();
}

std::string Countdown::Announcement() const {
    const auto [before, after] = SplitAroundNumber(sentence_);
    if (!numberVisible_ || after.empty()) {
        return std::string{sentence_};
    }
    std::string text{before};
    text.append(" ").append(Label2()).append(" ").append(after);
    return text;
}

void Countdown::SetNumber(int number) {
    number_ = number;
    WriteNumberText();
    Label2_Change();
}

void Countdown::WriteNumberText() {
    const auto result =
        std::to_chars(numberText_.data(), numberText_.data() + numberText_.size(), number_);
    numberLength_ = static_cast<std::size_t>(result.ptr - numberText_.data());
}

void Countdown::Label2_Change() {
    if (number_ < kNarrowBelow) {
        sentence_ = kind_.narrowSentence;
    }
}

void Countdown::Finish() {
    SetTimer(CountdownTimer::Timer1, false);
    SetTimer(CountdownTimer::Timer2, false);
    if (kind_.staysOpen) {
        button_ = kStandbyFinishedButton;
        numberVisible_ = false;
        sentence_ = kStandbyFinishedSentence;
        // The user sees this display when the computer wakes up.
        host_.Present(kind_.window);
    }
    if (kind_.finishStep != nullptr) {
        (power_.*kind_.finishStep)();
    }
    if (!kind_.staysOpen) {
        windows_.CloseAllWindows();
    }
}

void Countdown::SetTimer(CountdownTimer timer, bool running) {
    (timer == CountdownTimer::Timer1 ? timer1Running_ : timer2Running_) = running;
    if (running) {
        host_.StartTimer(kind_.window, timer);
    } else {
        host_.StopTimer(kind_.window, timer);
    }
}

}  // namespace kalvoro

#include "schedule/clock_text.h"

namespace kalvoro {

namespace {

// How far past the boundary a tick is aimed: enough to be on the new second
// even when the timer fires a little early.
constexpr std::chrono::milliseconds kTickMargin{10};

void PutTwoDigits(char* out, int value) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

ClockText::ClockText(const LocalTime& time) {
    PutTwoDigits(&text_[0], time.hour);
    text_[2] = ':';
    PutTwoDigits(&text_[3], time.minute);
    text_[5] = ':';
    PutTwoDigits(&text_[6], time.second);
}

std::chrono::milliseconds NextTickDelay(const LocalTime& now) {
    return std::chrono::milliseconds{1000 - now.millisecond} + kTickMargin;
}

std::chrono::milliseconds FirstTickDelay(const LocalTime& now) {
    constexpr std::chrono::milliseconds kShortest{500};
    const std::chrono::milliseconds next = NextTickDelay(now);
    return next < kShortest ? next + std::chrono::seconds{1} : next;
}

}  // namespace kalvoro

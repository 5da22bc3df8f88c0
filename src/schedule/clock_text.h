#pragma once

#include <array>
#include <chrono>
#include <string_view>

#include "schedule/local_time.h"

namespace kalvoro {

// The clock as the main window shows it and as the entry is compared with:
// always 24-hour "HH:mm:ss" with leading zeros, whatever the regional format,
// so that a well-formed entry can always come due.
class ClockText {
  public:
    explicit ClockText(const LocalTime& time);
    std::string_view view() const { return {text_.data(), text_.size()}; }

  private:
    std::array<char, 8> text_{};
};

// Delay to ask of the clock timer so that its next tick lands just after the
// next second boundary instead of drifting through the second.
std::chrono::milliseconds NextTickDelay(const LocalTime& now);

// Delay of the first tick after start: also just past a second boundary, but
// half a second at least, so that the clock field's placeholder is seen for
// about a second rather than for a few milliseconds.
std::chrono::milliseconds FirstTickDelay(const LocalTime& now);

}  // namespace kalvoro

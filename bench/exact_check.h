#pragma once

#include <array>
#include <string_view>

#include "schedule/local_time.h"

namespace kalvoro::sim {

// The plain trigger the program is measured against: at each refresh the
// clock text "hh:mm:ss" is written; when it changes, it is compared with the
// entry, character for character, and a countdown opens when they are equal.
class ExactTextCheck {
  public:
    explicit ExactTextCheck(std::string_view entry);

    // A refresh reading `now`; true when it opens a countdown.
    bool Refresh(const LocalTime& now);

  private:
    std::array<char, 8> entry_{};
    std::array<char, 8> shown_{};
};

}  // namespace kalvoro::sim

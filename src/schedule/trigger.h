#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "schedule/local_time.h"

namespace kalvoro {

// Decides at each clock refresh whether the entered second has come.
//
// A refresh may come late or two may fall in one second. The entered second
// counts as reached when it lies in the short interval since the previous
// refresh, once for each occurrence. After a long gap (the computer slept, the
// clock was set forward) or when the clock went back, only a refresh inside
// the entered second itself counts: nothing fires for seconds passed meanwhile.
class Trigger {
  public:
    // The longest interval between two refreshes that is still a late tick.
    static constexpr std::int64_t kMaxLateSeconds = 5;

    // Called at each refresh with the entry as it stands and the time read.
    bool Reached(std::string_view entry, const LocalTime& now);

  private:
    std::optional<std::int64_t> previous_;  // local second of the last refresh
};

}  // namespace kalvoro

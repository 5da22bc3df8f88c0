#pragma once

#include "schedule/local_time.h"

namespace kalvoro::qt {

// The computer's local wall clock.
class SystemClock final : public Clock {
  public:
    LocalTime now() const override;
};

}  // namespace kalvoro::qt

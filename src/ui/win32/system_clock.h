#pragma once

#include "schedule/local_time.h"

namespace kalvoro::win32 {

// The local wall clock of Windows.
class SystemClock final : public Clock {
  public:
    LocalTime now() const override;
};

}  // namespace kalvoro::win32

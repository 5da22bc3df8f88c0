#pragma once

#include <functional>

namespace kalvoro {
class Program;
}

namespace kalvoro::qt {

// Where the windows hand what the user and the timers did: the event's
// handler runs in the core, then every window shows the core's new state.
class CoreEvents {
  public:
    virtual void Deliver(const std::function<void(Program&)>& handler) = 0;
    // Every window shows the core's state again, with no event: for a window
    // that comes back in sight, or has more to show than before.
    virtual void Refresh() = 0;

  protected:
    ~CoreEvents() = default;
};

}  // namespace kalvoro::qt

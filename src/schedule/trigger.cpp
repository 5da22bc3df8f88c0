#include "schedule/trigger.h"

#include <utility>

#include "schedule/time_entry.h"

namespace kalvoro {

namespace {

std::int64_t SecondOfDay(std::int64_t localSeconds) {
    return ((localSeconds % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
}

}  // namespace

bool Trigger::Reached(std::string_view entry, const LocalTime& now) {
    const std::int64_t current = LocalSeconds(now);
    const std::optional<std::int64_t> previous = std::exchange(previous_, current);
    const std::optional<int> entered = EntrySecondOfDay(entry);
    if (!entered) {
        return false;
    }
    const std::int64_t elapsed = previous ? current - *previous : -1;
    if (elapsed < 0 || elapsed > kMaxLateSeconds) {
        return SecondOfDay(current) == *entered;
    }
    // Seconds previous + 1 .. current: is the entered one among them?
    const std::int64_t offset = SecondOfDay(*entered - (*previous + 1));
    return offset < elapsed;
}

}  // namespace kalvoro

#pragma once

#include <optional>
#include <string_view>

namespace kalvoro::fuzz {

// The rule for an entry, told another way: an entry is well-formed exactly
// when it is one of the 86 400 texts "00:00:00" to "23:59:59" that the clock
// can show, and it names the second of the day that shows it.
std::optional<int> ClockTextSecond(std::string_view entry);

}  // namespace kalvoro::fuzz

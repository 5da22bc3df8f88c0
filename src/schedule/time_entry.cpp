#include "schedule/time_entry.h"

namespace kalvoro {

namespace {

// Two decimal digits starting at `at`, or nothing. Signs, blanks and decimal
// separators are refused: such an entry could never equal the clock text.
std::optional<int> TwoDigits(std::string_view text, std::size_t at) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!isDigit(text[at]) || !isDigit(text[at + 1])) {
        return std::nullopt;
    }
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

}  // namespace

std::optional<int> EntrySecondOfDay(std::string_view entry) {
    if (entry.size() != 8 || entry[2] != ':' || entry[5] != ':') {
        return std::nullopt;
    }
    const auto hour = TwoDigits(entry, 0);
    const auto minute = TwoDigits(entry, 3);
    const auto second = TwoDigits(entry, 6);
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    return *hour * 3600 + *minute * 60 + *second;
}

std::string_view VerifierHeure(std::string_view entry) {
    return EntrySecondOfDay(entry) ? kVerdictOui : std::string_view{};
}

}  // namespace kalvoro

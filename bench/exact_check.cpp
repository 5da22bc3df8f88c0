#include "exact_check.h"

#include <algorithm>

namespace kalvoro::sim {

ExactTextCheck::ExactTextCheck(std::string_view entry) {
    std::copy_n(entry.begin(), std::min(entry.size(), entry_.size()), entry_.begin());
}

bool ExactTextCheck::Refresh(const LocalTime& now) {
    std::array<char, 8> text{};
    const int fields[] = {now.hour, now.minute, now.second};
    for (std::size_t i = 0; i < 3; ++i) {
        text[3 * i] = static_cast<char>('0' + fields[i] / 10);
        text[3 * i + 1] = static_cast<char>('0' + fields[i] % 10);
        if (i < 2) {
            text[3 * i + 2] = ':';
        }
    }
    if (text == shown_) {
        return false;
    }
    shown_ = text;
    return text == entry_;
}

}  // namespace kalvoro::sim

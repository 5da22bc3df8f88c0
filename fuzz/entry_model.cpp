#include "entry_model.h"

#include <cstdio>
#include <string>
#include <unordered_map>

namespace kalvoro::fuzz {

namespace {

std::unordered_map<std::string, int> AllClockTexts() {
    std::unordered_map<std::string, int> texts;
    for (int second = 0; second < 24 * 60 * 60; ++second) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", second / 3600, second / 60 % 60,
                      second % 60);
        texts.emplace(text, second);
    }
    return texts;
}

}  // namespace

std::optional<int> ClockTextSecond(std::string_view entry) {
    static const std::unordered_map<std::string, int> texts = AllClockTexts();
    if (entry.size() != 8) {
        return std::nullopt;  // as every clock text is; spares building a string
    }
    const auto found = texts.find(std::string{entry});
    if (found == texts.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace kalvoro::fuzz

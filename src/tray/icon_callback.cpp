#include "tray/icon_callback.h"

namespace kalvoro {

std::optional<unsigned> IconMouseMessage(std::uintptr_t secondParameter, ClientPoint pointer) {
    const auto x = static_cast<std::int16_t>(secondParameter & 0xFFFFu);
    const auto y = static_cast<std::int16_t>((secondParameter >> 16) & 0xFFFFu);
    if (x == pointer.x && y == pointer.y) {
        return std::nullopt;
    }
    return MouseMessageOf(secondParameter);
}

}  // namespace kalvoro

#pragma once

#include <cstdint>
#include <optional>

namespace kalvoro {

// The pointer's position when a message was posted, in the client
// coordinates of the window that receives it.
struct ClientPoint {
    int x;
    int y;
};

// The mouse message that an icon callback carries in its second parameter.
constexpr unsigned MouseMessageOf(std::uintptr_t secondParameter) {
    return static_cast<unsigned>(secondParameter & 0xFFFFu);
}

// The icon's callback is the main window's own mouse-move message. A real move
// carries the point where the pointer stands (x and y as signed words); a
// callback carries the icon's mouse message instead, which does not match the
// pointer. So a real move over a wide client area is never taken for a click.
// Returns the icon's mouse message, or nothing for a real move.
std::optional<unsigned> IconMouseMessage(std::uintptr_t secondParameter, ClientPoint pointer);

}  // namespace kalvoro

#pragma once

#include <functional>
#include <string_view>

#include "countdown/window_ids.h"

namespace kalvoro::layout {

// Width in pixels of a text as the countdown's sentence font draws it (UTF-8 in).
using TextWidth = std::function<int(std::string_view text)>;

// Left edge, in pixels from the client area, of a countdown window's number label.
int NumberLeftPixels(WindowId window, int dpi, const TextWidth& width);

}  // namespace kalvoro::layout

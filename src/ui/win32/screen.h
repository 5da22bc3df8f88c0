#pragma once

#include <windows.h>

#include "ui/layout.h"

namespace kalvoro::win32 {

// Dots per inch of the screen, as the program (DPI-aware by its manifest) sees it.
int ScreenDpi();

RECT PixelRect(const layout::Box& box, int dpi);

// The outer rectangle of a window whose client area has the layout's size,
// placed where the layout puts it or centred on the screen.
RECT OuterRect(const layout::WindowLayout& layout, DWORD style, DWORD exStyle, int dpi);

}  // namespace kalvoro::win32

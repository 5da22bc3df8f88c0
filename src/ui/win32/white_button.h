#pragma once

#include <windows.h>

namespace kalvoro::win32 {

// Draws an owner-drawn push button with a white face, raised or pressed,
// with the dark frame of the default button and the focus rectangle.
void DrawWhiteButton(const DRAWITEMSTRUCT& item, bool isDefault);

}  // namespace kalvoro::win32

#pragma once

#include <windows.h>

#include <optional>

#include "tray/menu1.h"

namespace kalvoro::win32 {

// Pops up the icon's menu at the pointer and waits until it closes; returns
// the item chosen, if any.
std::optional<MenuCommand> PopUpMenu1(HWND owner, const Menu1Items& items, MenuCommand defaultItem);

}  // namespace kalvoro::win32

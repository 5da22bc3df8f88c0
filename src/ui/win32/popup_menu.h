#pragma once

#include <windows.h>

#include <optional>

#include "tray/menu1.h"
#include "ui/form1.h"

namespace kalvoro::win32 {

// Pops up the main window's menu, built from kMenu1, at the pointer, and
// waits until it closes; returns the item chosen, if any.
std::optional<MenuCommand> PopUpMenu1(HWND owner, const Form1& form1, MenuCommand defaultItem);

}  // namespace kalvoro::win32

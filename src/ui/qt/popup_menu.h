#pragma once

#include <optional>

#include "tray/menu1.h"

class QAction;
class QMenu;

namespace kalvoro {
class Form1;
}

namespace kalvoro::qt {

// Menu1 as a pop-up menu, item for item from the core's table: the captions
// with their access keys, the enabled states that Form1 holds, and the
// default item, which the style draws in bold.
void FillMenu1(QMenu& menu, const Form1& form1, MenuCommand defaultItem);

// The item an action of that menu stands for.
std::optional<MenuCommand> CommandOf(const QAction* action);

}  // namespace kalvoro::qt

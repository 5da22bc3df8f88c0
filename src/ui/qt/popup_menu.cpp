#include "ui/qt/popup_menu.h"

#include <QMenu>

#include "ui/form1.h"
#include "ui/qt/layout_widgets.h"

namespace kalvoro::qt {

void FillMenu1(QMenu& menu, const Form1& form1, MenuCommand defaultItem) {
    for (const MenuItem& item : kMenu1) {
        QAction* action = menu.addAction(FromUtf8(item.caption));
        action->setData(static_cast<unsigned>(item.command));
        action->setEnabled(form1.MenuItemEnabled(item.command));
        if (item.command == defaultItem) {
            menu.setDefaultAction(action);
        }
    }
}

std::optional<MenuCommand> CommandOf(const QAction* action) {
    if (action == nullptr) {
        return std::nullopt;
    }
    return MenuCommandFromId(action->data().toUInt());
}

}  // namespace kalvoro::qt

#include "ui/qt/popup_menu.h"

#include <QKeyEvent>

#include "ui/form1.h"
#include "ui/qt/layout_widgets.h"

namespace kalvoro::qt {

Menu1Popup::Menu1Popup(const Form1& form1, MenuCommand defaultItem) {
    setObjectName(QStringLiteral("Menu1"));
    for (const MenuItem& item : kMenu1) {
        QAction* action = addAction(FromUtf8(item.caption));
        action->setData(static_cast<unsigned>(item.command));
        if (item.command == defaultItem) {
            setDefaultAction(action);
        }
    }
    Refresh(form1);
}

void Menu1Popup::Refresh(const Form1& form1) {
    for (QAction* action : actions()) {
        action->setEnabled(form1.MenuItemEnabled(*CommandOf(action)));
    }
}

void Menu1Popup::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && activeAction() == nullptr) {
        close();
        return;
    }
    QMenu::keyPressEvent(event);
}

std::optional<MenuCommand> CommandOf(const QAction* action) {
    if (action == nullptr) {
        return std::nullopt;
    }
    return MenuCommandFromId(action->data().toUInt());
}

}  // namespace kalvoro::qt

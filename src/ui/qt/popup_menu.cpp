#include "ui/qt/popup_menu.h"

#include <QKeyEvent>

#include "ui/qt/layout_widgets.h"

namespace kalvoro::qt {

Menu1Popup::Menu1Popup(const Menu1Items& items, MenuCommand defaultItem) {
    setObjectName(QStringLiteral("Menu1"));
    for (const MenuItem& item : items) {
        QAction* action = addAction(FromUtf8(item.caption));
        action->setData(static_cast<unsigned>(item.command));
        if (item.command == defaultItem) {
            setDefaultAction(action);
        }
    }
    Refresh(items);
}

void Menu1Popup::Refresh(const Menu1Items& items) {
    const QList<QAction*> shown = actions();
    for (std::size_t i = 0; i < items.size(); ++i) {
        shown[static_cast<qsizetype>(i)]->setEnabled(items[i].enabled);
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

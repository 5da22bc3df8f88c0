#pragma once

#include <QMenu>
#include <optional>

#include "tray/menu1.h"

namespace kalvoro::qt {

// Menu1 as a pop-up menu, item for item as the core gives it: the captions
// with their access keys, the enabled states, and the default item, which
// the style draws in bold. Enter with no item highlighted closes it and
// chooses nothing, as on Windows; Qt's own menu would highlight the first
// item that can be chosen.
class Menu1Popup final : public QMenu {
    Q_OBJECT

  public:
    Menu1Popup(const Menu1Items& items, MenuCommand defaultItem);

    // The enabled states as they are now.
    void Refresh(const Menu1Items& items);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The item an action of that menu stands for.
std::optional<MenuCommand> CommandOf(const QAction* action);

}  // namespace kalvoro::qt

#pragma once

#include <QSystemTrayIcon>
#include <memory>

#include "ui/qt/icon_host.h"
#include "ui/qt/popup_menu.h"

namespace kalvoro::qt {

// An icon in the desktop's notification area. Its left click is the left
// button press and its context request the right button release that the
// icon reports to Form1; nothing else reaches Form1. The main window hides
// and, once off the task list, is a tool window without a taskbar entry.
//
// Where the area is a StatusNotifierItem host, some hosts show the item's own
// menu rather than ask for a context menu (the GNOME extension does, for
// either button): the icon then also exports Menu1 as the program's pop-up
// shows it, kept up to date, and an item chosen there reaches Form1 as a
// choice in its menu.
class TrayIconHost final : public QObject, public IconHost {
    Q_OBJECT

  public:
    TrayIconHost(QWidget& mainWindow, const Form1& form1, Sinks sinks);

    void Add(const IconRecord& record) override;
    void Delete() override;
    void HideMainWindow() override;
    void HideFromTaskList() override;
    void Refresh(const Form1& form1) override;

  private:
    void Activated(QSystemTrayIcon::ActivationReason reason);

    QWidget& mainWindow_;
    Sinks sinks_;
    QSystemTrayIcon* icon_;                 // a child of the main window, "IconeNotif"
    std::unique_ptr<Menu1Popup> exported_;  // for a StatusNotifierItem host only
};

}  // namespace kalvoro::qt

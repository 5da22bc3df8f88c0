#pragma once

#include <QSystemTrayIcon>

#include "ui/qt/icon_host.h"

namespace kalvoro::qt {

// An icon in the desktop's notification area. Its left click is the left
// button press and its context request the right button release that the
// icon reports to Form1; nothing else reaches Form1. The main window hides
// and, once off the task list, is a tool window without a taskbar entry.
class TrayIconHost final : public QObject, public IconHost {
    Q_OBJECT

  public:
    TrayIconHost(QWidget& mainWindow, MouseMessageSink sink);

    void Add(const IconRecord& record) override;
    void Delete() override;
    void HideMainWindow() override;
    void HideFromTaskList() override;

  private:
    void Activated(QSystemTrayIcon::ActivationReason reason);

    QWidget& mainWindow_;
    MouseMessageSink sink_;
    QSystemTrayIcon* icon_;  // a child of the main window, "IconeNotif"
};

}  // namespace kalvoro::qt

#include "ui/qt/icon_host.h"

#include <QSystemTrayIcon>

#include "ui/qt/tray_icon_host.h"
#include "ui/qt/window_icon_host.h"

namespace kalvoro::qt {

NotificationArea DesktopNotificationArea() {
    return QSystemTrayIcon::isSystemTrayAvailable() ? NotificationArea::SystemTray
                                                    : NotificationArea::MainWindow;
}

std::unique_ptr<IconHost> MakeIconHost(NotificationArea area, QWidget& mainWindow,
                                       const Form1& form1, IconHost::Sinks sinks) {
    if (area == NotificationArea::SystemTray) {
        return std::make_unique<TrayIconHost>(mainWindow, form1, std::move(sinks));
    }
    return std::make_unique<WindowIconHost>(mainWindow, std::move(sinks.mouse));
}

}  // namespace kalvoro::qt

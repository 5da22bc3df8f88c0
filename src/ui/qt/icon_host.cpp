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
                                       IconHost::MouseMessageSink sink) {
    if (area == NotificationArea::SystemTray) {
        return std::make_unique<TrayIconHost>(mainWindow, std::move(sink));
    }
    return std::make_unique<WindowIconHost>(mainWindow, std::move(sink));
}

}  // namespace kalvoro::qt

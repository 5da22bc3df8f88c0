// Kalvoro XP on a Linux desktop: the Qt front end over the platform-free
// core, with the power actions handed to systemd-logind.
#include <QApplication>

#include "power/logind/logind_power.h"
#include "ui/qt/front_end.h"
#include "ui/qt/system_clock.h"

int main(int argc, char* argv[]) {
    // Where Wayland desktops run Xwayland (GNOME, KDE Plasma), X11 lets the
    // countdown stand at its corner above the other windows; Wayland gives a
    // program neither. A platform that the user chose stays.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication application(argc, argv);
    // Ties the windows and the icon to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(KALVORO_APP_ID));
    // The program goes on with no window shown, waiting in the notification
    // area; it ends when the core closes its last window.
    QApplication::setQuitOnLastWindowClosed(false);

    kalvoro::qt::SystemClock clock;
    kalvoro::LogindPower power;
    kalvoro::qt::FrontEnd frontEnd(clock, power);
    frontEnd.Start();
    return QApplication::exec();
}

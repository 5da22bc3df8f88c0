// Kalvoro XP on a Linux desktop: the Qt front end over the platform-free
// core, with the power actions handed to systemd-logind.
#include <QApplication>

#include "power/logind/logind_power.h"
#include "ui/qt/front_end.h"
#include "ui/qt/system_clock.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The program goes on with no window shown, waiting in the notification
    // area; it ends when the core closes its last window.
    QApplication::setQuitOnLastWindowClosed(false);

    kalvoro::qt::SystemClock clock;
    kalvoro::LogindPower power;
    kalvoro::qt::FrontEnd frontEnd(clock, power);
    frontEnd.Start();
    return QApplication::exec();
}

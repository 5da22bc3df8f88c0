#pragma once

#include "ui/program.h"
#include "ui/qt/icon_host.h"
#include "ui/qt/qt_desktop.h"

namespace kalvoro::qt {

// The program on a Qt desktop: the core wired to Qt's windows, timers and
// notification area.
class FrontEnd {
  public:
    FrontEnd(const Clock& clock, PowerActions& power,
             NotificationArea area = DesktopNotificationArea());

    // Loads the main window.
    void Start() { program_.Start(); }
    Program& program() { return program_; }
    const Program& program() const { return program_; }

  private:
    QtDesktop desktop_;
    Program program_;
};

}  // namespace kalvoro::qt

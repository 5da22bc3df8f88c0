#pragma once

#include <QTimer>

#include "ui/desktop.h"
#include "ui/qt/layout_window.h"

namespace kalvoro {
class Countdown;
}

namespace kalvoro::qt {

class CoreEvents;

// A countdown window, Form2 to Form4: an always-on-top strip in the top-left
// corner without a taskbar entry, its frame reduced to a close box where the
// window manager allows. Its two timers and its button go to the open
// Countdown's handlers; Refresh shows the Countdown's state.
class CountdownWindow final : public LayoutWindow {
    Q_OBJECT

  public:
    CountdownWindow(WindowId window, CoreEvents& events, int dpi);

    QTimer& Timer(CountdownTimer timer);
    void Refresh(const Countdown& countdown);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Deliver(void (Countdown::*handler)());

    CoreEvents& events_;
    int dpi_;
    QTimer barTimer_;
    QTimer numberTimer_;
};

}  // namespace kalvoro::qt

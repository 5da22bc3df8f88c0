#pragma once

#include <QTimer>

#include "ui/desktop.h"
#include "ui/qt/layout_window.h"

namespace kalvoro {
class Countdown;
}

namespace kalvoro::qt {

class CoreEvents;
class CountdownNotice;

// A countdown window, Form2 to Form4: an always-on-top strip in the top-left
// corner without a taskbar entry, its frame reduced to a close box where the
// window manager allows. Its two timers and its button go to the open
// Countdown's handlers; Refresh shows the Countdown's state. Where it does
// not reach the user's sight, a notification announces it too
// (CountdownNotice).
class CountdownWindow final : public LayoutWindow {
    Q_OBJECT

  public:
    // `announced`: on a desktop where the window may open out of sight, the
    // notification comes at once; elsewhere only if the window, once opened,
    // proves out of sight (SightCheck).
    CountdownWindow(WindowId window, CoreEvents& events, int dpi, bool announced);

    QTimer& Timer(CountdownTimer timer);
    void Refresh(const Countdown& countdown);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Deliver(void (Countdown::*handler)());
    // The notification, whose texts come with the next Refresh.
    void StartNotice();

    CoreEvents& events_;
    int dpi_;
    QTimer barTimer_;
    QTimer numberTimer_;
    CountdownNotice* notice_ = nullptr;  // a child
};

}  // namespace kalvoro::qt

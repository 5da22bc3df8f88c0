#pragma once

#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "power/power_log.h"
#include "schedule/local_time.h"
#include "ui/qt/front_end.h"

class QMenu;

namespace kalvoro::qt::testing {

// A clock that stands still where the test puts it.
class SetClock final : public Clock {
  public:
    LocalTime now() const override { return time; }
    // One millisecond before a second boundary: the clock timer, aimed just
    // past the next boundary, then ticks every few milliseconds.
    LocalTime time{2026, 12, 6, 4, 30, 24, 999};
};

// The program started on Qt's widgets, with the clock above and power actions
// that only write down what they would do ("EteindreXP", "RebootXP ...").
class Harness {
  public:
    explicit Harness(NotificationArea area = NotificationArea::SystemTray);

    const Program& program() const { return frontEnd_.program(); }
    // Types the entry into the main window and presses "Activer".
    void ArmWithButton(const QString& entry);
    // Moves the clock to that second of 04:30; the next clock tick reads it.
    void SetSecond(int second) { clock_.time.second = second; }
    const std::vector<std::string>& powerCalls() const { return powerCalls_; }

    QSystemTrayIcon* Icon() const;
    // The icon's activation, as the desktop reports a click on it.
    void ClickIcon(QSystemTrayIcon::ActivationReason reason) const;
    void RightClickIcon() const { ClickIcon(QSystemTrayIcon::Context); }

  private:
    SetClock clock_;
    std::vector<std::string> powerCalls_;
    PowerLog power_{[this](std::string_view line) { powerCalls_.emplace_back(line); }};
    FrontEnd frontEnd_;
};

// The program's window of that name ("Form1" to "Form4"): the shown one if
// any, for a closed one may wait for its deletion.
QWidget* Window(const QString& name);

template <typename Widget>
Widget* ControlOf(const QString& window, const QString& control) {
    QWidget* top = Window(window);
    return top != nullptr ? top->findChild<Widget*>(control) : nullptr;
}

// While it lives, hands each pop-up menu that opens (and waits in its own
// loop) to `choose`, which picks an item or dismisses the menu.
class MenuWatcher {
  public:
    explicit MenuWatcher(std::function<void(QMenu&)> choose);
    MenuWatcher(const MenuWatcher&) = delete;
    MenuWatcher& operator=(const MenuWatcher&) = delete;

    int opened() const { return opened_; }

  private:
    QTimer poll_;
    QPointer<QMenu> last_;
    int opened_ = 0;
};

// Clicks the menu item with that caption.
void ClickItem(QMenu& menu, const QString& caption);

// The next modal dialog, once it is open; nullptr if none came in time.
QWidget* WaitForModal();

}  // namespace kalvoro::qt::testing

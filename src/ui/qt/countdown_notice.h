#pragma once

#include <QObject>
#include <QString>

namespace kalvoro::qt {

// Whether this desktop keeps a countdown window where the program puts it and
// above the other windows, full-screen ones included: an X11 desktop, or
// GNOME or KDE Plasma under Wayland through Xwayland. Qt's Wayland platform
// can do neither, and compositors such as sway place and stack even
// Xwayland's windows themselves.
bool CountdownStaysInSight();

// Where the countdown may open out of sight, it is also announced by a
// desktop notification (org.freedesktop.Notifications), which such desktops
// show above a full-screen window: the countdown's sentence with its number,
// kept up to date, and its button as an action that does what the button
// does. The notification goes with the window, its parent.
class CountdownNotice final : public QObject {
    Q_OBJECT

  public:
    explicit CountdownNotice(QObject* window);
    ~CountdownNotice() override;

    // The countdown's sentence with its number, and its button.
    void Show(const QString& text, const QString& button);
    // Nothing was shown yet.
    bool Blank() const { return body_.isEmpty(); }

  signals:
    void ButtonPressed();

  private slots:
    void ActionInvoked(uint id, const QString& action);

  private:
    void Notify();

    uint id_ = 0;           // the daemon's, once it has answered
    bool waiting_ = false;  // for that answer
    bool stale_ = false;    // changed meanwhile
    QString body_;
    QString button_;
};

}  // namespace kalvoro::qt

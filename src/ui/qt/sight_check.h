#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace kalvoro::qt {

// Shows a window un-minimised, raised and with the focus: an opener's show.
void BringForward(QWidget& window);

// Whether a window that has just opened reached the user. Some window
// managers refuse a window that takes the focus (KWin's focus-stealing
// prevention at "High" opens it minimised), and only the platform's later
// word tells. Half a second after it opens, a window that is minimised, not
// exposed on the screen or was never given the focus is brought forward once
// more; if half a second later it still is, OutOfSight is emitted. A window
// that the program itself has hidden meanwhile is left alone.
class SightCheck final : public QObject {
    Q_OBJECT

  public:
    explicit SightCheck(QWidget& window);  // a child of the window

  signals:
    void OutOfSight();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool InSight() const;
    void Check();

    QWidget& window_;
    QTimer delay_;
    bool activated_ = false;  // given the focus since it opened
    bool broughtForward_ = false;
};

}  // namespace kalvoro::qt

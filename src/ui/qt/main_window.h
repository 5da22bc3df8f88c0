#pragma once

#include <QPixmap>

#include "ui/qt/layout_window.h"

namespace kalvoro {
class Form1;
}

namespace kalvoro::qt {

class CoreEvents;

// The main window, Form1: its controls' signals go to Form1's handlers, and
// Refresh shows what Form1 holds while the window is in sight; hidden or
// minimised, it is brought up to date as it comes back. The background
// picture is drawn unscaled from the top-left corner, so only its upper-left
// part shows.
class MainWindow final : public LayoutWindow {
    Q_OBJECT

  public:
    MainWindow(CoreEvents& events, int dpi);

    void Refresh(const Form1& form1);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void ConnectControls();
    void Deliver(void (Form1::*handler)());

    CoreEvents& events_;
    QPixmap background_;
};

}  // namespace kalvoro::qt

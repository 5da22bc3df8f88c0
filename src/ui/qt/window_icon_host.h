#pragma once

#include <QObject>

#include "ui/qt/icon_host.h"

namespace kalvoro::qt {

// For a desktop without a notification area. Hiding the main window would
// leave no way back to it, so the window is minimised instead and keeps its
// taskbar entry; while the icon is "added", a context request in the main
// window stands for the icon's right button release and opens the same menu.
class WindowIconHost final : public QObject, public IconHost {
    Q_OBJECT

  public:
    WindowIconHost(QWidget& mainWindow, MouseMessageSink sink);

    void Add(const IconRecord& record) override;
    void Delete() override;
    void HideMainWindow() override;
    void HideFromTaskList() override;
    void Refresh(const Form1&) override {}  // the menu is the program's own pop-up alone

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& mainWindow_;
    MouseMessageSink sink_;
    bool added_ = false;
};

}  // namespace kalvoro::qt

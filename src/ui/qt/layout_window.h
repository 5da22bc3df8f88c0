#pragma once

#include <QWidget>
#include <vector>

#include "ui/layout.h"

class QPushButton;

namespace kalvoro::qt {

// A top-level window made from its layout table: fixed client size, colour,
// default font and every control, in tab order. Enter presses the push
// button that has the focus, or else the window's default button.
class LayoutWindow : public QWidget {
    Q_OBJECT

  public:
    LayoutWindow(const layout::WindowLayout& layout, int dpi, Qt::WindowFlags flags);

    WindowId id() const { return id_; }
    QWidget& Control(layout::ControlId id) const;
    template <typename Widget>
    Widget& ControlAs(layout::ControlId id) const {
        return *qobject_cast<Widget*>(&Control(id));
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    WindowId id_;
    std::vector<std::pair<layout::ControlId, QWidget*>> controls_;
    QPushButton* defaultButton_ = nullptr;
};

// Sets a window flag and keeps the client area where it was: Qt would put
// the window back by its frame's corner, which moves the client area by the
// frame's thickness once a window manager has framed it.
void SetWindowFlagInPlace(QWidget& window, Qt::WindowType flag);

}  // namespace kalvoro::qt

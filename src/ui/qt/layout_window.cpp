#include "ui/qt/layout_window.h"

#include <QKeyEvent>
#include <QPushButton>

#include "ui/qt/layout_widgets.h"

namespace kalvoro::qt {

LayoutWindow::LayoutWindow(const layout::WindowLayout& layout, int dpi, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), id_(layout.window) {
    setObjectName(QStringLiteral("Form%1").arg(static_cast<int>(id_) + 1));
    // Qt puts the program's name into an empty title; a blank keeps it empty.
    setWindowTitle(layout.title.empty() ? QStringLiteral(" ") : FromUtf8(layout.title));
    setFixedSize(layout::TwipsToPixels(layout.clientWidth, dpi),
                 layout::TwipsToPixels(layout.clientHeight, dpi));
    setFont(FontOf(layout.defaultFont, dpi));
    // A place given before the native window exists is taken by Qt for the
    // frame's, which the window manager then moves by the title bar's height
    // when the window comes back; a native window takes it for the client
    // area's, as the layout means it.
    winId();
    FillBackground(*this, layout.background);
    for (const layout::Control& control : layout.controls) {
        QWidget* widget = CreateControl(control, *this, dpi);
        controls_.emplace_back(control.id, widget);
        if ((control.flags & layout::kDefaultButton) != 0) {
            defaultButton_ = qobject_cast<QPushButton*>(widget);
        }
    }
}

QWidget& LayoutWindow::Control(layout::ControlId id) const {
    for (const auto& [controlId, widget] : controls_) {
        if (controlId == id) {
            return *widget;
        }
    }
    Q_UNREACHABLE();
}

void LayoutWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (QPushButton* button = focused != nullptr ? focused : defaultButton_) {
        button->click();
    }
}

void SetWindowFlagInPlace(QWidget& window, Qt::WindowType flag) {
    const QRect place = window.geometry();
    window.setWindowFlag(flag);
    window.setGeometry(place);
}

}  // namespace kalvoro::qt

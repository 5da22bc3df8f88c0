#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include "ui/layout.h"

class QWidget;

namespace kalvoro::qt {

// The logical dots per inch of the primary screen, the density at which
// twips become the pixels of widget coordinates.
int ScreenDpi();

QRect PixelRect(const layout::Box& box, int dpi);

// The font a layout names, at the layout's pixel height for that density. A
// face the system lacks is replaced by the first one present of a list of
// faces with close widths, so that the countdown's number still stands in
// the gap of blanks that was measured for the original face.
QFont FontOf(const layout::Font& font, int dpi);

// A control of a layout table made into a widget of `parent`: its kind,
// name, text, place, font, colours and settings.
QWidget* CreateControl(const layout::Control& control, QWidget& parent, int dpi);

// Paints a widget's background in a layout's colour.
void FillBackground(QWidget& widget, const layout::Colour& colour);

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kalvoro::qt

#include "ui/qt/layout_widgets.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace kalvoro::qt {

namespace {

using layout::Colour;
using layout::ControlKind;

// Sans-serif faces whose letters are about as wide as the original's.
const QStringList kSubstituteFaces{QStringLiteral("Microsoft Sans Serif"),
                                   QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                   QStringLiteral("Arial")};

QColor QColorOf(const Colour& colour) {
    switch (colour.source) {
        case Colour::Source::Rgb:
            return QColor::fromRgb(static_cast<QRgb>(colour.rgb));
        case Colour::Source::ButtonText:
            return QApplication::palette().color(QPalette::ButtonText);
        case Colour::Source::Default:
        case Colour::Source::Transparent:
            break;
    }
    return {};
}

// A field framed by a one-pixel black line instead of the style's sunken
// frame. Drawn here, not by a style sheet: the clock's field repaints once a
// second, and a sheet's rules would be matched and drawn at each of them.
class FlatBorderField final : public QLineEdit {
  public:
    FlatBorderField(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
        setFrame(false);
        setTextMargins(1, 1, 1, 1);
        // Its panel and line cover it: nothing behind it is painted first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        // Four filled strips: a stroked rectangle, even with a cosmetic pen,
        // costs about as much as the field's text.
        QPainter painter(this);
        const int w = width();
        const int h = height();
        for (const QRect& side :
             {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 0, 1, h), QRect(w - 1, 0, 1, h)}) {
            painter.fillRect(side, Qt::black);
        }
    }
};

QWidget* CreateWidget(const layout::Control& control, QWidget& parent) {
    const QString text = FromUtf8(control.text);
    switch (control.kind) {
        case ControlKind::TextField: {
            auto* field = (control.flags & layout::kFlatBorder) != 0
                              ? new FlatBorderField(text, &parent)
                              : new QLineEdit(text, &parent);
            field->setReadOnly((control.flags & layout::kReadOnly) != 0);
            if ((control.flags & layout::kCentred) != 0) {
                field->setAlignment(Qt::AlignCenter);
            }
            return field;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(text, &parent);
            label->setTextFormat(Qt::PlainText);
            // Captions start at the top of their box, so that the number and
            // the sentence share one line; a caption never wraps.
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(text, &parent);
            option->setChecked((control.flags & layout::kSelected) != 0);
            return option;
        }
        case ControlKind::PushButton:
            return new QPushButton(text, &parent);
    }
    return nullptr;
}

void ApplyColours(const layout::Control& control, QWidget& widget) {
    QPalette palette = widget.palette();
    if (const QColor foreground = QColorOf(control.foreground); foreground.isValid()) {
        for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            palette.setColor(role, foreground);
        }
    }
    if (const QColor background = QColorOf(control.background); background.isValid()) {
        // A field's background is its base; a button's face is its own background.
        const bool field = control.kind == ControlKind::TextField;
        palette.setColor(field ? QPalette::Base : widget.backgroundRole(), background);
        widget.setAutoFillBackground(control.kind == ControlKind::Label ||
                                     control.kind == ControlKind::OptionButton);
    }
    widget.setPalette(palette);
}

}  // namespace

int ScreenDpi() {
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
}

QRect PixelRect(const layout::Box& box, int dpi) {
    return {layout::TwipsToPixels(box.left, dpi), layout::TwipsToPixels(box.top, dpi),
            layout::TwipsToPixels(box.width, dpi), layout::TwipsToPixels(box.height, dpi)};
}

QFont FontOf(const layout::Font& font, int dpi) {
    QFont qfont;
    qfont.setFamilies(QStringList{FromUtf8(font.name)} + kSubstituteFaces);
    qfont.setPixelSize(layout::FontPixelHeight(font, dpi));
    qfont.setBold(font.bold);
    return qfont;
}

QWidget* CreateControl(const layout::Control& control, QWidget& parent, int dpi) {
    QWidget* widget = CreateWidget(control, parent);
    widget->setObjectName(FromUtf8(control.name));
    widget->setGeometry(PixelRect(control.place, dpi));
    if (control.font != nullptr) {
        widget->setFont(FontOf(*control.font, dpi));
    }
    ApplyColours(control, *widget);
    if ((control.flags & layout::kHidden) != 0) {
        widget->setFocusPolicy(Qt::NoFocus);
        widget->hide();
    }
    return widget;
}

void FillBackground(QWidget& widget, const layout::Colour& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColorOf(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace kalvoro::qt

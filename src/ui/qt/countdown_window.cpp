#include "ui/qt/countdown_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "ui/number_place.h"
#include "ui/program.h"
#include "ui/qt/core_events.h"
#include "ui/qt/countdown_notice.h"
#include "ui/qt/layout_widgets.h"
#include "ui/qt/sight_check.h"

namespace kalvoro::qt {

namespace {

using layout::ControlId;

constexpr Qt::WindowFlags kFrame = Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Labels and buttons are written only when their text changes: the bar's
// timer refreshes the window a hundred times a second.
template <typename Widget>
bool SetText(Widget& widget, std::string_view text) {
    const QString shown = FromUtf8(text);
    if (widget.text() == shown) {
        return false;
    }
    widget.setText(shown);
    return true;
}

// The number's left edge, from the sentence font's own widths: the layout
// places the number for another font.
int NumberLeft(WindowId window, int dpi, const QLabel& sentence) {
    const QFontMetrics metrics(sentence.font());
    return layout::NumberLeftPixels(window, dpi, [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(FromUtf8(text));
    });
}

}  // namespace

CountdownWindow::CountdownWindow(WindowId window, CoreEvents& events, int dpi, bool announced)
    : LayoutWindow(layout::LayoutOf(window), dpi, kFrame), events_(events), dpi_(dpi) {
    const layout::WindowLayout& windowLayout = layout::LayoutOf(window);
    if (windowLayout.clientOrigin) {
        // The place is the client area's; the frame, if any, goes around it.
        setGeometry(QRect(QPoint(layout::TwipsToPixels(windowLayout.clientOrigin->x, dpi),
                                 layout::TwipsToPixels(windowLayout.clientOrigin->y, dpi)),
                          size()));
    }
    barTimer_.setTimerType(Qt::PreciseTimer);
    barTimer_.setInterval(kTimer1Interval);
    numberTimer_.setInterval(kTimer2Interval);
    connect(&barTimer_, &QTimer::timeout, this, [this] { Deliver(&Countdown::Timer1_Timer); });
    connect(&numberTimer_, &QTimer::timeout, this, [this] { Deliver(&Countdown::Timer2_Timer); });
    connect(&ControlAs<QPushButton>(ControlId::Annuler), &QPushButton::clicked, this,
            [this] { Deliver(&Countdown::Annuler_Click); });
    auto& number = ControlAs<QLabel>(ControlId::Number);
    number.move(NumberLeft(window, dpi, ControlAs<QLabel>(ControlId::Sentence)), number.y());
    Control(ControlId::Annuler).setFocus();
    if (announced) {
        StartNotice();
    } else {
        connect(new SightCheck(*this), &SightCheck::OutOfSight, this, [this] {
            StartNotice();
            events_.Refresh();
        });
    }
}

void CountdownWindow::StartNotice() {
    notice_ = new CountdownNotice(this);
    connect(notice_, &CountdownNotice::ButtonPressed, this,
            [this] { Deliver(&Countdown::Annuler_Click); });
}

QTimer& CountdownWindow::Timer(CountdownTimer timer) {
    return timer == CountdownTimer::Timer1 ? barTimer_ : numberTimer_;
}

void CountdownWindow::Deliver(void (Countdown::*handler)()) {
    const WindowId window = id();
    events_.Deliver([window, handler](Program& program) {
        // A tick or a click queued before this window was unloaded finds no
        // countdown, or another one.
        if (Countdown* countdown = program.countdown(window)) {
            (countdown->*handler)();
        }
    });
}

void CountdownWindow::Refresh(const Countdown& countdown) {
    bool changed = SetText(ControlAs<QLabel>(ControlId::Sentence), countdown.Label3());
    auto& number = ControlAs<QLabel>(ControlId::Number);
    changed = SetText(number, countdown.Label2()) || changed;
    if (number.isVisibleTo(this) != countdown.Label2Visible()) {
        number.setVisible(countdown.Label2Visible());
        changed = true;
    }
    changed = SetText(ControlAs<QPushButton>(ControlId::Annuler), countdown.Annuler()) || changed;
    // Once a second, not at each bar tick; and at once for a new notification.
    if (notice_ != nullptr && (changed || notice_->Blank())) {
        notice_->Show(FromUtf8(countdown.Announcement()), FromUtf8(countdown.Annuler()));
    }
    QWidget& bar = Control(ControlId::Bar);
    if (const int width = layout::TwipsToPixels(countdown.Label1Width(), dpi_);
        bar.width() != width) {
        bar.resize(width, bar.height());
    }
}

void CountdownWindow::closeEvent(QCloseEvent* event) {
    const WindowId window = id();
    bool unloaded = false;
    events_.Deliver([window, &unloaded](Program& program) {
        program.CloseBox(window);
        unloaded = !program.Loaded(window);
    });
    event->setAccepted(unloaded);
}

}  // namespace kalvoro::qt

// The windows as Qt builds them from the shared layout tables, at several
// densities: every control's place, text, colours, font and settings, and
// the countdown number inside its gap of blanks as the real font measures it.
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "countdown/countdown.h"
#include "countdown/countdown_kind.h"
#include "power/power_log.h"
#include "ui/qt/core_events.h"
#include "ui/qt/countdown_window.h"
#include "ui/qt/main_window.h"

namespace kalvoro::qt::testing {

namespace {

using layout::ControlKind;

// Windows built here are not attached to a program: events go nowhere.
class NoEvents final : public CoreEvents {
  public:
    void Deliver(const std::function<void(Program&)>&) override {}
};

class NoHost final : public CountdownHost {
  public:
    void SetTopmost(WindowId) override {}
    void StartTimer(WindowId, CountdownTimer) override {}
    void StopTimer(WindowId, CountdownTimer) override {}
    void Present(WindowId) override {}
    void ShowWithoutActivating(WindowId) override {}
    void CloseAllWindows() override {}
};

std::unique_ptr<LayoutWindow> Build(WindowId window, CoreEvents& events, int dpi) {
    if (window == WindowId::Form1) {
        return std::make_unique<MainWindow>(events, dpi);
    }
    return std::make_unique<CountdownWindow>(window, events, dpi);
}

QColor ColourOf(const layout::Colour& colour) {
    return QColor::fromRgb(static_cast<QRgb>(colour.rgb));
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void VerifyControl(const LayoutWindow& window, const layout::Control& control, int dpi) {
    auto* widget = window.findChild<QWidget*>(Utf8(control.name));
    QVERIFY2(widget != nullptr, control.name.data());
    const auto pixels = [dpi](layout::Twips twips) { return layout::TwipsToPixels(twips, dpi); };
    const layout::Box& box = control.place;
    QRect expected(pixels(box.left), pixels(box.top), pixels(box.width), pixels(box.height));
    // The number's left edge follows the font at hand: numberStandsInTheGap.
    if (control.id == layout::ControlId::Number) {
        expected.moveLeft(widget->x());
    }
    QCOMPARE(widget->geometry(), expected);
    QCOMPARE(widget->property("text").toString(), Utf8(control.text));
    if (control.foreground.source == layout::Colour::Source::Rgb) {
        const QPalette::ColorRole role =
            control.kind == ControlKind::TextField ? QPalette::Text : QPalette::WindowText;
        QCOMPARE(widget->palette().color(role), ColourOf(control.foreground));
    }
    if (control.background.source == layout::Colour::Source::Rgb) {
        const QPalette::ColorRole role = control.kind == ControlKind::TextField ? QPalette::Base
                                         : control.kind == ControlKind::PushButton
                                             ? QPalette::Button
                                             : QPalette::Window;
        QCOMPARE(widget->palette().color(role), ColourOf(control.background));
    }
    const layout::Font& font =
        control.font != nullptr ? *control.font : layout::LayoutOf(window.id()).defaultFont;
    QCOMPARE(widget->font().pixelSize(), layout::FontPixelHeight(font, dpi));
    QCOMPARE(widget->font().bold(), font.bold);
    QCOMPARE(widget->isVisibleTo(&window), (control.flags & layout::kHidden) == 0);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(field->isReadOnly(), (control.flags & layout::kReadOnly) != 0);
        QCOMPARE((field->alignment() & Qt::AlignHCenter) != 0,
                 (control.flags & layout::kCentred) != 0);
    }
    if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        QCOMPARE(option->isChecked(), (control.flags & layout::kSelected) != 0);
    }
}

// The number's digits lie inside the run of blanks before "seconde(s)",
// with at least one blank to spare on the right if asked.
void VerifyNumberInTheGap(const QLabel& sentence, const QLabel& number, bool spare) {
    const QString text = sentence.text();
    const qsizetype gapEnd = text.indexOf(QStringLiteral("seconde(s)"));
    qsizetype gapStart = gapEnd;
    while (gapStart > 0 && text[gapStart - 1] == u' ') {
        --gapStart;
    }
    const QFontMetricsF metrics(sentence.font());
    const qreal gapLeft = sentence.x() + metrics.horizontalAdvance(text.left(gapStart));
    const qreal gapRight = sentence.x() + metrics.horizontalAdvance(text.left(gapEnd)) -
                           (spare ? metrics.horizontalAdvance(u' ') : 0);
    const qreal digitsRight =
        number.x() + QFontMetricsF(number.font()).horizontalAdvance(number.text());
    // Pixel widths are whole: the digits may reach under a pixel further.
    QVERIFY2(gapLeft < number.x() && digitsRight < gapRight + 1,
             qPrintable(QStringLiteral("\"%1\" lies at %2..%3, the gap at %4..%5")
                            .arg(number.text())
                            .arg(number.x())
                            .arg(digitsRight)
                            .arg(gapLeft)
                            .arg(gapRight)));
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void windowsFollowTheLayoutTables_data();
    void windowsFollowTheLayoutTables();
    void numberStandsInTheGap_data();
    void numberStandsInTheGap();
};

void LayoutTest::windowsFollowTheLayoutTables_data() {
    QTest::addColumn<WindowId>("window");
    QTest::addColumn<int>("dpi");
    for (const int dpi : {96, 144}) {
        for (const WindowId window :
             {WindowId::Form1, WindowId::Form2, WindowId::Form3, WindowId::Form4}) {
            QTest::addRow("Form%d at %d dpi", static_cast<int>(window) + 1, dpi) << window << dpi;
        }
    }
}

void LayoutTest::windowsFollowTheLayoutTables() {
    QFETCH(WindowId, window);
    QFETCH(int, dpi);
    NoEvents events;
    const auto built = Build(window, events, dpi);
    const layout::WindowLayout& table = layout::LayoutOf(window);
    QCOMPARE(built->size(), QSize(layout::TwipsToPixels(table.clientWidth, dpi),
                                  layout::TwipsToPixels(table.clientHeight, dpi)));
    QCOMPARE(built->minimumSize(), built->maximumSize());
    QCOMPARE(built->windowTitle().trimmed(), Utf8(table.title));
    QCOMPARE(built->palette().color(QPalette::Window), ColourOf(table.background));
    if (table.clientOrigin) {
        QCOMPARE(built->geometry().topLeft(),
                 QPoint(layout::TwipsToPixels(table.clientOrigin->x, dpi),
                        layout::TwipsToPixels(table.clientOrigin->y, dpi)));
    }
    for (const layout::Control& control : table.controls) {
        VerifyControl(*built, control, dpi);
    }
}

void LayoutTest::numberStandsInTheGap_data() {
    QTest::addColumn<ActionKind>("action");
    QTest::addColumn<int>("dpi");
    for (const int dpi : {96, 120, 144, 192}) {
        for (const ActionKind action :
             {ActionKind::PowerOff, ActionKind::Restart, ActionKind::Standby}) {
            QTest::addRow("Form%d at %d dpi", static_cast<int>(CountdownKindOf(action).window) + 1,
                          dpi)
                << action << dpi;
        }
    }
}

void LayoutTest::numberStandsInTheGap() {
    QFETCH(ActionKind, action);
    QFETCH(int, dpi);
    NoEvents events;
    NoHost host;
    PowerLog power([](std::string_view) {});
    const CountdownKind& kind = CountdownKindOf(action);
    Countdown countdown(kind, host, power);
    CountdownWindow window(kind.window, events, dpi);
    countdown.Form_Load();
    const auto& sentence = *window.findChild<QLabel*>(QStringLiteral("Label3"));
    const auto& number = *window.findChild<QLabel*>(QStringLiteral("Label2"));
    // "12" and "9" (the first narrow sentence) with a blank to spare, "0" and "-1".
    for (const auto& [ticks, spare] : {std::pair{0, true}, {3, true}, {9, false}, {1, false}}) {
        for (int tick = 0; tick < ticks; ++tick) {
            countdown.Timer2_Timer();
        }
        window.Refresh(countdown);
        VerifyNumberInTheGap(sentence, number, spare);
    }
}

}  // namespace kalvoro::qt::testing

QTEST_MAIN(kalvoro::qt::testing::LayoutTest)
#include "layout_test.moc"

// What a countdown window binds on Qt's offscreen platform: its activation,
// its keys, its timers and its close box, with power actions that only write
// down what they would do.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "qt_harness.h"
#include "ui/program.h"

namespace kalvoro::qt::testing {

namespace {

// How long a countdown may take on a loaded machine: 1312 bar ticks of 10 ms.
constexpr int kCountdownTimeout = 120'000;

// Another program's window, which has the focus when a countdown opens.
class OtherWindow final : public QWidget {
  public:
    OtherWindow() {
        show();
        activateWindow();
        (void)QTest::qWaitForWindowActive(this);
    }
};

// Opens that countdown from the icon's menu, as the user would, while
// another window has the focus.
QWidget* Open(Harness& harness, const QString& item, const QString& window) {
    harness.ArmWithButton(QStringLiteral("23:59:59"));
    OtherWindow other;
    MenuWatcher watcher([&item](QMenu& menu) { ClickItem(menu, item); });
    harness.RightClickIcon();
    return Window(window);
}

}  // namespace

class CountdownWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void frameIsAToolWindowWithACloseBoxOnly();
    void firstShowActivatesAndNumberTicksDoNot();
    void keysOfTheActiveWindowPressAnnuler_data();
    void keysOfTheActiveWindowPressAnnuler();
    void standbyTimersRunToTheFinishAndFinEnds();
    void closeBoxStopsTheCountdownAndNothingElse();
};

void CountdownWindowTest::frameIsAToolWindowWithACloseBoxOnly() {
    Harness harness;
    const Qt::WindowFlags flags =
        Open(harness, QStringLiteral("A&rrêter l'ordinateur"), QStringLiteral("Form2"))
            ->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void CountdownWindowTest::firstShowActivatesAndNumberTicksDoNot() {
    Harness harness;
    QWidget* countdown =
        Open(harness, QStringLiteral("Mettre en &Veille"), QStringLiteral("Form4"));
    // Offscreen, every window is activated as it is shown; under X11 this
    // attribute would keep the window manager from giving it the focus.
    QVERIFY(!countdown->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(QTest::qWaitForWindowActive(countdown));
    OtherWindow other;
    QVERIFY(QTest::qWaitForWindowActive(&other));
    auto* number = countdown->findChild<QLabel*>(QStringLiteral("Label2"));
    QTRY_COMPARE(number->text(), QStringLiteral("11"));
    QTRY_COMPARE(number->text(), QStringLiteral("10"));
    QCOMPARE(QApplication::activeWindow(), &other);
}

void CountdownWindowTest::keysOfTheActiveWindowPressAnnuler_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Enter") << int{Qt::Key_Return} << Qt::KeyboardModifiers{};
    QTest::newRow("Alt+A") << int{Qt::Key_A} << Qt::KeyboardModifiers{Qt::AltModifier};
}

void CountdownWindowTest::keysOfTheActiveWindowPressAnnuler() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Harness harness;
    QWidget* countdown =
        Open(harness, QStringLiteral("&Redémarrer l'ordinateur"), QStringLiteral("Form3"));
    QVERIFY(QTest::qWaitForWindowActive(countdown));
    // The keys go where the desktop sends them: to the window with the focus.
    QTest::keyClick(QGuiApplication::focusWindow(), static_cast<Qt::Key>(key), modifiers);
    QTRY_VERIFY(harness.program().Ended());
    QCOMPARE(harness.powerCalls().size(), std::size_t{2});
    QVERIFY(harness.powerCalls()[0].starts_with("RebootXP Shutdown -r -t 12"));
    QCOMPARE(harness.powerCalls()[1], "AnnulerRebootXP Shutdown -a");
}

void CountdownWindowTest::standbyTimersRunToTheFinishAndFinEnds() {
    Harness harness;
    QWidget* countdown =
        Open(harness, QStringLiteral("Mettre en &Veille"), QStringLiteral("Form4"));
    auto* button = countdown->findChild<QPushButton*>(QStringLiteral("Annuler"));
    QTRY_COMPARE_WITH_TIMEOUT(button->text(), QStringLiteral("Fin"), kCountdownTimeout);
    QCOMPARE(harness.powerCalls(), std::vector<std::string>{"VeilleXP"});
    QVERIFY(!countdown->findChild<QLabel*>(QStringLiteral("Label2"))->isVisible());
    QVERIFY(countdown->findChild<QLabel*>(QStringLiteral("Label1"))->width() >= countdown->width());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(harness.program().Ended());
}

void CountdownWindowTest::closeBoxStopsTheCountdownAndNothingElse() {
    Harness harness;
    QVERIFY(
        Open(harness, QStringLiteral("A&rrêter l'ordinateur"), QStringLiteral("Form2"))->close());
    QVERIFY(!harness.program().Loaded(WindowId::Form2));
    QVERIFY(!harness.program().Ended());
    QVERIFY(harness.powerCalls().empty());
}

}  // namespace kalvoro::qt::testing

QTEST_MAIN(kalvoro::qt::testing::CountdownWindowTest)
#include "countdown_window_test.moc"

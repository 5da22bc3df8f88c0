// The countdown windows on Qt's offscreen platform, in real time: armed from
// the main window, triggered by the clock, counted down to their finish,
// with power actions that only write down what they would do.
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "qt_harness.h"
#include "ui/program.h"

namespace kalvoro::qt::testing {

namespace {

const QString kForm1 = QStringLiteral("Form1");

// How long a countdown may take on a loaded machine: 1312 bar ticks of 10 ms.
constexpr int kCountdownTimeout = 120'000;

QLabel* Sentence(const QString& window) {
    return ControlOf<QLabel>(window, QStringLiteral("Label3"));
}
QLabel* Number(const QString& window) {
    return ControlOf<QLabel>(window, QStringLiteral("Label2"));
}
QPushButton* Annuler(const QString& window) {
    return ControlOf<QPushButton>(window, QStringLiteral("Annuler"));
}

// The number's digits lie inside the run of blanks before "seconde(s)", and
// the sentence's letters inside its box.
void VerifyNumberStandsInTheGap(const QString& window) {
    const QLabel* sentence = Sentence(window);
    const QLabel* number = Number(window);
    const QString text = sentence->text();
    const qsizetype gapEnd = text.indexOf(QStringLiteral("seconde(s)"));
    qsizetype gapStart = gapEnd;
    while (gapStart > 0 && text[gapStart - 1] == u' ') {
        --gapStart;
    }
    const QFontMetricsF sentenceMetrics(sentence->font());
    const qreal gapLeft = sentence->x() + sentenceMetrics.horizontalAdvance(text.left(gapStart));
    const qreal gapRight = sentence->x() + sentenceMetrics.horizontalAdvance(text.left(gapEnd));
    const qreal digitsRight =
        number->x() + QFontMetricsF(number->font()).horizontalAdvance(number->text());
    QVERIFY2(gapLeft < number->x() && digitsRight < gapRight,
             qPrintable(QStringLiteral("%1 lies at %2..%3, the gap at %4..%5")
                            .arg(number->text())
                            .arg(number->x())
                            .arg(digitsRight)
                            .arg(gapLeft)
                            .arg(gapRight)));
    QVERIFY(sentenceMetrics.tightBoundingRect(text).right() <= sentence->width());
}

}  // namespace

class CountdownWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void triggerCountsDownToTheFinish_data();
    void triggerCountsDownToTheFinish();
    void standbyWaitsForFinAfterItsFinish();
    void cancellingTheRestartWithdrawsIt();
    void closeBoxStopsTheCountdownAndNothingElse();

  private:
    // Arms the schedule for 04:30:25 with that option and lets the clock
    // reach it, which opens that countdown window.
    void Trigger(Harness& harness, const QString& option, WindowId window);
};

void CountdownWindowTest::Trigger(Harness& harness, const QString& option, WindowId window) {
    QTest::mouseClick(ControlOf<QRadioButton>(kForm1, option), Qt::LeftButton);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    QVERIFY(!harness.program().form1().MnuActiverEnabled());
    harness.SetSecond(25);
    QTRY_VERIFY(harness.program().Loaded(window));
}

void CountdownWindowTest::triggerCountsDownToTheFinish_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("window");
    QTest::addColumn<WindowId>("id");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QString>("wide");
    QTest::addColumn<QString>("narrow");
    QTest::addColumn<QStringList>("powerCalls");
    QTest::newRow("power off") << "Arrêter"
                               << "Form2" << WindowId::Form2 << QPoint(3, 18)
                               << "Extinction de l'ordinateur dans        seconde(s) ..."
                               << "Extinction de l'ordinateur dans      seconde(s) ..."
                               << QStringList{"EteindreXP"};
    QTest::newRow("restart") << "Reboot"
                             << "Form3" << WindowId::Form3 << QPoint(3, 19)
                             << "Redémarrage dans :           seconde(s) ..."
                             << "Redémarrage dans :        seconde(s) ..."
                             << QStringList{"RebootXP"};
}

void CountdownWindowTest::triggerCountsDownToTheFinish() {
    QFETCH(QString, option);
    QFETCH(QString, window);
    QFETCH(WindowId, id);
    QFETCH(QPoint, place);
    QFETCH(QString, wide);
    QFETCH(QString, narrow);
    QFETCH(QStringList, powerCalls);
    Harness harness;
    Trigger(harness, option, id);

    QVERIFY(Shown(window));
    QWidget* countdown = Window(window);
    QCOMPARE(countdown->geometry(), QRect(place, QSize(476, 54)));
    QVERIFY(countdown->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(countdown->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QCOMPARE(Number(window)->text(), QStringLiteral("12"));
    QCOMPARE(Sentence(window)->text(), wide);
    QCOMPARE(Annuler(window)->text(), QStringLiteral("&Annuler"));
    QVERIFY(Window(kForm1)->isMinimized());
    VerifyNumberStandsInTheGap(window);
    auto* bar = ControlOf<QLabel>(window, QStringLiteral("Label1"));
    QCOMPARE(bar->geometry().topLeft(), QPoint(0, 32));
    QVERIFY(bar->width() <= 2);

    QTRY_COMPARE_WITH_TIMEOUT(Number(window)->text(), QStringLiteral("9"), kCountdownTimeout);
    QCOMPARE(Sentence(window)->text(), narrow);
    VerifyNumberStandsInTheGap(window);
    QVERIFY(bar->width() > 1);

    QTRY_VERIFY_WITH_TIMEOUT(harness.program().Ended(), kCountdownTimeout);
    QStringList called;
    for (const std::string& line : harness.powerCalls()) {
        called << QString::fromStdString(line).section(u' ', 0, 0);
    }
    QCOMPARE(called, powerCalls);
    QVERIFY(!Shown(kForm1));
    QVERIFY(!Shown(window));
}

void CountdownWindowTest::standbyWaitsForFinAfterItsFinish() {
    Harness harness;
    Trigger(harness, QStringLiteral("Veille"), WindowId::Form4);
    const QString window = QStringLiteral("Form4");
    QCOMPARE(Window(window)->geometry(), QRect(3, 19, 476, 54));
    QCOMPARE(Sentence(window)->text(), QStringLiteral("Mise en veille dans        seconde(s) ..."));
    VerifyNumberStandsInTheGap(window);

    QTRY_COMPARE_WITH_TIMEOUT(Annuler(window)->text(), QStringLiteral("Fin"), kCountdownTimeout);
    QCOMPARE(harness.powerCalls(), std::vector<std::string>{"VeilleXP"});
    QCOMPARE(Sentence(window)->text(), QStringLiteral("Mode mise en veille terminé"));
    QVERIFY(!Number(window)->isVisible());
    QVERIFY(ControlOf<QLabel>(window, QStringLiteral("Label1"))->width() >= 476);
    QVERIFY(Shown(window));
    QVERIFY(!harness.program().Ended());

    QTest::mouseClick(Annuler(window), Qt::LeftButton);
    QVERIFY(harness.program().Ended());
    QCOMPARE(harness.powerCalls().size(), std::size_t{1});
}

void CountdownWindowTest::cancellingTheRestartWithdrawsIt() {
    Harness harness;
    Trigger(harness, QStringLiteral("Reboot"), WindowId::Form3);
    QCOMPARE(harness.powerCalls().size(), std::size_t{1});
    // The window opens without taking the focus; once the user has made it
    // active, Alt+A, the button's access key, presses it.
    QWidget* countdown = Window(QStringLiteral("Form3"));
    countdown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(countdown));
    QTest::keyClick(countdown->windowHandle(), Qt::Key_A, Qt::AltModifier);
    // The button shows itself pressed for a moment before it clicks.
    QTRY_VERIFY(harness.program().Ended());
    QCOMPARE(harness.powerCalls().size(), std::size_t{2});
    QVERIFY(harness.powerCalls()[0].starts_with("RebootXP Shutdown -r -t 12"));
    QCOMPARE(harness.powerCalls()[1], "AnnulerRebootXP Shutdown -a");
    QVERIFY(!Shown(QStringLiteral("Form3")));
}

void CountdownWindowTest::closeBoxStopsTheCountdownAndNothingElse() {
    Harness harness;
    Trigger(harness, QStringLiteral("Arrêter"), WindowId::Form2);
    QVERIFY(Window(QStringLiteral("Form2"))->close());
    QVERIFY(!harness.program().Loaded(WindowId::Form2));
    QVERIFY(!harness.program().Ended());
    QVERIFY(!Shown(QStringLiteral("Form2")));
    QVERIFY(Window(kForm1)->isMinimized());
    QVERIFY(harness.powerCalls().empty());
}

}  // namespace kalvoro::qt::testing

QTEST_MAIN(kalvoro::qt::testing::CountdownWindowTest)
#include "countdown_window_test.moc"

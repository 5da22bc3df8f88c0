// What the main window binds on Qt's offscreen platform: its controls'
// events to Form1's handlers, its frame, and how it shows the program's texts.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "qt_harness.h"
#include "ui/program.h"

namespace kalvoro::qt::testing {

namespace {

const QString kForm1 = QStringLiteral("Form1");

template <typename Widget = QWidget>
Widget* Control(const char* name) {
    return ControlOf<Widget>(kForm1, QString::fromUtf8(name));
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void frameHasACloseBoxOnly();
    void clockTimerRefreshesTheClock();
    void entryClearsOnAClickAndReportsTyping();
    void enterInTheEntryPressesActiver();
    void optionClicksAndArrowKeysSelect();
    void refusalShowsItsBoxAndTheWholeExampleFromItsStart();
    void closeBoxEndsTheProgram();
};

void MainWindowTest::frameHasACloseBoxOnly() {
    Harness harness;
    const Qt::WindowFlags flags = Window(kForm1)->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void MainWindowTest::clockTimerRefreshesTheClock() {
    Harness harness;
    auto* clock = Control<QLineEdit>("TxtHeure");
    QTRY_COMPARE(clock->text(), QStringLiteral("04:30:24"));
    harness.SetSecond(25);
    QTRY_COMPARE(clock->text(), QStringLiteral("04:30:25"));
}

void MainWindowTest::entryClearsOnAClickAndReportsTyping() {
    Harness harness;
    auto* entry = Control<QLineEdit>("TxTChoix");
    QTest::mouseClick(entry, Qt::LeftButton);
    QCOMPARE(entry->text(), QString());
    QTest::keyClicks(entry, QStringLiteral("04:30:25"));
    QTest::keyClick(entry, Qt::Key_Backspace);
    QCOMPARE(harness.program().form1().TxTChoix(), "04:30:2");
    QTest::mouseClick(entry, Qt::LeftButton);
    QCOMPARE(harness.program().form1().TxTChoix(), "");
}

void MainWindowTest::enterInTheEntryPressesActiver() {
    Harness harness;
    auto* entry = Control<QLineEdit>("TxTChoix");
    QTest::mouseClick(entry, Qt::LeftButton);
    QTest::keyClicks(entry, QStringLiteral("04:30:25"));
    QTest::keyClick(entry, Qt::Key_Return);
    QVERIFY(!harness.program().form1().MnuActiverEnabled());
}

void MainWindowTest::optionClicksAndArrowKeysSelect() {
    Harness harness;
    const Form1& form1 = harness.program().form1();
    struct Step {
        const char* clicked;  // or nullptr: the key below, in the option group
        Qt::Key key;
        ActionKind selected;
        const char* option;
    };
    const Step steps[] = {
        {nullptr, Qt::Key_Down, ActionKind::Restart, "Reboot"},
        {nullptr, Qt::Key_Down, ActionKind::Standby, "Veille"},
        {nullptr, Qt::Key_Up, ActionKind::Restart, "Reboot"},
        {nullptr, Qt::Key_Up, ActionKind::PowerOff, "Arrêter"},
        {"Label2", {}, ActionKind::Restart, "Reboot"},
        {"Veille", {}, ActionKind::Standby, "Veille"},
        {"Label3", {}, ActionKind::PowerOff, "Arrêter"},
    };
    // The option group's tab stop is its selected button.
    QVERIFY(QTest::qWaitForWindowActive(Window(kForm1)));
    Control("Arrêter")->setFocus();
    for (const Step& step : steps) {
        if (step.clicked != nullptr) {
            QTest::mouseClick(Control(step.clicked), Qt::LeftButton);
        } else {
            QTest::keyClick(Window(kForm1)->focusWidget(), step.key);
        }
        QCOMPARE(form1.SelectedOption(), step.selected);
        QVERIFY(Control<QRadioButton>(step.option)->isChecked());
    }
    // The three circles are drawn alike, away from the focus.
    Control("TxtHeure")->setFocus();
    const auto circle = [](const char* name) {
        return Control(name)->grab(QRect(0, 0, 17, 17)).toImage();
    };
    QCOMPARE(circle("Reboot"), circle("Veille"));
}

void MainWindowTest::refusalShowsItsBoxAndTheWholeExampleFromItsStart() {
    Harness harness;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&icon] {
        auto* box = qobject_cast<QMessageBox*>(WaitForModal());
        QVERIFY(box != nullptr);
        icon = box->icon();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(Control("Activer"), Qt::LeftButton);
    QCOMPARE(icon, QMessageBox::Information);
    auto* entry = Control<QLineEdit>("TxTChoix");
    QCOMPARE(entry->text(),
             QStringLiteral("Exemple :                                    04:30:25"));
    // Wider than the field: shown from "Exemple", not scrolled to its end.
    QCOMPARE(entry->cursorPosition(), 0);
}

void MainWindowTest::closeBoxEndsTheProgram() {
    Harness harness;
    QVERIFY(Window(kForm1)->close());
    QVERIFY(harness.program().Ended());
}

}  // namespace kalvoro::qt::testing

QTEST_MAIN(kalvoro::qt::testing::MainWindowTest)
#include "main_window_test.moc"

// The main window on Qt's offscreen platform: its controls as laid out at
// 96 dpi, and what its controls deliver to the core.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "qt_harness.h"
#include "ui/program.h"

namespace kalvoro::qt::testing {

const QString kForm1 = QStringLiteral("Form1");

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void controlsStandAtTheirPlacesWithTheirTexts_data();
    void controlsStandAtTheirPlacesWithTheirTexts();
    void windowIsAFixedTopmostPanelWithoutMinimiseOrMaximise();
    void fieldsAreGreenOnBlackAndOptionCaptionsGreenBold();
    void clockShowsItsPlaceholderUntilTheFirstTick();
    void clickIntoTheEntryClearsIt();
    void typedEntryReachesTheCore();
    void optionLabelsSelectTheirOption();
    void malformedEntryIsRefusedWithAnInformationBox();
    void enterInTheEntryPressesActiver();
    void closeBoxEndsTheProgram();
};

void MainWindowTest::controlsStandAtTheirPlacesWithTheirTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("place");
    QTest::newRow("clock") << "TxtHeure"
                           << "Heure Système" << QRect(8, 8, 113, 21);
    QTest::newRow("entry") << "TxTChoix"
                           << "Définissez ici une heure (hh:mm:ss)" << QRect(128, 8, 225, 21);
    QTest::newRow("heading") << "Label1"
                             << "Action à exécuter à l'heure définie :" << QRect(8, 40, 249, 17);
    QTest::newRow("power off option") << "Arrêter"
                                      << "" << QRect(8, 80, 17, 17);
    QTest::newRow("power off caption") << "Label3"
                                       << " Arrêter" << QRect(24, 80, 57, 17);
    QTest::newRow("restart option") << "Reboot"
                                    << "" << QRect(8, 104, 17, 17);
    QTest::newRow("restart caption") << "Label2"
                                     << " Redémarrer" << QRect(24, 104, 153, 17);
    QTest::newRow("standby option") << "Veille"
                                    << "Mettre en veille" << QRect(8, 128, 137, 17);
    QTest::newRow("arm") << "Activer"
                         << "Activer" << QRect(280, 88, 81, 17);
    QTest::newRow("disarm") << "Suspendre"
                            << "Suspendre" << QRect(280, 112, 81, 17);
    QTest::newRow("quit") << "Quitter"
                          << "Quitter" << QRect(280, 136, 81, 17);
    QTest::newRow("verdict") << "Conforme"
                             << "" << QRect(224, 112, 49, 19);
}

void MainWindowTest::controlsStandAtTheirPlacesWithTheirTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, place);
    Harness harness;
    auto* control = ControlOf<QWidget>(kForm1, name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), place);
    QCOMPARE(control->property("text").toString(), text);
}

void MainWindowTest::windowIsAFixedTopmostPanelWithoutMinimiseOrMaximise() {
    Harness harness;
    QWidget* window = Window(kForm1);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Kalvoro XP"));
    QCOMPARE(window->size(), QSize(363, 155));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!window->windowIcon().isNull());
    QVERIFY(ControlOf<QRadioButton>(kForm1, QStringLiteral("Arrêter"))->isChecked());
    QVERIFY(!ControlOf<QRadioButton>(kForm1, QStringLiteral("Reboot"))->isChecked());
    QVERIFY(!ControlOf<QRadioButton>(kForm1, QStringLiteral("Veille"))->isChecked());
    auto* verdict = ControlOf<QLineEdit>(kForm1, QStringLiteral("Conforme"));
    QVERIFY(!verdict->isVisible());
    QCOMPARE(verdict->focusPolicy(), Qt::NoFocus);
    QVERIFY(ControlOf<QLineEdit>(kForm1, QStringLiteral("TxtHeure"))->isReadOnly());
}

bool ContainsColour(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

void MainWindowTest::fieldsAreGreenOnBlackAndOptionCaptionsGreenBold() {
    Harness harness;
    for (const QString& name : {QStringLiteral("TxtHeure"), QStringLiteral("TxTChoix")}) {
        auto* field = ControlOf<QLineEdit>(kForm1, name);
        const QImage drawn = field->grab().toImage();
        QCOMPARE(drawn.pixelColor(3, drawn.height() / 2), QColor(Qt::black));
        QVERIFY2(ContainsColour(drawn, QColor(0x00, 0xFF, 0x00)), "no bright green letters");
        QCOMPARE(field->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(field->font().pixelSize(), 13);
    }
    // The option buttons sit on white, not on the style's grey.
    auto* standby = ControlOf<QRadioButton>(kForm1, QStringLiteral("Veille"));
    QCOMPARE(standby->grab().toImage().pixelColor(standby->width() - 2, 1), QColor(Qt::white));
    auto* heading = ControlOf<QLabel>(kForm1, QStringLiteral("Label1"));
    QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(0xFF, 0x00, 0x00));
    QVERIFY(heading->font().bold());
    for (const QString& name :
         {QStringLiteral("Label3"), QStringLiteral("Label2"), QStringLiteral("Veille")}) {
        auto* caption = ControlOf<QWidget>(kForm1, name);
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0x00, 0xC0, 0x00));
        QVERIFY(caption->font().bold());
    }
    auto* arm = ControlOf<QPushButton>(kForm1, QStringLiteral("Activer"));
    QCOMPARE(arm->palette().color(QPalette::Button), QColor(Qt::white));
    QCOMPARE(arm->font().pixelSize(), 11);
}

void MainWindowTest::clockShowsItsPlaceholderUntilTheFirstTick() {
    Harness harness;
    auto* clock = ControlOf<QLineEdit>(kForm1, QStringLiteral("TxtHeure"));
    QCOMPARE(clock->text(), QStringLiteral("Heure Système"));
    QTRY_COMPARE(clock->text(), QStringLiteral("04:30:24"));
    harness.SetSecond(25);
    QTRY_COMPARE(clock->text(), QStringLiteral("04:30:25"));
}

void MainWindowTest::clickIntoTheEntryClearsIt() {
    Harness harness;
    auto* entry = ControlOf<QLineEdit>(kForm1, QStringLiteral("TxTChoix"));
    QTest::keyClicks(entry, QStringLiteral("04:3"));
    QTest::mouseClick(entry, Qt::LeftButton);
    QCOMPARE(entry->text(), QString());
    QCOMPARE(harness.program().form1().TxTChoix(), "");
}

void MainWindowTest::typedEntryReachesTheCore() {
    Harness harness;
    auto* entry = ControlOf<QLineEdit>(kForm1, QStringLiteral("TxTChoix"));
    QTest::mouseClick(entry, Qt::LeftButton);
    QTest::keyClicks(entry, QStringLiteral("04:30:25"));
    QCOMPARE(harness.program().form1().TxTChoix(), "04:30:25");
    QTest::keyClick(entry, Qt::Key_Backspace);
    QCOMPARE(harness.program().form1().TxTChoix(), "04:30:2");
}

void MainWindowTest::optionLabelsSelectTheirOption() {
    Harness harness;
    const Form1& form1 = harness.program().form1();
    QTest::mouseClick(ControlOf<QLabel>(kForm1, QStringLiteral("Label2")), Qt::LeftButton);
    QCOMPARE(form1.SelectedOption(), ActionKind::Restart);
    QVERIFY(ControlOf<QRadioButton>(kForm1, QStringLiteral("Reboot"))->isChecked());
    QTest::mouseClick(ControlOf<QRadioButton>(kForm1, QStringLiteral("Veille")), Qt::LeftButton);
    QCOMPARE(form1.SelectedOption(), ActionKind::Standby);
    QTest::mouseClick(ControlOf<QLabel>(kForm1, QStringLiteral("Label3")), Qt::LeftButton);
    QCOMPARE(form1.SelectedOption(), ActionKind::PowerOff);
    QVERIFY(ControlOf<QRadioButton>(kForm1, QStringLiteral("Arrêter"))->isChecked());
    QVERIFY(!ControlOf<QRadioButton>(kForm1, QStringLiteral("Veille"))->isChecked());
}

// The refusal box, checked and closed with its OK button.
void AcceptRefusal() {
    auto* box = qobject_cast<QMessageBox*>(WaitForModal());
    QVERIFY(box != nullptr);
    QCOMPARE(box->windowTitle(), QStringLiteral("Format de l'heure incorrect !"));
    QCOMPARE(box->text(), QStringLiteral("Veuillez redéfinir une heure (hh:mm:ss)"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->standardButtons(), QMessageBox::Ok);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
}

void MainWindowTest::malformedEntryIsRefusedWithAnInformationBox() {
    Harness harness;
    bool refused = false;
    QTimer::singleShot(0, [&refused] {
        AcceptRefusal();
        refused = true;
    });
    QTest::mouseClick(ControlOf<QPushButton>(kForm1, QStringLiteral("Activer")), Qt::LeftButton);
    QVERIFY(refused);
    QCOMPARE(ControlOf<QLineEdit>(kForm1, QStringLiteral("TxTChoix"))->text(),
             QStringLiteral("Exemple :                                    04:30:25"));
    QVERIFY(Window(kForm1)->isVisible());
    QVERIFY(!Window(kForm1)->isMinimized());
}

void MainWindowTest::enterInTheEntryPressesActiver() {
    Harness harness;
    auto* entry = ControlOf<QLineEdit>(kForm1, QStringLiteral("TxTChoix"));
    QTest::mouseClick(entry, Qt::LeftButton);
    QTest::keyClicks(entry, QStringLiteral("04:30:25"));
    QTest::keyClick(entry, Qt::Key_Return);
    QVERIFY(!harness.program().form1().MnuActiverEnabled());
    // No notification area offscreen: the window retires to a minimised one.
    QVERIFY(Window(kForm1)->isMinimized());
}

void MainWindowTest::closeBoxEndsTheProgram() {
    Harness harness;
    QVERIFY(Window(kForm1)->close());
    QVERIFY(harness.program().Ended());
    QVERIFY(!Window(kForm1)->isVisible());
}

}  // namespace kalvoro::qt::testing

QTEST_MAIN(kalvoro::qt::testing::MainWindowTest)
#include "main_window_test.moc"

// The notification icon and its pop-up menu on Qt's offscreen platform: the
// icon's activations sent as the desktop would send them, and the stand-in
// for a desktop without a notification area.
#include <QMenu>
#include <QSystemTrayIcon>
#include <QtTest>

#include "qt_harness.h"
#include "ui/program.h"

namespace kalvoro::qt::testing {

namespace {

const QString kForm1 = QStringLiteral("Form1");

}  // namespace

class TrayTest : public QObject {
    Q_OBJECT

  private slots:
    void retreatAndReturnKeepTheWindowsPlace();
    void onlyLeftClickAndContextRequestAct_data();
    void onlyLeftClickAndContextRequestAct();
    void menuOpensWithTheDefaultItemAndNothingHighlighted();
    void menuItemsReachTheirHandlers_data();
    void menuItemsReachTheirHandlers();
    void withoutNotificationAreaTheMainWindowStandsIn();
};

void TrayTest::retreatAndReturnKeepTheWindowsPlace() {
    Harness harness;
    QWidget* window = Window(kForm1);
    const QRect place = window->geometry();
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    QVERIFY(harness.Icon()->isVisible());
    QCOMPARE(harness.Icon()->toolTip(), QStringLiteral("Kalvoro XP"));
    QVERIFY(!window->isVisible());
    // Off the task list: a tool window has no taskbar entry.
    QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    harness.ClickIcon(QSystemTrayIcon::Trigger);
    QVERIFY(window->isVisible());
    QCOMPARE(window->geometry(), place);
}

void TrayTest::onlyLeftClickAndContextRequestAct_data() {
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("menus");
    QTest::newRow("left click") << QSystemTrayIcon::Trigger << true << 0;
    QTest::newRow("context request") << QSystemTrayIcon::Context << false << 1;
    QTest::newRow("double click") << QSystemTrayIcon::DoubleClick << false << 0;
    QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << false << 0;
    QTest::newRow("unknown") << QSystemTrayIcon::Unknown << false << 0;
}

void TrayTest::onlyLeftClickAndContextRequestAct() {
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, shown);
    QFETCH(int, menus);
    Harness harness;
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    MenuWatcher watcher([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); });
    harness.ClickIcon(reason);
    QCOMPARE(Window(kForm1)->isVisible(), shown);
    QCOMPARE(watcher.opened(), menus);
}

void TrayTest::menuOpensWithTheDefaultItemAndNothingHighlighted() {
    Harness harness;
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    QStringList enabled;
    QString highlighted;
    QString defaultItem;
    bool openAfterEnter = false;
    MenuWatcher watcher([&](QMenu& menu) {
        for (const QAction* action : menu.actions()) {
            if (action->isEnabled()) {
                enabled << action->text();
            }
        }
        highlighted = menu.activeAction() != nullptr ? menu.activeAction()->text() : QString();
        defaultItem = menu.defaultAction() != nullptr ? menu.defaultAction()->text() : QString();
        // A stray Enter only highlights; it chooses nothing.
        const QPointer<QMenu> open(&menu);
        QTest::keyClick(&menu, Qt::Key_Return);
        openAfterEnter = open && open->isVisible();
        if (openAfterEnter) {
            QTest::keyClick(&menu, Qt::Key_Escape);
        }
    });
    harness.ClickIcon(QSystemTrayIcon::Context);
    QCOMPARE(highlighted, QString());
    QCOMPARE(defaultItem, QStringLiteral("&Quitter"));
    QVERIFY(openAfterEnter);
    QVERIFY(!harness.program().Ended());
    QCOMPARE(enabled, (QStringList{"&Suspendre", "&Montrer", "A&rrêter l'ordinateur",
                                   "Mettre en &Veille", "&Redémarrer l'ordinateur", "&Quitter"}));
}

void TrayTest::menuItemsReachTheirHandlers_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("shown");  // the window shown afterwards, or none
    QTest::addColumn<bool>("armedBefore");
    QTest::addColumn<bool>("armed");
    QTest::addColumn<bool>("ended");
    QTest::newRow("arm") << "&Activer"
                         << "" << false << true << false;
    QTest::newRow("disarm") << "&Suspendre"
                            << "" << true << false << false;
    QTest::newRow("show") << "&Montrer"
                          << "Form1" << false << false << false;
    QTest::newRow("power off") << "A&rrêter l'ordinateur"
                               << "Form2" << false << false << false;
    QTest::newRow("standby") << "Mettre en &Veille"
                             << "Form4" << false << false << false;
    QTest::newRow("restart") << "&Redémarrer l'ordinateur"
                             << "Form3" << false << false << false;
    QTest::newRow("quit") << "&Quitter"
                          << "" << false << false << true;
}

void TrayTest::menuItemsReachTheirHandlers() {
    QFETCH(QString, item);
    QFETCH(QString, shown);
    QFETCH(bool, armedBefore);
    QFETCH(bool, armed);
    QFETCH(bool, ended);
    Harness harness;
    // Behind the icon, armed or disarmed.
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    if (!armedBefore) {
        harness.ClickIcon(QSystemTrayIcon::Trigger);
        QTest::mouseClick(ControlOf<QWidget>(kForm1, QStringLiteral("Suspendre")), Qt::LeftButton);
    }
    MenuWatcher watcher([&item](QMenu& menu) { ClickItem(menu, item); });
    harness.ClickIcon(QSystemTrayIcon::Context);
    QCOMPARE(watcher.opened(), 1);
    QCOMPARE(!harness.program().form1().MnuActiverEnabled(), armed);
    QCOMPARE(harness.program().Ended(), ended);
    QCOMPARE(harness.Icon()->isVisible(), !ended);
    for (const QString window : {"Form1", "Form2", "Form3", "Form4"}) {
        const QWidget* top = Window(window);
        QCOMPARE(top != nullptr && top->isVisible(), window == shown);
    }
}

void TrayTest::withoutNotificationAreaTheMainWindowStandsIn() {
    Harness harness(NotificationArea::MainWindow);
    MenuWatcher watcher([](QMenu& menu) { ClickItem(menu, QStringLiteral("&Montrer")); });
    const auto rightClick = [] {
        QTest::mouseClick(Window(kForm1)->windowHandle(), Qt::RightButton, {}, QPoint(200, 60));
    };
    // No icon yet, so no menu: the main window's right click is its own.
    rightClick();
    QCOMPARE(watcher.opened(), 0);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    // Minimised, not hidden: its taskbar entry is the only way back.
    QVERIFY(Window(kForm1)->isMinimized());
    QCOMPARE(Window(kForm1)->windowFlags() & Qt::WindowType_Mask, Qt::Window);
    Window(kForm1)->showNormal();
    rightClick();
    QCOMPARE(watcher.opened(), 1);
    QVERIFY(!Window(kForm1)->isMinimized());
}

}  // namespace kalvoro::qt::testing

QTEST_MAIN(kalvoro::qt::testing::TrayTest)
#include "tray_test.moc"

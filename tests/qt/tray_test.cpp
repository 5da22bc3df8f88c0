// The notification icon and its pop-up menu on Qt's offscreen platform: with
// a notification area (the icon's activations sent as the desktop would send
// them) and without one (the main window stands in for the icon).
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QtTest>

#include "qt_harness.h"
#include "ui/program.h"

namespace kalvoro::qt::testing {

namespace {

const QString kForm1 = QStringLiteral("Form1");

QSystemTrayIcon* Icon() {
    return Window(kForm1)->findChild<QSystemTrayIcon*>(QStringLiteral("IconeNotif"));
}

void Activate(QSystemTrayIcon::ActivationReason reason) {
    emit Icon()->activated(reason);
}

void PressButton(const QString& name) {
    QTest::mouseClick(ControlOf<QPushButton>(kForm1, name), Qt::LeftButton);
}

// A right button press in the main window's client area, as the desktop delivers it.
void RightClickMainWindow() {
    QTest::mouseClick(Window(kForm1)->windowHandle(), Qt::RightButton, {}, QPoint(200, 60));
}

struct MenuSeen {
    QStringList captions;
    QStringList enabled;
    QString defaultItem;
};

MenuSeen Look(const QMenu& menu) {
    MenuSeen seen;
    for (const QAction* action : menu.actions()) {
        seen.captions << action->text();
        if (action->isEnabled()) {
            seen.enabled << action->text();
        }
    }
    seen.defaultItem = menu.defaultAction() != nullptr ? menu.defaultAction()->text() : QString();
    return seen;
}

}  // namespace

class TrayTest : public QObject {
    Q_OBJECT

  private slots:
    void retreatHidesTheWindowBehindTheIcon();
    void leftClickOnTheIconShowsTheMainWindow();
    void contextRequestOpensTheSevenItemMenu();
    void menuEnablesWhatTheScheduleAllows();
    void otherIconActivityDoesNothing();
    void requestsWhileTheMenuIsOpenAreDropped();
    void menuStartsACountdownAndLeavesTheScheduleArmed();
    void menuQuitRemovesTheIconAndEndsTheProgram();
    void withoutNotificationAreaTheWindowIsMinimised();
    void withoutNotificationAreaTheMainWindowOpensTheMenu();
};

void TrayTest::retreatHidesTheWindowBehindTheIcon() {
    Harness harness(NotificationArea::SystemTray);
    QVERIFY(!Icon()->isVisible());
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    QVERIFY(Icon()->isVisible());
    QCOMPARE(Icon()->toolTip(), QStringLiteral("Kalvoro XP"));
    QVERIFY(!Window(kForm1)->isVisible());
    // Off the task list: a tool window has no taskbar entry.
    QCOMPARE(Window(kForm1)->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
}

void TrayTest::leftClickOnTheIconShowsTheMainWindow() {
    Harness harness(NotificationArea::SystemTray);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    Activate(QSystemTrayIcon::Trigger);
    QVERIFY(Window(kForm1)->isVisible());
    QVERIFY(Icon()->isVisible());
    QVERIFY(!harness.program().form1().MnuActiverEnabled());
}

void TrayTest::contextRequestOpensTheSevenItemMenu() {
    Harness harness(NotificationArea::SystemTray);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    MenuSeen seen;
    MenuWatcher watcher([&seen](QMenu& menu) {
        seen = Look(menu);
        ClickItem(menu, QStringLiteral("&Montrer"));
    });
    Activate(QSystemTrayIcon::Context);
    QCOMPARE(watcher.opened(), 1);
    QCOMPARE(seen.captions,
             (QStringList{"&Activer", "&Suspendre", "&Montrer", "A&rrêter l'ordinateur",
                          "Mettre en &Veille", "&Redémarrer l'ordinateur", "&Quitter"}));
    QCOMPARE(seen.defaultItem, QStringLiteral("&Quitter"));
    QVERIFY(Window(kForm1)->isVisible());
}

void TrayTest::menuEnablesWhatTheScheduleAllows() {
    Harness harness(NotificationArea::SystemTray);
    QStringList enabled;
    MenuWatcher watcher([&enabled](QMenu& menu) {
        enabled = Look(menu).enabled;
        Dismiss(menu);
    });
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    Activate(QSystemTrayIcon::Context);
    QVERIFY(!enabled.contains(QStringLiteral("&Activer")));
    QVERIFY(enabled.contains(QStringLiteral("&Suspendre")));
    Activate(QSystemTrayIcon::Trigger);
    PressButton(QStringLiteral("Suspendre"));
    Activate(QSystemTrayIcon::Context);
    QVERIFY(enabled.contains(QStringLiteral("&Activer")));
    QVERIFY(!enabled.contains(QStringLiteral("&Suspendre")));
    QCOMPARE(enabled.size(), 6);
    QCOMPARE(watcher.opened(), 2);
}

void TrayTest::otherIconActivityDoesNothing() {
    Harness harness(NotificationArea::SystemTray);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    MenuWatcher watcher(Dismiss);
    for (const auto reason :
         {QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}) {
        Activate(reason);
    }
    QCOMPARE(watcher.opened(), 0);
    QVERIFY(!Window(kForm1)->isVisible());
    QVERIFY(!harness.program().Ended());
}

void TrayTest::requestsWhileTheMenuIsOpenAreDropped() {
    Harness harness(NotificationArea::SystemTray);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    bool busyInside = false;
    MenuWatcher watcher([&](QMenu& menu) {
        busyInside = harness.program().form1().Busy();
        Activate(QSystemTrayIcon::Trigger);
        Activate(QSystemTrayIcon::Context);
        Dismiss(menu);
    });
    Activate(QSystemTrayIcon::Context);
    QVERIFY(busyInside);
    QCOMPARE(watcher.opened(), 1);
    QVERIFY(!Window(kForm1)->isVisible());
    QVERIFY(!harness.program().form1().Busy());
}

void TrayTest::menuStartsACountdownAndLeavesTheScheduleArmed() {
    Harness harness(NotificationArea::SystemTray);
    harness.ArmWithButton(QStringLiteral("23:59:59"));
    Activate(QSystemTrayIcon::Trigger);
    MenuWatcher watcher([](QMenu& menu) { ClickItem(menu, QStringLiteral("Mettre en &Veille")); });
    Activate(QSystemTrayIcon::Context);
    QVERIFY(Shown(QStringLiteral("Form4")));
    QVERIFY(!Window(kForm1)->isVisible());
    QVERIFY(!harness.program().form1().MnuActiverEnabled());
    // A left click on the icon closes the countdown, with no power action.
    Activate(QSystemTrayIcon::Trigger);
    QVERIFY(!Shown(QStringLiteral("Form4")));
    QVERIFY(Window(kForm1)->isVisible());
    QVERIFY(harness.powerCalls().empty());
}

void TrayTest::menuQuitRemovesTheIconAndEndsTheProgram() {
    Harness harness(NotificationArea::SystemTray);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    MenuWatcher watcher([](QMenu& menu) {
        // Enter chooses the default item.
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    Activate(QSystemTrayIcon::Context);
    QVERIFY(harness.program().Ended());
    QVERIFY(!Icon()->isVisible());
    QVERIFY(!Window(kForm1)->isVisible());
}

void TrayTest::withoutNotificationAreaTheWindowIsMinimised() {
    Harness harness(NotificationArea::MainWindow);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    QWidget* window = Window(kForm1);
    QVERIFY(window->isVisible());
    QVERIFY(window->isMinimized());
    // It keeps its taskbar entry: the only way back to it.
    QCOMPARE(window->windowFlags() & Qt::WindowType_Mask, Qt::Window);
}

void TrayTest::withoutNotificationAreaTheMainWindowOpensTheMenu() {
    Harness harness(NotificationArea::MainWindow);
    MenuWatcher watcher([](QMenu& menu) { ClickItem(menu, QStringLiteral("&Montrer")); });
    // No icon yet, so no menu: the main window's right click is its own.
    RightClickMainWindow();
    QCOMPARE(watcher.opened(), 0);
    harness.ArmWithButton(QStringLiteral("04:30:25"));
    Window(kForm1)->showNormal();
    RightClickMainWindow();
    QCOMPARE(watcher.opened(), 1);
    QVERIFY(!Window(kForm1)->isMinimized());
    QVERIFY(Window(kForm1)->isVisible());
}

}  // namespace kalvoro::qt::testing

QTEST_MAIN(kalvoro::qt::testing::TrayTest)
#include "tray_test.moc"

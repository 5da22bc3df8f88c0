#include "qt_harness.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace kalvoro::qt::testing {

Harness::Harness(NotificationArea area) : frontEnd_(clock_, power_, area) {
    frontEnd_.Start();
}

void Harness::ArmWithButton(const QString& entry) {
    auto* field = ControlOf<QLineEdit>(QStringLiteral("Form1"), QStringLiteral("TxTChoix"));
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClicks(field, entry);
    QTest::mouseClick(ControlOf<QPushButton>(QStringLiteral("Form1"), QStringLiteral("Activer")),
                      Qt::LeftButton);
}

QSystemTrayIcon* Harness::Icon() const {
    return Window(QStringLiteral("Form1"))
        ->findChild<QSystemTrayIcon*>(QStringLiteral("IconeNotif"));
}

void Harness::ClickIcon(QSystemTrayIcon::ActivationReason reason) const {
    emit Icon()->activated(reason);
}

QWidget* Window(const QString& name) {
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && (found == nullptr || widget->isVisible())) {
            found = widget;
        }
    }
    return found;
}

MenuWatcher::MenuWatcher(std::function<void(QMenu&)> choose) {
    QObject::connect(&poll_, &QTimer::timeout, [this, choose = std::move(choose)] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu != nullptr && menu != last_) {
            last_ = menu;
            ++opened_;
            choose(*menu);
        }
    });
    poll_.start(5);
}

void ClickItem(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions()) {
        if (action->text() == caption) {
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no menu item ") + caption));
}

QWidget* WaitForModal() {
    if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; })) {
        return nullptr;
    }
    return QApplication::activeModalWidget();
}

}  // namespace kalvoro::qt::testing

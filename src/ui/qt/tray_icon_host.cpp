#include "ui/qt/tray_icon_host.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QWidget>

#include "ui/form1.h"
#include "ui/qt/layout_widgets.h"
#include "ui/qt/layout_window.h"

namespace kalvoro::qt {

namespace {

struct Activation {
    QSystemTrayIcon::ActivationReason reason;
    unsigned mouseMessage;
};

constexpr Activation kActivations[] = {
    {QSystemTrayIcon::Trigger, kLeftButtonDown},
    {QSystemTrayIcon::Context, kRightButtonUp},
};

// Qt's icon is a StatusNotifierItem where a watcher serves the session bus,
// and an XEmbed one elsewhere. An XEmbed icon pops a context menu up by
// itself, so only the former is given one.
bool StatusNotifierHost() {
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus != nullptr &&
           bus->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

// What the system shows of the tip: the text before its NUL.
QString ShownTip(const std::string& tip) {
    return FromUtf8(std::string_view{tip}.substr(0, tip.find('\0')));
}

}  // namespace

TrayIconHost::TrayIconHost(QWidget& mainWindow, const Form1& form1, Sinks sinks)
    : mainWindow_(mainWindow),
      sinks_(std::move(sinks)),
      icon_(new QSystemTrayIcon(mainWindow.windowIcon(), &mainWindow)) {
    icon_->setObjectName(QStringLiteral("IconeNotif"));
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIconHost::Activated);
    if (StatusNotifierHost()) {
        exported_ = std::make_unique<Menu1Popup>(form1.Menu1(), kDefaultMenuItem);
        connect(exported_.get(), &QMenu::triggered, this,
                [this](const QAction* action) { sinks_.choice(*CommandOf(action)); });
        icon_->setContextMenu(exported_.get());
    }
}

void TrayIconHost::Refresh(const Form1& form1) {
    if (exported_) {
        exported_->Refresh(form1.Menu1());
    }
}

void TrayIconHost::Add(const IconRecord& record) {
    icon_->setToolTip(ShownTip(record.szTip));
    icon_->show();
}

void TrayIconHost::Delete() {
    icon_->hide();
}

void TrayIconHost::HideMainWindow() {
    mainWindow_.hide();
}

void TrayIconHost::HideFromTaskList() {
    const bool visible = mainWindow_.isVisible();
    SetWindowFlagInPlace(mainWindow_, Qt::Tool);
    // Changing the flags of a shown window hides it.
    if (visible) {
        mainWindow_.show();
    }
}

void TrayIconHost::Activated(QSystemTrayIcon::ActivationReason reason) {
    for (const Activation& activation : kActivations) {
        if (activation.reason == reason) {
            sinks_.mouse(activation.mouseMessage);
        }
    }
}

}  // namespace kalvoro::qt

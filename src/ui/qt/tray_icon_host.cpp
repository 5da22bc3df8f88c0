#include "ui/qt/tray_icon_host.h"

#include <QWidget>

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

// What the system shows of the tip: the text before its NUL.
QString ShownTip(const std::string& tip) {
    return FromUtf8(std::string_view{tip}.substr(0, tip.find('\0')));
}

}  // namespace

TrayIconHost::TrayIconHost(QWidget& mainWindow, MouseMessageSink sink)
    : mainWindow_(mainWindow),
      sink_(std::move(sink)),
      icon_(new QSystemTrayIcon(mainWindow.windowIcon(), &mainWindow)) {
    icon_->setObjectName(QStringLiteral("IconeNotif"));
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIconHost::Activated);
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
            sink_(activation.mouseMessage);
        }
    }
}

}  // namespace kalvoro::qt

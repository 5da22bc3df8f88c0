#include "ui/qt/countdown_notice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QPointer>
#include <utility>

namespace kalvoro::qt {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kAction = QStringLiteral("button");
constexpr unsigned char kCritical = 2;  // stays until closed, shown over full screen

void Close(uint id) {
    QDBusConnection::sessionBus().asyncCall(
        QDBusMessage::createMethodCall(kService, kPath, kService,
                                       QStringLiteral("CloseNotification"))
        << id);
}

}  // namespace

bool CountdownStaysInSight() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    const bool placedByWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                                 !desktops.contains(QStringLiteral("GNOME")) &&
                                 !desktops.contains(QStringLiteral("KDE"));
    return !placedByWayland && !QGuiApplication::platformName().startsWith(u"wayland");
}

CountdownNotice::CountdownNotice(QObject* window) : QObject(window) {
    QDBusConnection::sessionBus().connect(kService, kPath, kService,
                                          QStringLiteral("ActionInvoked"), this,
                                          SLOT(ActionInvoked(uint, QString)));
}

CountdownNotice::~CountdownNotice() {
    if (id_ != 0) {
        Close(id_);
    }
}

void CountdownNotice::Show(const QString& text, const QString& button) {
    body_ = text;
    button_ = QString(button).remove(u'&');
    Notify();
}

void CountdownNotice::Notify() {
    // Never two at once: the next shows what is current when this one's id
    // has come back.
    if (waiting_) {
        stale_ = true;
        return;
    }
    waiting_ = true;
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(kCritical)},
        {QStringLiteral("desktop-entry"), QGuiApplication::desktopFileName()},
    };
    QDBusMessage notify =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    notify << QStringLiteral("Kalvoro XP") << id_ << QString() << QStringLiteral("Kalvoro XP")
           << body_ << QStringList{kAction, button_} << hints << 0;
    // The answer may come after the window has gone: then its notification
    // goes at once.
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify));
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self = QPointer<CountdownNotice>(this)](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<uint> reply = *call;
                call->deleteLater();
                if (reply.isError()) {
                    return;  // no notification daemon: the window alone remains, unasked again
                }
                if (!self) {
                    Close(reply.value());
                    return;
                }
                self->waiting_ = false;
                self->id_ = reply.value();
                if (std::exchange(self->stale_, false)) {
                    self->Notify();
                }
            });
}

void CountdownNotice::ActionInvoked(uint id, const QString& action) {
    if (id == id_ && action == kAction) {
        emit ButtonPressed();
    }
}

}  // namespace kalvoro::qt

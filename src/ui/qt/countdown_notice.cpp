#include "ui/qt/countdown_notice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QPointer>

#include "countdown/countdown.h"
#include "ui/qt/layout_widgets.h"

namespace kalvoro::qt {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kAction = QStringLiteral("button");
constexpr unsigned char kCritical = 2;  // stays until closed, shown over full screen

// The sentence as the window shows it, the number in its gap of blanks.
QString Sentence(const Countdown& countdown) {
    const QString sentence = FromUtf8(countdown.Label3());
    const qsizetype word = sentence.indexOf(QStringLiteral("seconde"));
    if (!countdown.Label2Visible() || word < 0) {
        return sentence;
    }
    return sentence.left(word).trimmed() + u' ' + FromUtf8(countdown.Label2()) + u' ' +
           sentence.mid(word);
}

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

void CountdownNotice::Show(const Countdown& countdown) {
    QString body = Sentence(countdown);
    QString button = FromUtf8(countdown.Annuler()).remove(u'&');
    if (body == body_ && button == button_) {
        return;
    }
    body_ = std::move(body);
    button_ = std::move(button);
    Notify();
}

void CountdownNotice::Notify() {
    // Never two at once: the next shows what is current when this one's id
    // has come back.
    if (waiting_) {
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
    const QString shown = body_ + button_;
    // The answer may come after the window has gone: then its notification
    // goes at once.
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify));
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self = QPointer<CountdownNotice>(this), shown](QDBusPendingCallWatcher* call) {
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
                if (self->body_ + self->button_ != shown) {
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

#include "power/logind/logind_power.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace kalvoro {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Polkit may ask for a password where the system wants one, as the
// desktops' own power menus let it.
constexpr bool kInteractive = true;

// A password dialog waits on the user; an answer that has not come by then
// counts as a refusal.
constexpr int kAnswerTimeoutMs = 5 * 60 * 1000;

// How long a restart waits for logind to say whether a shutdown is pending.
constexpr int kLookUpTimeoutMs = 1000;

// The wall-clock time, in microseconds since the epoch, at which a restart
// asked for now comes due: the unit of ScheduleShutdown.
quint64 RestartDueMicroseconds() {
    const auto due = std::chrono::system_clock::now() + kRestartDelay;
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(due.time_since_epoch());
    return static_cast<quint64>(micros.count());
}

// Whether logind holds a scheduled shutdown of any kind: its
// ScheduledShutdown property, (type, due in microseconds), is due 0 when none.
bool ShutdownPending(const QDBusConnection& bus) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({kManager, QStringLiteral("ScheduledShutdown")});
    const QDBusMessage reply = bus.call(get, QDBus::Block, kLookUpTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return false;
    }
    const auto scheduled =
        reply.arguments().constFirst().value<QDBusVariant>().variant().value<QDBusArgument>();
    QString type;
    quint64 due = 0;
    scheduled.beginStructure();
    scheduled >> type >> due;
    scheduled.endStructure();
    return due != 0;
}

}  // namespace

LogindPower::LogindPower(QDBusConnection bus) : bus_(std::move(bus)) {}

void LogindPower::EteindreXP() {
    Ask(PowerRequest::PowerOff, QStringLiteral("PowerOff"), {kInteractive});
}

void LogindPower::RebootXP() {
    restartCancelled_ = false;
    // ScheduleShutdown would replace a pending shutdown; the system's own
    // command refuses a second one instead, and so does this.
    if (ShutdownPending(bus_)) {
        QMetaObject::invokeMethod(
            &calls_,
            [this] {
                Answer(PowerRequest::Restart,
                       "Un arrêt ou un redémarrage de l'ordinateur est déjà programmé.");
            },
            Qt::QueuedConnection);
        return;
    }
    Ask(PowerRequest::Restart, QStringLiteral("ScheduleShutdown"),
        {QStringLiteral("reboot"), QVariant::fromValue(RestartDueMicroseconds())},
        &LogindPower::WithdrawIfCancelled);
}

void LogindPower::AnnulerRebootXP() {
    restartCancelled_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager,
                                                       QStringLiteral("CancelScheduledShutdown"));
    call.setInteractiveAuthorizationAllowed(true);
    bus_.send(call);
}

void LogindPower::WithdrawIfCancelled() {
    if (restartCancelled_) {
        AnnulerRebootXP();
    }
}

void LogindPower::VeilleXP() {
    Ask(PowerRequest::Standby, QStringLiteral("Suspend"), {kInteractive});
}

void LogindPower::Ask(PowerRequest request, const QString& method, const QList<QVariant>& arguments,
                      Taken taken) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
    call.setArguments(arguments);
    call.setInteractiveAuthorizationAllowed(true);
    // Even a call that cannot be sent (no system bus) finishes in the event
    // loop, never inside this call.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kAnswerTimeoutMs), &calls_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [this, request, taken](QDBusPendingCallWatcher* answered) {
                         answered->deleteLater();
                         if (!answered->isError()) {
                             if (taken != nullptr) {
                                 (this->*taken)();
                             }
                             Answer(request);
                             return;
                         }
                         const QDBusError error = answered->error();
                         const QString reason =
                             error.message().isEmpty() ? error.name() : error.message();
                         Answer(request, reason.toStdString());
                     });
}

}  // namespace kalvoro

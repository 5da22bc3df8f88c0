#include "power/logind/logind_power.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>

namespace kalvoro {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Polkit may not stop to ask for a password: the program never waits.
constexpr bool kInteractive = false;

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
    Send(QStringLiteral("PowerOff"), {kInteractive});
}

void LogindPower::RebootXP() {
    // ScheduleShutdown would replace a pending shutdown; the system's own
    // command refuses a second one instead, and so does this.
    if (ShutdownPending(bus_)) {
        return;
    }
    Send(QStringLiteral("ScheduleShutdown"),
         {QStringLiteral("reboot"), QVariant::fromValue(RestartDueMicroseconds())});
}

void LogindPower::AnnulerRebootXP() {
    Send(QStringLiteral("CancelScheduledShutdown"));
}

void LogindPower::VeilleXP() {
    Send(QStringLiteral("Suspend"), {kInteractive});
}

void LogindPower::Send(const QString& method, const QList<QVariant>& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
    call.setArguments(arguments);
    // Sent without waiting: the answer, or an error, is dropped on arrival.
    bus_.send(call);
}

}  // namespace kalvoro

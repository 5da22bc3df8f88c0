#include "power/logind/logind_power.h"

#include <QDBusMessage>

namespace kalvoro {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Polkit may not stop to ask for a password: the program never waits.
constexpr bool kInteractive = false;

// The wall-clock time, in microseconds since the epoch, at which a restart
// asked for now comes due: the unit of ScheduleShutdown.
quint64 RestartDueMicroseconds() {
    const auto due = std::chrono::system_clock::now() + kRestartDelay;
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(due.time_since_epoch());
    return static_cast<quint64>(micros.count());
}

}  // namespace

LogindPower::LogindPower(QDBusConnection bus) : bus_(std::move(bus)) {}

void LogindPower::EteindreXP() {
    Send(QStringLiteral("PowerOff"), {kInteractive});
}

void LogindPower::RebootXP() {
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

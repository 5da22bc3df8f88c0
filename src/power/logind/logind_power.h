#pragma once

#include <QDBusConnection>
#include <QList>
#include <QString>
#include <QVariant>
#include <chrono>

#include "power/power_actions.h"

namespace kalvoro {

// The restart that RebootXP hands over comes due this long after the call.
inline constexpr std::chrono::seconds kRestartDelay{12};

// Power actions asked of systemd-logind over the system bus; polkit decides
// whether this user may. Fire and forget: nothing waits for logind's answer
// to an action, and a refusal or a missing logind changes nothing in the
// program. Only a restart first asks whether a shutdown is pending, and
// waits for that answer at most a second.
class LogindPower final : public PowerActions {
  public:
    explicit LogindPower(QDBusConnection bus = QDBusConnection::systemBus());

    void EteindreXP() override;
    // logind keeps the restart and carries it out by itself, so it happens
    // even when the program has ended meanwhile. While a shutdown of any kind
    // is pending, the restart is refused and the pending one stays as it is.
    void RebootXP() override;
    void AnnulerRebootXP() override;
    void VeilleXP() override;

  private:
    void Send(const QString& method, const QList<QVariant>& arguments = {});

    QDBusConnection bus_;
};

}  // namespace kalvoro

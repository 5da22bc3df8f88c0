#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <chrono>

#include "power/power_actions.h"

namespace kalvoro {

// The restart that RebootXP hands over comes due this long after the call.
inline constexpr std::chrono::seconds kRestartDelay{12};

// Power actions asked of systemd-logind over the system bus; polkit decides
// whether this user may, and may ask for a password through the desktop's
// agent first. Logind's answer comes back through the event loop, its error
// message being the reason of a refusal. Only a restart first asks whether a
// shutdown is pending, and waits for that answer at most a second.
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
    using Taken = void (LogindPower::*)();
    void Ask(PowerRequest request, const QString& method, const QList<QVariant>& arguments,
             Taken taken = nullptr);
    void WithdrawIfCancelled();

    QDBusConnection bus_;
    // The calls still waiting for their answer go with this object.
    QObject calls_;
    // A cancel may overtake a restart that waits for a password: logind
    // would then find nothing to cancel and take the restart afterwards.
    bool restartCancelled_ = false;
};

}  // namespace kalvoro

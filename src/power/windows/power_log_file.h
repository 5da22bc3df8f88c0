#pragma once

#include <windows.h>

#include <string_view>

#include "power/power_log.h"
#include "power/windows/system_answers.h"

namespace kalvoro {

// Appends the line and "\r\n" to kalvoro-power.log in the current directory.
// The file is opened and closed for each line, so another process can read
// each line as soon as it is written.
void AppendToPowerLogFile(std::string_view line);

// The test variant's power actions: the power log's lines in that file, each
// request answered as the system answers a call, refused with the error that
// KALVORO_E2E_REFUSE names (a number), if it names one.
class LoggedPowerActions final : public PowerActions {
  public:
    LoggedPowerActions();

    void EteindreXP() override;
    void RebootXP() override;
    void AnnulerRebootXP() override { log_.AnnulerRebootXP(); }
    void VeilleXP() override;

  private:
    void Settle(PowerRequest request);

    PowerLog log_{&AppendToPowerLogFile};
    SystemAnswers answers_{*this};
    DWORD refusal_;
};

}  // namespace kalvoro

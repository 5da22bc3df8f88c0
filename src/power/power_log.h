#pragma once

#include <functional>
#include <string_view>

#include "power/power_actions.h"

namespace kalvoro {

// Power actions that only write what they would do, one line each:
// "EteindreXP", "VeilleXP", "RebootXP <command line>", "AnnulerRebootXP
// <command line>", a carriage return in a command line written as "\r".
// Lets a test build of the program run without switching anything off. The
// system takes every request at once, unless a test holds the answers to
// give them itself.
class PowerLog final : public PowerActions {
  public:
    using LineSink = std::function<void(std::string_view line)>;
    explicit PowerLog(LineSink sink) : sink_(std::move(sink)) {}

    bool holdAnswers = false;

    void EteindreXP() override;
    void RebootXP() override;
    void AnnulerRebootXP() override;
    void VeilleXP() override;

  private:
    void Log(std::string_view line, PowerRequest request);

    LineSink sink_;
};

}  // namespace kalvoro

#include "power/power_log.h"

#include <string>

#include "power/command_lines.h"

namespace kalvoro {

namespace {

// The command line with each carriage return replaced by the two characters "\r".
std::string EscapeCarriageReturns(std::string_view commandLine) {
    std::string escaped;
    for (const char c : commandLine) {
        escaped += c == '\r' ? std::string_view{"\\r"} : std::string_view{&c, 1};
    }
    return escaped;
}

}  // namespace

void PowerLog::Log(std::string_view line, PowerRequest request) {
    sink_(line);
    if (!holdAnswers) {
        Answer(request);
    }
}

void PowerLog::EteindreXP() {
    Log("EteindreXP", PowerRequest::PowerOff);
}

void PowerLog::RebootXP() {
    Log("RebootXP " + EscapeCarriageReturns(RestartCommandLine()), PowerRequest::Restart);
}

void PowerLog::AnnulerRebootXP() {
    sink_("AnnulerRebootXP " + EscapeCarriageReturns(kCancelRestartCommandLine));
}

void PowerLog::VeilleXP() {
    Log("VeilleXP", PowerRequest::Standby);
}

}  // namespace kalvoro

#include "power/power_log.h"

#include "power/command_lines.h"

namespace kalvoro {

std::string EscapeCarriageReturns(std::string_view commandLine) {
    std::string escaped;
    for (const char c : commandLine) {
        escaped += c == '\r' ? std::string_view{"\\r"} : std::string_view{&c, 1};
    }
    return escaped;
}

void PowerLog::EteindreXP() {
    sink_("EteindreXP");
}

void PowerLog::RebootXP() {
    sink_("RebootXP " + EscapeCarriageReturns(RestartCommandLine()));
}

void PowerLog::AnnulerRebootXP() {
    sink_("AnnulerRebootXP " + EscapeCarriageReturns(kCancelRestartCommandLine));
}

void PowerLog::VeilleXP() {
    sink_("VeilleXP");
}

}  // namespace kalvoro

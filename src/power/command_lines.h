#pragma once

#include <string>
#include <string_view>

namespace kalvoro {

// The restart handed to the system's Shutdown command: 12 s delay and a
// comment of three lines joined by carriage returns, with no blank and no
// quotes, so that it reaches the command as one argument. UTF-8.
std::string RestartCommandLine();
inline constexpr int kRestartDelaySeconds = 12;

// The comment alone, as the system shows it with a restart.
std::string RestartComment();

// Withdraws a pending restart.
inline constexpr std::string_view kCancelRestartCommandLine = "Shutdown -a";

}  // namespace kalvoro

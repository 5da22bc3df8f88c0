#pragma once

#include <string_view>

namespace kalvoro {

// Appends the line and "\r\n" to kalvoro-power.log in the current directory.
// The file is opened and closed for each line, so another process can read
// each line as soon as it is written.
void AppendToPowerLogFile(std::string_view line);

}  // namespace kalvoro

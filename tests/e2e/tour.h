#pragma once

#include <string>

namespace e2e {

// A walk through the windows worth a picture: the main window, the refusal
// message, the icon's menu and the countdown window of each kind. For each,
// the driver writes "<name>.request" holding the window's screen rectangle
// ("left top width height") into the screenshot directory and waits for the
// script that watches it to leave "<name>.png" there.
int Tour(const std::wstring& program, const std::wstring& workRoot,
         const std::wstring& screenshots);

}  // namespace e2e

#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kalvoro::win32 {

// The core speaks UTF-8; the W functions speak UTF-16. Embedded NULs are kept.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// The text in the ANSI code page, for the few A functions the program must call.
std::string Ansi(std::string_view utf8);

std::wstring WindowText(HWND window);
std::string WindowTextUtf8(HWND window);

}  // namespace kalvoro::win32

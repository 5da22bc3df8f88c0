#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kalvoro {

// Values of the notification icon's record that the program sets itself; the
// record's size, window and icon handle belong to the platform.
inline constexpr std::uint32_t kIconId = 1;
inline constexpr std::uint32_t kIconFlags = 7;  // message, icon and tip are set
// The icon reports mouse activity as mouse-move messages to the main window,
// the mouse message itself standing in the low word of the second parameter.
inline constexpr std::uint32_t kIconCallbackMessage = 0x200;
inline constexpr std::size_t kTipLength = 64;

inline constexpr unsigned kLeftButtonDown = 0x201;
inline constexpr unsigned kRightButtonUp = 0x205;

struct IconRecord {
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::string szTip;  // kTipLength characters
};

// "Kalvoro XP", a NUL that ends what the system shows, then blanks to 64 characters.
std::string IconTip();

}  // namespace kalvoro

#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace kalvoro {

// The items of the icon's pop-up menu, in display order; the values serve as
// the platform's command identifiers.
enum class MenuCommand : unsigned {
    MnuActiver = 1,
    MnuSuspendre,
    MnuMontrer,
    MnuArreter,
    MnuVeille,
    MnuReboot,
    MnuQuitter,
};

struct MenuItem {
    MenuCommand command;
    std::string_view caption;  // "&" marks the access key
};

extern const std::array<MenuItem, 7> kMenu1;

// Shown in bold; chosen by Enter when the menu opens.
inline constexpr MenuCommand kDefaultMenuItem = MenuCommand::MnuQuitter;

// The command that a platform's menu identifier stands for, if any.
std::optional<MenuCommand> MenuCommandFromId(unsigned id);

}  // namespace kalvoro

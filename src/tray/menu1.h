#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kalvoro {

// The items of the icon's pop-up menu; the values, their places in display
// order from 1, serve as the platform's command identifiers.
enum class MenuCommand : unsigned {
    MnuActiver = 1,
    MnuSuspendre,
    MnuMontrer,
    MnuArreter,
    MnuVeille,
    MnuReboot,
    MnuQuitter,
};

// An item as a menu shows it.
struct MenuItem {
    MenuCommand command;
    std::string_view caption;  // "&" marks the access key
    bool enabled;
};
using Menu1Items = std::array<MenuItem, static_cast<std::size_t>(MenuCommand::MnuQuitter)>;

// Shown in bold; chosen by Enter when the menu opens.
inline constexpr MenuCommand kDefaultMenuItem = MenuCommand::MnuQuitter;

// The command that a platform's menu identifier stands for, if any.
inline std::optional<MenuCommand> MenuCommandFromId(unsigned id) {
    if (id < 1 || id > std::tuple_size_v<Menu1Items>) {
        return std::nullopt;
    }
    return static_cast<MenuCommand>(id);
}

}  // namespace kalvoro

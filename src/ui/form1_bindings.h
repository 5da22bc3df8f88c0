#pragma once

#include "schedule/schedule.h"
#include "tray/menu1.h"
#include "ui/form1.h"
#include "ui/layout.h"

namespace kalvoro {

// What a click on each control of the main window runs, for every front end.
struct ClickBinding {
    layout::ControlId control;
    void (Form1::*handler)();
};
inline constexpr ClickBinding kForm1Clicks[] = {
    {layout::ControlId::TxTChoix, &Form1::TxTChoix_Click},
    {layout::ControlId::Activer, &Form1::Activer_Click},
    {layout::ControlId::Suspendre, &Form1::Suspendre_Click},
    {layout::ControlId::Quitter, &Form1::Quitter_Click},
    {layout::ControlId::Form1Label3, &Form1::Label3_Click},
    {layout::ControlId::Form1Label2, &Form1::Label2_Click},
};

// The action that each option button selects.
struct OptionBinding {
    layout::ControlId control;
    ActionKind action;
};
inline constexpr OptionBinding kForm1Options[] = {
    {layout::ControlId::Arreter, ActionKind::PowerOff},
    {layout::ControlId::Reboot, ActionKind::Restart},
    {layout::ControlId::Veille, ActionKind::Standby},
};

// The icon's pop-up menu, in display order, the one definition that the core,
// both pop-ups and the menu exported to notification areas read: each item's
// command, caption, handler, and when it is enabled (always, where none).
struct Menu1Row {
    MenuCommand command;
    std::string_view caption;  // "&" marks the access key
    void (Form1::*handler)();
    bool (Form1::*enabled)() const;
};
// clang-format off
inline constexpr Menu1Row kMenu1[] = {
    {MenuCommand::MnuActiver,   "&Activer",                 &Form1::MnuActiver_Click,   &Form1::MnuActiverEnabled},
    {MenuCommand::MnuSuspendre, "&Suspendre",               &Form1::MnuSuspendre_Click, &Form1::MnuSuspendreEnabled},
    {MenuCommand::MnuMontrer,   "&Montrer",                 &Form1::MnuMontrer_Click,   nullptr},
    {MenuCommand::MnuArreter,   "A&rrêter l'ordinateur",    &Form1::MnuArrêter_Click,   nullptr},
    {MenuCommand::MnuVeille,    "Mettre en &Veille",        &Form1::MnuVeille_Click,    nullptr},
    {MenuCommand::MnuReboot,    "&Redémarrer l'ordinateur", &Form1::MnuReboot_Click,    nullptr},
    {MenuCommand::MnuQuitter,   "&Quitter",                 &Form1::MnuQuitter_Click,   nullptr},
};
// clang-format on
static_assert(std::size(kMenu1) == std::tuple_size_v<Menu1Items>);
// Each row in the place its command names.
static_assert([] {
    for (std::size_t place = 1; const Menu1Row& row : kMenu1) {
        if (static_cast<std::size_t>(row.command) != place++) {
            return false;
        }
    }
    return true;
}());

}  // namespace kalvoro

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

// What each item of the icon's pop-up menu runs.
struct MenuBinding {
    MenuCommand command;
    void (Form1::*handler)();
};
inline constexpr MenuBinding kForm1Menu[] = {
    {MenuCommand::MnuActiver, &Form1::MnuActiver_Click},
    {MenuCommand::MnuSuspendre, &Form1::MnuSuspendre_Click},
    {MenuCommand::MnuMontrer, &Form1::MnuMontrer_Click},
    {MenuCommand::MnuArreter, &Form1::MnuArrêter_Click},
    {MenuCommand::MnuVeille, &Form1::MnuVeille_Click},
    {MenuCommand::MnuReboot, &Form1::MnuReboot_Click},
    {MenuCommand::MnuQuitter, &Form1::MnuQuitter_Click},
};

}  // namespace kalvoro

#pragma once

#include "schedule/schedule.h"
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

}  // namespace kalvoro

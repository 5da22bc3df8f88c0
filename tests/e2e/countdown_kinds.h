#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "steps.h"
#include "window_finding.h"

namespace e2e {

enum class Action { PowerOff, Restart, Standby };

// The three countdown windows as the user meets them: how the action is
// chosen, what the window says and where it stands (pixels at 96 dpi).
struct CountdownKind {
    Action action;
    std::string_view name;
    ControlId option;    // its option button
    ControlId chosenBy;  // what the user clicks to select it
    MenuItem menuItem;
    std::wstring_view opening;  // the sentence's words before the gap of blanks
    int wideBlanks;
    int narrowBlanks;
    int clientTop;  // from the top of the screen
    int numberLeft;
    int sentenceWidth;
};

inline constexpr std::array<CountdownKind, 3> kCountdownKinds{{
    {Action::PowerOff, "power off", ControlId::Arreter, ControlId::Form1Label3, MenuItem::Arreter,
     L"Extinction de l'ordinateur dans", 8, 6, 18, 192, 281},
    {Action::Restart, "restart", ControlId::Reboot, ControlId::Form1Label2, MenuItem::Reboot,
     L"Redémarrage dans :", 11, 8, 19, 144, 257},
    {Action::Standby, "standby", ControlId::Veille, ControlId::Veille, MenuItem::Veille,
     L"Mise en veille dans", 8, 6, 19, 128, 257},
}};

// Shared by the three windows.
inline constexpr int kCountdownClientLeft = 3;
inline constexpr int kCountdownClientWidth = 476;
inline constexpr int kCountdownClientHeight = 54;

const CountdownKind& KindOf(Action action);

// The power log expected once the window has opened, and after its cancel.
std::vector<std::string> LogAtOpening(const CountdownKind& kind);
std::vector<std::string> LogAfterCancel(const CountdownKind& kind);

// A label for a check: "<kind>: <what>".
std::string About(const CountdownKind& kind, std::string_view what);

}  // namespace e2e

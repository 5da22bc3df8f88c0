#pragma once

namespace kalvoro {

// The three actions, each chosen by an option of the main window.
enum class ActionKind { PowerOff, Restart, Standby };

// The schedule as the pop-up menu shows it: armed exactly when "&Activer" is
// disabled. At start both entries are enabled and the schedule is not armed.
struct Schedule {
    bool mnuActiverEnabled = true;
    bool mnuSuspendreEnabled = true;
    ActionKind selected = ActionKind::PowerOff;

    bool armed() const { return !mnuActiverEnabled; }
    void Arm() {
        mnuActiverEnabled = false;
        mnuSuspendreEnabled = true;
    }
    void Disarm() {
        mnuSuspendreEnabled = false;
        mnuActiverEnabled = true;
    }
};

}  // namespace kalvoro

#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "countdown/countdown_host.h"
#include "countdown/window_ids.h"
#include "tray/icon_record.h"
#include "tray/menu1.h"

namespace kalvoro {

// Everything the program does to windows, timers, the notification area and
// the process. The front end reads the texts and flags it shows from the core
// after each event; these calls are the actions. Calls that block (the message
// box, the pop-up menu) may re-enter the core through timer ticks. An open
// countdown makes its own calls (CountdownHost).
class Desktop : public CountdownHost {
  public:
    virtual ~Desktop() = default;

    virtual void Load(WindowId window) = 0;    // create a countdown window, hidden
    virtual void Unload(WindowId window) = 0;  // destroy a window and its timers
    // An opener's show: the window may take the focus.
    virtual void Show(WindowId window) = 0;
    virtual void Hide(WindowId window) = 0;

    // (Re)start the main window's clock timer to tick once after `delay`.
    virtual void ArmClockTimer(std::chrono::milliseconds delay) = 0;

    // Modal; returns when the user has closed it.
    virtual void ShowMessage(std::string_view prompt, std::string_view title, int style) = 0;

    virtual void AddIcon(const IconRecord& record) = 0;
    virtual void DeleteIcon(const IconRecord& record) = 0;
    // Take the program off the system's task list (no taskbar button).
    virtual void HideFromTaskList() = 0;
    // Pop up the icon's menu at the pointer and wait until it closes;
    // returns the item chosen, if any.
    virtual std::optional<MenuCommand> PopUpMenu(const Menu1Items& items,
                                                 MenuCommand defaultItem) = 0;

    // No window is left: the program ends.
    virtual void EndProgram() = 0;
};

}  // namespace kalvoro

#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "expected.h"
#include "program_under_test.h"
#include "waiting.h"

namespace e2e {

// Steps that a user takes, made of the actions and the waits they need.

// Opens the icon's menu with a right release; the menu window, or nullptr.
HWND OpenMenu(const ProgramUnderTest& program);
// Opens the menu, moves down to the item with the arrow key and presses
// Enter; true once the menu has closed.
bool ChooseMenuItem(const ProgramUnderTest& program, MenuItem item, int downPresses = -1);
// Waits until no menu of the program is shown.
bool WaitForMenuClosed(const ProgramUnderTest& program);

// Whether the menu's "&Activer" or "&Suspendre" can be chosen. Both validate
// the entry first, so with a malformed entry an enabled item answers with the
// refusal box (closed again here) and a disabled one does nothing. The entry
// is put back as it was. The item is reached with as many arrow presses as
// its position unless told otherwise.
bool ArmingItemEnabled(const ProgramUnderTest& program, MenuItem item, int downPresses = -1);

// Presses OK in the program's message box; true when it has closed.
bool PressOk(const ProgramUnderTest& program);

// A time of day an hour from now: no scenario lasts until it comes.
std::wstring TimeFarAhead();

// Types a second two or three seconds ahead into the entry of each program,
// then calls `arm` (if any) for each. Should the machine have been so slow
// that the second has come meanwhile, a later second is typed instead:
// editing the entry takes effect at once. Returns the second typed.
int EnterSecondSoon(const std::vector<const ProgramUnderTest*>& programs,
                    const std::function<void(const ProgramUnderTest&)>& arm = {});

// Where and when a countdown window appeared.
struct Arrival {
    HWND window = nullptr;
    bool early = false;  // seen before the clock had reached the second
};
// Waits for the countdown window of each program to be shown.
std::vector<Arrival> AwaitCountdowns(const std::vector<const ProgramUnderTest*>& programs,
                                     int second, milliseconds timeout = kPatience);

// Waits until the program's clock shows a second after the one given, so
// that its tick at that second is over.
bool WaitForClockPast(const ProgramUnderTest& program, int second);

}  // namespace e2e

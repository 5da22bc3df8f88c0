#pragma once

#include <span>
#include <string_view>

#include "expected.h"

// The suite as data: each row is a list of steps, what the user or the shell
// does and then what must hold, run by one small driver (run_rows.cpp).
namespace e2e {

enum class Op {
    // What is done to the program in use (the first, unless `Use` says).
    Start,        // a program of its own; checks that its clock ticks
    Use,          // `what`: which of the programs started in this row
    Type,         // the entry's text; `what`: a text of kTypedTexts if not `text`
    Press,        // the button `what`, handled when the step returns
    PressPosted,  // the same, not waited for (it opens a modal box)
    PressEnter,   // Enter in the control `what`
    PressAltA,    // Alt+A in the control `what`
    ClickIn,      // a mouse click on the control `what`
    CloseBox,     // of the main window (`what` 0) or of the countdown (1)
    Icon,         // the icon's callback with the mouse message `what`, posted
    IconSent,     // the same, sent
    Choose,       // the menu item `what`, reached with `more` arrow presses (0: its place)
    OpenMenu,     // a right release on the icon
    MenuKey,      // the key `what` in the open menu
    OkBox,        // OK in the message box
    RestartTray,  // the notification area starts anew
    ShowMain,     // shown from outside, beside an open countdown
    ArmSoon,      // a second just ahead into every program's entry, then the button `what`
    AwaitCountdowns,
    Shoot,  // a picture of the window `what` (0 main, 1 countdown, 2 menu, 3 box), named `label`
    // What must hold, one printed line each unless said.
    Holds,           // every fact of `what`, within the patience; `more`: the power log
    FirstClock,      // started afresh, the clock reads its placeholder first
    MainWindow,      // its title, size and place (4 lines)
    ClockTicks,      // two ticks to the current time (2 lines)
    Text,            // the control `what` reads `text` (or the example, when empty and `more`)
    Selected,        // exactly the option `what` is selected
    Refused,         // `text` with the button `what` is refused (3 lines)
    Ends,            // the program ends; `more`: a whole countdown may run first
    IconAdded,       // the first request made of the notification area
    IconKept,        // "Activer" again: hidden, one icon, the second NIM_ADD refused
    IconReadded,     // after the restart of the notification area
    IconDeleted,     // the last request removed it
    OnlyArming,      // only the arming item `what` of "&Activer"/"&Suspendre" can be chosen
    MenuComesRound,  // seven items: nine presses come round to "&Suspendre"
    SecondPasses,    // the entered second passes with no countdown
    Arrived,         // every program's countdown opened at the entered second (1 line each)
    Opened,          // the countdown of kind `what` just opened (texts, places, frame)
    RestartLine,     // the logged restart command line is the exact one
    Midway,          // the numbers "10", "9" and the last ones, in every program (6 lines each)
    PointerSweep,    // real pointer moves over the whole main client area do nothing
    OptionKeys,      // the arrow keys move through the three options (2 lines)
    OptionsAlike,    // the three option buttons are one kind of control
    Storm,           // 20000 random events, then the state the last left (6 lines)
};

// Facts for `Holds`, combined with |.
enum Fact : int {
    kMainShown = 1 << 0,
    kMainHidden = 1 << 1,
    kCountdownShown = 1 << 2,
    kNoCountdown = 1 << 3,
    kMenuShown = 1 << 4,
    kNoMenu = 1 << 5,
    kNoIcon = 1 << 6,
    kOneIcon = 1 << 7,
    kAlive = 1 << 8,
    kLogIs = 1 << 9,  // the power log is `more`
    kMainTopmost = 1 << 10,
    kOneMenu = 1 << 11,  // no second menu opened over the first
    kBoxShown = 1 << 13,
    kCountdownOfKind = 1 << 14,  // its sentence is the wide one of the kind `more`
    kNumberHidden = 1 << 15,
    kBarFull = 1 << 16,  // the bar spans the countdown's client area
};

// Texts typed that change with the clock.
enum Typed { kAnHourAhead = 1 };

struct Step {
    Op op;
    int what = 0;
    int more = 0;
    std::wstring_view text{};
    std::string_view label{};
};

struct Row {
    std::string_view name;
    std::span<const Step> steps;
    bool pixelFree;  // runs at 96 dpi only: nothing it checks depends on the screen's density
};

std::span<const Row> SuiteRows();
// The windows worth a picture, for the README.
std::span<const Step> TourSteps();

}  // namespace e2e

// The notification icon's callbacks and its pop-up menu, and arming and
// disarming while the program lives behind the icon.
#include <windows.h>

#include <shellapi.h>

#include "actions.h"
#include "checks.h"
#include "countdown_kinds.h"
#include "expected_texts.h"
#include "steps.h"
#include "suite.h"

namespace e2e {

namespace {

// Mouse messages over the icon that do nothing by themselves.
constexpr UINT kIgnoredMouseMessages[] = {WM_MOUSEMOVE,   WM_LBUTTONUP,     WM_LBUTTONDBLCLK,
                                          WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN};

bool OnlyActiverEnabled(const ProgramUnderTest& program) {
    return ArmingItemEnabled(program, MenuItem::Activer) &&
           !ArmingItemEnabled(program, MenuItem::Suspendre);
}

bool OnlySuspendreEnabled(const ProgramUnderTest& program) {
    return !ArmingItemEnabled(program, MenuItem::Activer) &&
           ArmingItemEnabled(program, MenuItem::Suspendre);
}

// Waits until the second typed has passed and says whether a countdown opened.
bool CountdownOpensAt(const ProgramUnderTest& program, int second) {
    WaitForClockPast(program, second);
    return program.Countdown() != nullptr;
}

}  // namespace

void IconMenu(Suite& suite) {
    Report& report = suite.report;
    auto program = suite.Start(L"icon-menu");
    HWND main = program->Main();
    RetireToIcon(*program, ControlId::Activer, TimeFarAhead());
    const std::vector<FakeTray::Request> added = suite.tray.RequestsOf(main);
    report.Check(added.size() == 1 && added[0].message == NIM_ADD && added[0].id == 1 &&
                     added[0].flags == (NIF_MESSAGE | NIF_ICON | NIF_TIP) &&
                     added[0].callbackMessage == WM_MOUSEMOVE && added[0].granted,
                 "\"Activer\" adds the icon: identifier 1, message, icon and tip, "
                 "callbacks as WM_MOUSEMOVE");

    for (const UINT message : kIgnoredMouseMessages) {
        SendIconCallback(main, message);
    }
    report.Check(!IsShown(main) && program->Menu() == nullptr,
                 "pointer moves, left releases, double-clicks and right presses do nothing");

    PostIconCallback(main, WM_LBUTTONDOWN);
    CheckSoon(report, "a left press on the icon shows the main window",
              [&] { return IsShown(main); });
    Click(program->MainControl(ControlId::Activer));
    const std::vector<FakeTray::Request> again = suite.tray.RequestsOf(main);
    report.Check(
        !IsShown(main) && suite.tray.IconCount(main) == 1 && again.size() == 2 && !again[1].granted,
        "\"Activer\" again after \"Montrer\" hides the window and leaves one icon");

    HWND menu = OpenMenu(*program);
    report.Check(menu != nullptr, "a right release on the icon opens the menu");
    SendIconCallback(main, WM_LBUTTONDOWN);
    SendIconCallback(main, WM_RBUTTONUP);
    report.Check(
        !IsShown(main) &&
            TopLevelWindows(GetWindowThreadProcessId(main, nullptr), kMenuClass).size() <= 1 &&
            IsShown(menu),
        "callbacks while the menu is open are dropped");
    PressMenuKeys(menu, {VK_ESCAPE});
    report.Check(WaitForMenuClosed(*program) && !IsShown(main), "Escape closes the menu");

    report.Check(ArmingItemEnabled(*program, MenuItem::Suspendre, kMenuItemCount + 2),
                 "the menu has seven items: nine arrow presses come round to \"&Suspendre\"");

    ChooseMenuItem(*program, MenuItem::Arreter);
    CheckSoon(report, "\"A&rrêter l'ordinateur\" opens the power-off countdown",
              [&] { return IsShown(program->Countdown()); });
    PostIconCallback(main, WM_LBUTTONDOWN);
    CheckSoon(report, "a left press closes the countdown and shows the main window",
              [&] { return program->Countdown() == nullptr && IsShown(main); });

    ChooseMenuItem(*program, MenuItem::Veille);
    CheckSoon(report, "\"Mettre en &Veille\" opens the standby countdown",
              [&] { return IsShown(program->Countdown()) && !IsShown(main); });
    ChooseMenuItem(*program, MenuItem::Montrer);
    CheckSoon(report, "\"&Montrer\" closes the countdown and shows the main window",
              [&] { return program->Countdown() == nullptr && IsShown(main); });

    ChooseMenuItem(*program, MenuItem::Quitter);
    CheckEnds(report, "\"&Quitter\" ends the program", *program);
    CheckPowerLog(report, "closing countdowns from the icon calls no power action", *program, {});
    report.Check(suite.tray.IconCount(main) == 0, "the icon is gone");
}

void ArmingFromTheMenu(Suite& suite) {
    Report& report = suite.report;
    auto program = suite.Start(L"menu-arming");
    HWND main = program->Main();

    int second = EnterSecondSoon({program.get()}, [](const ProgramUnderTest& started) {
        Click(started.MainControl(ControlId::Suspendre));
    });
    report.Check(!IsShown(main) && suite.tray.IconCount(main) == 1,
                 "\"Suspendre\" at first use hides the main window behind the icon");
    report.Check(!CountdownOpensAt(*program, second),
                 "\"Suspendre\" at first use leaves the schedule disarmed: its second passes");
    report.Check(OnlyActiverEnabled(*program), "then only \"&Activer\" can be chosen");

    PostIconCallback(main, WM_LBUTTONDOWN);
    WaitUntil([&] { return IsShown(main); });
    SetText(program->MainControl(ControlId::TxTChoix), TimeFarAhead());
    ChooseMenuItem(*program, MenuItem::Activer);
    report.Check(IsShown(main), "\"&Activer\" from the menu hides nothing");
    report.Check(OnlySuspendreEnabled(*program), "then only \"&Suspendre\" can be chosen");
    second = EnterSecondSoon({program.get()});
    const Arrival arrival = AwaitCountdowns({program.get()}, second).front();
    report.Check(
        arrival.window != nullptr && !arrival.early &&
            TextOf(program->CountdownControl(ControlId::Sentence)) ==
                Sentence(KindOf(Action::PowerOff).opening, KindOf(Action::PowerOff).wideBlanks),
        "armed from the menu, the power-off countdown opens at the entered second");
    report.Check(!IsShown(main), "the countdown hides the main window that was shown");

    PostIconCallback(main, WM_LBUTTONDOWN);
    WaitUntil([&] { return program->Countdown() == nullptr && IsShown(main); });
    ChooseMenuItem(*program, MenuItem::Suspendre);
    report.Check(IsShown(main), "\"&Suspendre\" from the menu hides nothing");
    report.Check(OnlyActiverEnabled(*program), "then only \"&Activer\" can be chosen again");
    second = EnterSecondSoon({program.get()});
    report.Check(!CountdownOpensAt(*program, second),
                 "disarmed from the menu, the entered second passes with no countdown");

    Click(program->MainControl(ControlId::Quitter));
    CheckEnds(report, "\"Quitter\" ends the program", *program);
    CheckPowerLog(report, "no power action was called", *program, {});
}

void ChangesWhileArmed(Suite& suite) {
    Report& report = suite.report;
    auto program = suite.Start(L"while-armed");
    HWND main = program->Main();
    RetireToIcon(*program, ControlId::Activer, TimeFarAhead());

    ClickInside(program->MainControl(ControlId::Veille));
    CheckSelectedOption(report, "the option can be changed while armed and hidden", *program,
                        ControlId::Veille);
    const int second = EnterSecondSoon({program.get()});
    const Arrival arrival = AwaitCountdowns({program.get()}, second).front();
    const CountdownKind& standby = KindOf(Action::Standby);
    report.Check(arrival.window != nullptr && !arrival.early,
                 "an entry edited while armed comes due at its second");
    CheckText(report, "the option chosen while armed decides: the standby countdown opens",
              program->CountdownControl(ControlId::Sentence),
              Sentence(standby.opening, standby.wideBlanks));

    Click(program->CountdownControl(ControlId::Annuler));
    CheckEnds(report, "\"&Annuler\" ends the program", *program);
    CheckPowerLog(report, "no power action was called", *program, {});
    report.Check(suite.tray.IconCount(main) == 0, "the icon is gone");
}

}  // namespace e2e

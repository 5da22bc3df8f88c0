// The close boxes of the windows' frames, and the shell starting anew.
#include <windows.h>

#include <shellapi.h>

#include "actions.h"
#include "checks.h"
#include "countdown_kinds.h"
#include "steps.h"
#include "suite.h"

namespace e2e {

void CloseBoxes(Suite& suite) {
    Report& report = suite.report;
    {
        auto program = suite.Start(L"close-main");
        HWND main = program->Main();
        RetireToIcon(*program, ControlId::Activer, TimeFarAhead());
        PostIconCallback(main, WM_LBUTTONDOWN);
        WaitUntil([&] { return IsShown(main); });
        PressCloseBox(main);
        CheckEnds(report, "the main window's close box ends the program", *program);
        report.Check(suite.tray.IconCount(main) == 0 &&
                         suite.tray.RequestsOf(main).back().message == NIM_DELETE,
                     "closing the main window removes the icon");
    }
    {
        auto program = suite.Start(L"close-countdown");
        HWND main = program->Main();
        const CountdownKind& restart = KindOf(Action::Restart);
        RetireToIcon(*program, ControlId::Suspendre, TimeFarAhead());
        ChooseMenuItem(*program, restart.menuItem);
        WaitUntil([&] { return IsShown(program->Countdown()) && !program->PowerLog().empty(); });
        PressCloseBox(program->Countdown());
        CheckSoon(report, "a countdown window's close box closes it",
                  [&] { return program->Countdown() == nullptr; });
        report.Check(program->Alive() && !IsShown(main) && suite.tray.IconCount(main) == 1,
                     "the program lives on behind its icon, its main window hidden");
        CheckPowerLog(report, "the restart handed over at the opening is not withdrawn", *program,
                      LogAtOpening(restart));
        ChooseMenuItem(*program, MenuItem::Quitter);
        CheckEnds(report, "\"&Quitter\" then ends the program", *program);
        CheckPowerLog(report, "and calls no power action", *program, LogAtOpening(restart));
    }
}

void TaskbarCreated(Suite& suite) {
    Report& report = suite.report;
    auto program = suite.Start(L"taskbar-created");
    HWND main = program->Main();
    // A broadcast sent with SendMessageTimeout has been handled when it returns.
    suite.tray.Restart();
    report.Check(suite.tray.IconCount(main) == 0 && IsShown(main),
                 "before any arming, \"TaskbarCreated\" adds no icon");

    RetireToIcon(*program, ControlId::Activer, TimeFarAhead());
    suite.tray.Restart();
    const std::vector<FakeTray::Request> requests = suite.tray.RequestsOf(main);
    report.Check(suite.tray.IconCount(main) == 1 && requests.size() == 2 &&
                     requests.back().message == NIM_ADD && requests.back().granted,
                 "after the shell starts anew the program adds its icon again");
    HWND menu = OpenMenu(*program);
    report.Check(menu != nullptr, "the icon's menu still opens");
    PressMenuKeys(menu, {VK_ESCAPE});
    WaitForMenuClosed(*program);
    PostIconCallback(main, WM_LBUTTONDOWN);
    CheckSoon(report, "a left press still shows the main window", [&] { return IsShown(main); });
    Click(program->MainControl(ControlId::Quitter));
    CheckEnds(report, "\"Quitter\" ends the program", *program);
    report.Check(suite.tray.IconCount(main) == 0, "the icon is gone");
}

}  // namespace e2e

// The suite's rows. Labels are the lines the driver prints; a step without a
// label waits for its facts without printing a check.
#include "rows.h"

#include <windows.h>

namespace e2e {

namespace {

constexpr int C(ControlId id) {
    return static_cast<int>(id);
}
constexpr int M(MenuItem item) {
    return static_cast<int>(item);
}
constexpr int L(Log log) {
    return static_cast<int>(log);
}
constexpr Step Do(Op op, int what = 0, int more = 0) {
    return {op, what, more};
}
constexpr Step Check(Op op, std::string_view label, int what = 0, int more = 0) {
    return {op, what, more, {}, label};
}
constexpr Step Holds(int facts, std::string_view label, Log log = Log::Empty) {
    return {Op::Holds, facts, L(log), {}, label};
}
constexpr Step IsOfKind(Action kind, std::string_view label) {
    return {Op::Holds, kCountdownShown | kCountdownOfKind, static_cast<int>(kind), {}, label};
}
constexpr Step Text(ControlId id, std::wstring_view text, std::string_view label, int more = 0) {
    return {Op::Text, C(id), more, text, label};
}
constexpr Step Refused(std::wstring_view entry, ControlId button) {
    return {Op::Refused, C(button), 0, entry};
}
constexpr Step kTypeAnHourAhead{Op::Type, kAnHourAhead};
constexpr Step kLeftPress = Do(Op::Icon, WM_LBUTTONDOWN);
constexpr int kLongWait = 1;  // a whole countdown may run first

constexpr Step kStartUp[] = {
    Check(Op::FirstClock, "the clock reads \"Heure Système\" until its first tick"),
    Holds(kMainShown | kMainTopmost, "the main window is shown and topmost"),
    Check(Op::MainWindow, ""),
    Text(ControlId::TxTChoix, kEntryInvitation, "the entry shows its invitation"),
    Text(ControlId::Conforme, L"", "the verdict is empty"),
    Check(Op::Selected, "\"Arrêter\" is selected", C(ControlId::Arreter)),
    Holds(kNoIcon, "there is no icon"),
    Check(Op::ClockTicks, ""),
    Check(Op::OptionsAlike, "the three option buttons are the same kind of button, alike"),
    Check(Op::OptionKeys, "")};

// The example text left by a refusal is itself malformed: it comes last.
constexpr Step kRefusal[] = {
    Do(Op::Start),
    Refused(kEntryInvitation, ControlId::Activer),
    Refused(L"4:30:25", ControlId::TxTChoix),  // Enter in the entry
    Refused(L"04:60:00", ControlId::Suspendre),
    Refused(L"04.30.25", ControlId::Activer),
    Refused(L"04:30:25 ", ControlId::Activer),
    Refused(L"", ControlId::Suspendre),
    Refused(L"24:00:00", ControlId::Activer),
    Refused(L"59:59:59", ControlId::Suspendre),
    Refused(kEntryExample, ControlId::Activer),
    Holds(kMainShown | kNoCountdown | kNoIcon | kLogIs,
          "after the refusals the main window is shown, with no icon and no countdown"),
    Text(ControlId::Conforme, L"", "after the refusals the verdict is empty"),
    Do(Op::ClickIn, C(ControlId::TxTChoix)),
    Text(ControlId::TxTChoix, L"", "a click into the entry empties it"),
    kTypeAnHourAhead,
    Do(Op::Press, C(ControlId::Activer)),
    Holds(kMainHidden | kOneIcon, "a well-formed time is taken: the main window goes to the icon"),
    Text(ControlId::Conforme, L"OUI", "the verdict is \"OUI\"")};

// The three run side by side, so their seconds of waiting overlap.
constexpr Step kRunToTheEnd[] = {
    Do(Op::Start),
    Do(Op::ClickIn, C(ControlId::Form1Label3)),
    Check(Op::Selected, "power off: a click selects its option", C(ControlId::Arreter)),
    Do(Op::Use, 1),
    Do(Op::Start),
    Do(Op::ClickIn, C(ControlId::Form1Label2)),
    Check(Op::Selected, "restart: a click selects its option", C(ControlId::Reboot)),
    Do(Op::Use, 2),
    Do(Op::Start),
    Do(Op::ClickIn, C(ControlId::Veille)),
    Check(Op::Selected, "standby: a click selects its option", C(ControlId::Veille)),
    Do(Op::ArmSoon, C(ControlId::Activer)),
    Do(Op::Use, 0),
    Holds(kMainHidden | kOneIcon, "power off: \"Activer\" hides the main window behind one icon"),
    Do(Op::Use, 1),
    Holds(kMainHidden | kOneIcon, "restart: \"Activer\" hides the main window behind one icon"),
    Do(Op::Use, 2),
    Holds(kMainHidden | kOneIcon, "standby: \"Activer\" hides the main window behind one icon"),
    Do(Op::AwaitCountdowns),
    Do(Op::Use, 0),
    Check(Op::Arrived, "power off: its countdown window opens at the entered second"),
    Do(Op::Opened, static_cast<int>(Action::PowerOff)),
    Do(Op::Use, 1),
    Check(Op::Arrived, "restart: its countdown window opens at the entered second"),
    Do(Op::Opened, static_cast<int>(Action::Restart)),
    Do(Op::Use, 2),
    Check(Op::Arrived, "standby: its countdown window opens at the entered second"),
    Do(Op::Opened, static_cast<int>(Action::Standby)),
    Do(Op::Use, 0),
    Holds(kLogIs, "power off: the power log holds what the opening did"),
    Do(Op::Use, 1),
    Holds(kLogIs, "restart: the power log holds what the opening did", Log::RestartOpened),
    Check(Op::RestartLine,
          "restart: the logged restart command line is the exact 164-character one"),
    Do(Op::Use, 2),
    Holds(kLogIs, "standby: the power log holds what the opening did"),
    Do(Op::Midway),
    Do(Op::Use, 0),
    Check(Op::Ends, "power off: the program ends at the end of the bar", 0, kLongWait),
    Holds(kLogIs, "power off: EteindreXP was called, once", Log::PowerOff),
    Holds(kNoIcon, "power off: the icon is gone at the end"),
    Do(Op::Use, 1),
    Check(Op::Ends, "restart: the program ends at the end of the bar", 0, kLongWait),
    Holds(kLogIs, "restart: nothing is logged after the restart line", Log::RestartOpened),
    Holds(kNoIcon, "restart: the icon is gone at the end"),
    Do(Op::Use, 2),
    Text(ControlId::Annuler, kFinCaption, "standby: the button reads \"Fin\" at the end of the bar",
         kLongWait),
    Text(ControlId::Sentence, kStandbyFinished,
         "standby: the sentence reads \"Mode mise en veille terminé\""),
    Holds(kNumberHidden, "standby: the number is hidden"),
    Holds(kBarFull, "standby: the bar spans the window"),
    Holds(kLogIs, "standby: VeilleXP was called, once", Log::Standby),
    Holds(kAlive | kCountdownShown | kMainHidden,
          "standby: the program lives on, its window open, the main window hidden"),
    Do(Op::Press, C(ControlId::Annuler)),
    Check(Op::Ends, "standby: \"Fin\" ends the program"),
    Holds(kLogIs, "standby: \"Fin\" logs nothing more", Log::Standby),
    Holds(kNoIcon, "standby: the icon is gone at the end")};

// Opened from the menu and cancelled, one way of pressing "&Annuler" each.
#define CANCEL(kind, name, item, press, how, log)                                                \
    Do(Op::Start), kTypeAnHourAhead, Do(Op::Press, C(ControlId::Suspendre)),                     \
        Do(Op::Choose, M(item)),                                                                 \
        Holds(kCountdownShown, name ": its menu item opens its countdown window"),               \
        Do(Op::Opened, static_cast<int>(kind)),                                                  \
        Holds(kLogIs, name ": the power log holds what the opening did", log),                   \
        Do(press, C(ControlId::Annuler)), Check(Op::Ends, name ": " how " ends the program"),    \
        Holds(kLogIs, name ": the cancel calls no power action but the withdrawal of a restart", \
              log == Log::RestartOpened ? Log::RestartCancelled : log),                          \
        Holds(kNoIcon, name ": the icon is gone")
constexpr Step kCancel[] = {
    CANCEL(Action::PowerOff, "power off", MenuItem::Arreter, Op::Press, "a click on \"&Annuler\"",
           Log::Empty),
    CANCEL(Action::Restart, "restart", MenuItem::Reboot, Op::PressAltA, "Alt+A",
           Log::RestartOpened),
    CANCEL(Action::Standby, "standby", MenuItem::Veille, Op::PressEnter, "Enter", Log::Empty)};
#undef CANCEL

constexpr Step kIconMenu[] = {
    Do(Op::Start), kTypeAnHourAhead, Do(Op::Press, C(ControlId::Activer)),
    Check(Op::IconAdded,
          "\"Activer\" adds the icon: identifier 1, message, icon and tip, "
          "callbacks as WM_MOUSEMOVE"),
    // Mouse messages over the icon that do nothing by themselves.
    Do(Op::IconSent, WM_MOUSEMOVE), Do(Op::IconSent, WM_LBUTTONUP),
    Do(Op::IconSent, WM_LBUTTONDBLCLK), Do(Op::IconSent, WM_RBUTTONDOWN),
    Do(Op::IconSent, WM_RBUTTONDBLCLK), Do(Op::IconSent, WM_MBUTTONDOWN),
    Do(Op::IconSent, 0x1205),  // a right release only in its low bits
    Holds(kMainHidden | kNoMenu,
          "pointer moves, left releases, double-clicks, right presses and 0x1205 do nothing"),
    kLeftPress, Holds(kMainShown, "a left press on the icon shows the main window"),
    Do(Op::Press, C(ControlId::Activer)),
    Check(Op::IconKept, "\"Activer\" again after \"Montrer\" hides the window and leaves one icon"),
    Do(Op::OpenMenu), Holds(kMenuShown, "a right release on the icon opens the menu"),
    Do(Op::IconSent, WM_LBUTTONDOWN), Do(Op::IconSent, WM_RBUTTONUP),
    Holds(kMainHidden | kOneMenu | kMenuShown, "callbacks while the menu is open are dropped"),
    Do(Op::MenuKey, VK_ESCAPE), Holds(kNoMenu | kMainHidden, "Escape closes the menu"),
    Check(Op::MenuComesRound,
          "the menu has seven items: nine arrow presses come round to "
          "\"&Suspendre\""),
    Do(Op::Choose, M(MenuItem::Arreter)),
    IsOfKind(Action::PowerOff, "\"A&rrêter l'ordinateur\" opens the power-off countdown"),
    kLeftPress,
    Holds(kNoCountdown | kMainShown, "a left press closes the countdown and shows the main window"),
    Do(Op::Choose, M(MenuItem::Veille)),
    IsOfKind(Action::Standby, "\"Mettre en &Veille\" opens the standby countdown"),
    Holds(kMainHidden, "the standby countdown hides the main window"),
    Do(Op::Choose, M(MenuItem::Montrer)),
    Holds(kNoCountdown | kMainShown, "\"&Montrer\" closes the countdown and shows the main window"),
    Do(Op::Choose, M(MenuItem::Reboot)),
    IsOfKind(Action::Restart, "\"&Redémarrer l'ordinateur\" opens the restart countdown"),
    Do(Op::Choose, M(MenuItem::Quitter)), Check(Op::Ends, "\"&Quitter\" ends the program"),
    Holds(kLogIs, "closing countdowns from the icon calls no power action but the restart's",
          Log::RestartOpened),
    Holds(kNoIcon, "the icon is gone")};

constexpr Step kArmingFromTheMenu[] = {
    Do(Op::Start),
    Do(Op::ArmSoon, C(ControlId::Suspendre)),
    Holds(kMainHidden | kOneIcon,
          "\"Suspendre\" at first use hides the main window behind the icon"),
    Check(Op::SecondPasses,
          "\"Suspendre\" at first use leaves the schedule disarmed: its second "
          "passes"),
    Check(Op::OnlyArming, "then only \"&Activer\" can be chosen", M(MenuItem::Activer)),
    kLeftPress,
    Holds(kMainShown, ""),
    kTypeAnHourAhead,
    Do(Op::Choose, M(MenuItem::Activer)),
    Holds(kMainShown, "\"&Activer\" from the menu hides nothing"),
    Check(Op::OnlyArming, "then only \"&Suspendre\" can be chosen", M(MenuItem::Suspendre)),
    Do(Op::ArmSoon),
    Do(Op::AwaitCountdowns),
    Check(Op::Arrived, "armed from the menu, the countdown opens at the entered second"),
    IsOfKind(Action::PowerOff, "it is the power-off countdown"),
    Holds(kMainHidden, "the countdown hides the main window that was shown"),
    kLeftPress,
    Holds(kNoCountdown | kMainShown, ""),
    Do(Op::Choose, M(MenuItem::Suspendre)),
    Holds(kMainShown, "\"&Suspendre\" from the menu hides nothing"),
    Check(Op::OnlyArming, "then only \"&Activer\" can be chosen again", M(MenuItem::Activer)),
    Do(Op::ArmSoon),
    Check(Op::SecondPasses, "disarmed from the menu, the entered second passes with no countdown"),
    Do(Op::Press, C(ControlId::Quitter)),
    Check(Op::Ends, "\"Quitter\" ends the program"),
    Holds(kLogIs, "no power action was called")};

constexpr Step kChangesWhileArmed[] = {
    Do(Op::Start),
    kTypeAnHourAhead,
    Do(Op::Press, C(ControlId::Activer)),
    Do(Op::ClickIn, C(ControlId::Veille)),
    Check(Op::Selected, "the option can be changed while armed and hidden", C(ControlId::Veille)),
    Do(Op::ArmSoon),
    Do(Op::AwaitCountdowns),
    Check(Op::Arrived, "an entry edited while armed comes due at its second"),
    IsOfKind(Action::Standby, "the option chosen while armed decides: the standby countdown opens"),
    Do(Op::Press, C(ControlId::Annuler)),
    Check(Op::Ends, "\"&Annuler\" ends the program"),
    Holds(kLogIs, "no power action was called"),
    Holds(kNoIcon, "the icon is gone")};

constexpr Step kCloseBoxes[] = {
    Do(Op::Start),
    kTypeAnHourAhead,
    Do(Op::Press, C(ControlId::Activer)),
    kLeftPress,
    Holds(kMainShown, ""),
    Do(Op::CloseBox, 0),
    Check(Op::Ends, "the main window's close box ends the program"),
    Check(Op::IconDeleted, "closing the main window removes the icon"),
    Do(Op::Start),
    kTypeAnHourAhead,
    Do(Op::Press, C(ControlId::Suspendre)),
    Do(Op::Choose, M(MenuItem::Reboot)),
    Holds(kCountdownShown | kLogIs, "", Log::RestartOpened),
    Do(Op::CloseBox, 1),
    Holds(kNoCountdown, "a countdown window's close box closes it"),
    Holds(kAlive | kMainHidden | kOneIcon,
          "the program lives on behind its icon, its main window hidden"),
    Holds(kLogIs, "the restart handed over at the opening is not withdrawn", Log::RestartOpened),
    Do(Op::Choose, M(MenuItem::Quitter)),
    Check(Op::Ends, "\"&Quitter\" then ends the program"),
    Holds(kLogIs, "and calls no power action", Log::RestartOpened)};

constexpr Step kTaskbarCreated[] = {
    Do(Op::Start),
    Do(Op::RestartTray),
    Holds(kNoIcon | kMainShown, "before any arming, \"TaskbarCreated\" adds no icon"),
    kTypeAnHourAhead,
    Do(Op::Press, C(ControlId::Activer)),
    Do(Op::RestartTray),
    Check(Op::IconReadded, "after the shell starts anew the program adds its icon again"),
    Do(Op::OpenMenu),
    Holds(kMenuShown, "the icon's menu still opens"),
    Do(Op::MenuKey, VK_ESCAPE),
    Holds(kNoMenu, ""),
    kLeftPress,
    Holds(kMainShown, "a left press still shows the main window"),
    Do(Op::Press, C(ControlId::Quitter)),
    Check(Op::Ends, "\"Quitter\" ends the program"),
    Holds(kNoIcon, "the icon is gone")};

constexpr Step kStorm[] = {Do(Op::Start), kTypeAnHourAhead, Do(Op::Press, C(ControlId::Activer)),
                           Do(Op::Storm)};

// The main window shown beside a countdown, so that a move taken for a left
// press would close the countdown, and one taken for a right release would
// open the menu.
constexpr Step kPointerMoves[] = {
    Do(Op::Start),
    kTypeAnHourAhead,
    Do(Op::Press, C(ControlId::Activer)),
    Do(Op::Choose, M(MenuItem::Veille)),
    Holds(kCountdownShown, ""),
    Do(Op::ShowMain),
    Holds(kMainShown, ""),
    Check(Op::PointerSweep,
          "real pointer moves over the whole client area of the shown main "
          "window neither close the countdown nor open the menu"),
    kLeftPress,
    Holds(kNoCountdown | kMainShown, "the icon's left press then still acts")};

constexpr Row kRows[] = {{"start-up", kStartUp, false},
                         {"refusal", kRefusal, true},
                         {"countdowns-run-to-their-end", kRunToTheEnd, false},
                         {"cancel-in-each-countdown", kCancel, false},
                         {"icon-menu", kIconMenu, true},
                         {"arming-from-the-menu", kArmingFromTheMenu, true},
                         {"changes-while-armed", kChangesWhileArmed, true},
                         {"close-boxes", kCloseBoxes, true},
                         {"taskbar-created", kTaskbarCreated, true},
                         {"storm", kStorm, true},
                         {"pointer-moves", kPointerMoves, false}};

constexpr Step Shoot(int window, std::string_view name) {
    return {Op::Shoot, window, 0, {}, name};
}

constexpr Step kTour[] = {Do(Op::Start),
                          Shoot(0, "main-window"),
                          {Op::Type, 0, 0, L"25h30"},
                          Do(Op::PressPosted, C(ControlId::Activer)),
                          Holds(kBoxShown, ""),
                          Shoot(3, "refusal"),
                          Do(Op::OkBox),
                          kTypeAnHourAhead,
                          Do(Op::Press, C(ControlId::Suspendre)),
                          Do(Op::OpenMenu),
                          Holds(kMenuShown, ""),
                          Shoot(2, "menu"),
                          Do(Op::MenuKey, VK_ESCAPE),
                          Holds(kNoMenu, ""),
                          Do(Op::Choose, M(MenuItem::Arreter)),
                          Holds(kCountdownShown, ""),
                          Shoot(1, "countdown-power-off"),
                          Do(Op::Choose, M(MenuItem::Reboot)),
                          Holds(kCountdownShown, ""),
                          Shoot(1, "countdown-restart"),
                          Do(Op::Choose, M(MenuItem::Veille)),
                          Holds(kCountdownShown, ""),
                          Shoot(1, "countdown-standby"),
                          Do(Op::Choose, M(MenuItem::Quitter)),
                          Check(Op::Ends, "the program ends")};

}  // namespace

std::span<const Row> SuiteRows() {
    return kRows;
}

std::span<const Step> TourSteps() {
    return kTour;
}

}  // namespace e2e

// The suite as data: each row ("== name", "96" when it runs at 96 dpi only
// because no pixel decides it, "per-kind" when it runs once for each kind of
// countdown) lists steps, a verb and its words, then after "|" the check's
// name. Steps are done to the program in use, the first unless "use" says;
// "each" does a step in the program of each kind, the kind's name before the
// label. Verbs and facts: driver.cpp.
#include "driver.h"

namespace e2e {

extern const std::string_view kSuite = R"(
== start-up
first-clock | the clock reads "Heure Système" until its first tick
holds main-shown main-topmost | the main window is shown and topmost
main-window
text TxTChoix invitation | the entry shows its invitation
text Conforme "" | the verdict is empty
selected Arreter | "Arrêter" is selected
holds no-icon | there is no icon
clock-ticks
options-alike | the three option buttons are the same kind of button, alike
option-keys
type "25h30"
press-posted Activer
holds box-shown
ok-box
example-from-start | after a refusal the entry shows the example from its first character
== refusal 96
start
refused invitation Activer
refused "4:30:25" TxTChoix
refused "04:60:00" Suspendre
refused "04.30.25" Activer
refused "04:30:25 " Activer
refused "" Suspendre
refused "24:00:00" Activer
refused "59:59:59" Suspendre
refused example Activer
holds main-shown no-countdown no-icon log=empty | after the refusals the main window is shown, with no icon and no countdown
text Conforme "" | after the refusals the verdict is empty
click TxTChoix
text TxTChoix "" | a click into the entry empties it
type ahead
press Activer
holds main-hidden one-icon | a well-formed time is taken: the main window goes to the icon
text Conforme "OUI" | the verdict is "OUI"
== countdowns-run-to-their-end
each start
each click chooser
each selected own | a click selects its option
arm-soon Activer
each holds main-hidden one-icon | "Activer" hides the main window behind one icon
await-countdowns
each holds arrived | its countdown window opens at the entered second
each opened
each holds log=opened | the power log holds what the opening did
use 1
holds restart-line | restart: the logged restart command line is the exact 164-character one
midway
use 0
holds ended long | power off: the program ends at the end of the bar
holds log=power-off | power off: EteindreXP was called, once
holds no-icon | power off: the icon is gone at the end
use 1
holds ended long | restart: the program ends at the end of the bar
holds log=restart-opened | restart: nothing is logged after the restart line
holds no-icon | restart: the icon is gone at the end
use 2
text Annuler "Fin" long | standby: the button reads "Fin" at the end of the bar
text Sentence "Mode mise en veille terminé" | standby: the sentence reads "Mode mise en veille terminé"
holds number-hidden | standby: the number is hidden
holds bar-full | standby: the bar spans the window
holds log=standby | standby: VeilleXP was called, once
holds alive countdown-shown main-hidden | standby: the program lives on, its window open, the main window hidden
press Annuler
holds ended | standby: "Fin" ends the program
holds log=standby | standby: "Fin" logs nothing more
holds no-icon | standby: the icon is gone at the end
== cancel-in-each-countdown per-kind
start
type ahead
press Suspendre
choose own
holds countdown-shown | its menu item opens its countdown window
opened
holds log=opened | the power log holds what the opening did
cancel | ends the program
holds log=cancelled | the cancel calls no power action but the withdrawal of a restart
holds no-icon | the icon is gone
== icon-menu 96
start
type ahead
press Activer
holds added-once | "Activer" adds the icon: identifier 1, message, icon and tip, callbacks as WM_MOUSEMOVE
icon-sent move left-up left-double right-down right-double middle-down 0x1205
holds main-hidden no-menu | pointer moves, left releases, double-clicks, right presses and 0x1205 do nothing
icon left-down
holds main-shown | a left press on the icon shows the main window
press Activer
holds main-hidden one-icon second-add-refused | "Activer" again after "Montrer" hides the window and leaves one icon
icon right-up
holds menu-shown | a right release on the icon opens the menu
icon-sent left-down right-up
holds main-hidden one-menu menu-shown | callbacks while the menu is open are dropped
escape
holds no-menu main-hidden | Escape closes the menu
enabled-at 9 | the menu has seven items: nine arrow presses come round to "&Suspendre"
choose arreter
holds kind=0 | "A&rrêter l'ordinateur" opens the power-off countdown
icon left-down
holds no-countdown main-shown | a left press closes the countdown and shows the main window
choose veille
holds kind=2 | "Mettre en &Veille" opens the standby countdown
holds main-hidden | the standby countdown hides the main window
choose montrer
holds no-countdown main-shown | "&Montrer" closes the countdown and shows the main window
choose reboot
holds kind=1 | "&Redémarrer l'ordinateur" opens the restart countdown
choose quitter
holds ended | "&Quitter" ends the program
holds log=restart-opened | closing countdowns from the icon calls no power action but the restart's
holds no-icon | the icon is gone
== arming-from-the-menu 96
start
arm-soon Suspendre
holds main-hidden one-icon | "Suspendre" at first use hides the main window behind the icon
holds second-passed no-countdown | "Suspendre" at first use leaves the schedule disarmed: its second passes
only-arming activer | then only "&Activer" can be chosen
icon left-down
holds main-shown
type ahead
choose activer
holds main-shown | "&Activer" from the menu hides nothing
only-arming suspendre | then only "&Suspendre" can be chosen
arm-soon
await-countdowns
holds arrived | armed from the menu, the countdown opens at the entered second
holds kind=0 | it is the power-off countdown
holds main-hidden | the countdown hides the main window that was shown
icon left-down
holds no-countdown main-shown
choose suspendre
holds main-shown | "&Suspendre" from the menu hides nothing
only-arming activer | then only "&Activer" can be chosen again
arm-soon
holds second-passed no-countdown | disarmed from the menu, the entered second passes with no countdown
press Quitter
holds ended | "Quitter" ends the program
holds log=empty | no power action was called
== changes-while-armed 96
start
type ahead
press Activer
click Veille
selected Veille | the option can be changed while armed and hidden
arm-soon
await-countdowns
holds arrived | an entry edited while armed comes due at its second
holds kind=2 | the option chosen while armed decides: the standby countdown opens
press Annuler
holds ended | "&Annuler" ends the program
holds log=empty | no power action was called
holds no-icon | the icon is gone
== close-boxes 96
start
type ahead
press Activer
icon left-down
holds main-shown
close main
holds ended | the main window's close box ends the program
holds no-icon deleted-last | closing the main window removes the icon
start
type ahead
press Suspendre
choose reboot
holds countdown-shown log=restart-opened
close countdown
holds no-countdown | a countdown window's close box closes it
holds alive main-hidden one-icon | the program lives on behind its icon, its main window hidden
holds log=restart-opened | the restart handed over at the opening is not withdrawn
choose quitter
holds ended | "&Quitter" then ends the program
holds log=restart-opened | and calls no power action
== taskbar-created 96
start
restart-tray
holds no-icon main-shown | before any arming, "TaskbarCreated" adds no icon
type ahead
press Activer
restart-tray
holds one-icon added-again | after the shell starts anew the program adds its icon again
icon right-up
holds menu-shown | the icon's menu still opens
escape
holds no-menu
icon left-down
holds main-shown | a left press still shows the main window
press Quitter
holds ended | "Quitter" ends the program
holds no-icon | the icon is gone
== storm 96
start
type ahead
press Activer
storm
== pointer-moves
start
type ahead
press Activer
choose veille
holds countdown-shown
show-main
holds main-shown
pointer-sweep | real pointer moves over the whole client area of the shown main window neither close the countdown nor open the menu
icon left-down
holds no-countdown main-shown | the icon's left press then still acts
== tour
start
shoot main main-window
type "25h30"
press-posted Activer
holds box-shown
shoot box refusal
ok-box
type ahead
press Suspendre
icon right-up
holds menu-shown
shoot menu menu
escape
holds no-menu
choose arreter
holds countdown-shown
shoot countdown countdown-power-off
choose reboot
holds countdown-shown
shoot countdown countdown-restart
choose veille
holds countdown-shown
shoot countdown countdown-standby
choose quitter
holds ended | the program ends
)";

}  // namespace e2e

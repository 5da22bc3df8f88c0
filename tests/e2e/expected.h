#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "window_finding.h"

// What the user sees and what the test variant logs, letter for letter, and
// where the windows stand, in twips (1/1440 inch) as the layout gives them.
namespace e2e {

inline constexpr std::wstring_view kProgramTitle = L"Kalvoro XP";
inline constexpr std::wstring_view kClockPlaceholder = L"Heure Système";
inline constexpr std::wstring_view kEntryInvitation = L"Définissez ici une heure (hh:mm:ss)";
inline constexpr std::wstring_view kRefusalPrompt = L"Veuillez redéfinir une heure (hh:mm:ss)";
inline constexpr std::wstring_view kRefusalTitle = L"Format de l'heure incorrect !";
inline constexpr std::wstring_view kAnnulerCaption = L"&Annuler";
inline constexpr std::wstring_view kFinCaption = L"Fin";
inline constexpr std::wstring_view kStandbyFinished = L"Mode mise en veille terminé";
// "Exemple :", 36 blanks, "04:30:25".
inline constexpr std::wstring_view kEntryExample =
    L"Exemple :                                    04:30:25";
static_assert(kEntryExample.size() == 53);

// The power log (UTF-8; a carriage return is written "\r").
enum class Log { Empty, PowerOff, Standby, RestartOpened, RestartCancelled };
std::vector<std::string> LinesOf(Log log);
// The logged restart line turned back into the command line it stands for,
// and that command line as it must be, carriage returns included.
std::wstring CommandLineOfRestartLine(std::string_view line);
std::wstring RestartCommandLine();

// The icon's pop-up menu, by position.
enum class MenuItem { Activer = 1, Suspendre, Montrer, Arreter, Veille, Reboot, Quitter };
inline constexpr int kMenuItemCount = 7;

enum class Action { PowerOff, Restart, Standby };

// The three countdown windows as the user meets them.
struct CountdownKind {
    Action action;
    std::string_view name;
    ControlId option;    // its option button
    ControlId chosenBy;  // what the user clicks to select it
    MenuItem menuItem;
    std::wstring_view opening;  // the sentence's words before the gap of blanks
    int wideBlanks;
    int narrowBlanks;
    int clientTop;  // twips from the top of the screen
    int numberLeft;
    int sentenceWidth;
    Log atOpening;
    Log afterCancel;
};

inline constexpr std::array<CountdownKind, 3> kCountdownKinds{{
    {Action::PowerOff, "power off", ControlId::Arreter, ControlId::Form1Label3, MenuItem::Arreter,
     L"Extinction de l'ordinateur dans", 8, 6, 270, 2880, 4215, Log::Empty, Log::Empty},
    {Action::Restart, "restart", ControlId::Reboot, ControlId::Form1Label2, MenuItem::Reboot,
     L"Redémarrage dans :", 11, 8, 285, 2160, 3855, Log::RestartOpened, Log::RestartCancelled},
    {Action::Standby, "standby", ControlId::Veille, ControlId::Veille, MenuItem::Veille,
     L"Mise en veille dans", 8, 6, 285, 1920, 3855, Log::Empty, Log::Empty},
}};

// Shared by the three windows, and the main window's client area.
inline constexpr int kCountdownClientLeft = 45;
inline constexpr int kCountdownClientWidth = 7140;
inline constexpr int kCountdownClientHeight = 810;
inline constexpr int kSentenceLeft = 120;
inline constexpr int kMainClientWidth = 5445;
inline constexpr int kMainClientHeight = 2325;
inline constexpr RECT kAnnulerPlace{5400, 120, 6975, 375};  // left, top, right, bottom
// Where the main window's controls stand.
struct Place {
    ControlId id;
    RECT box;
};
inline constexpr Place kMainPlaces[] = {
    {ControlId::TxtHeure, {120, 120, 1815, 435}},
    {ControlId::TxTChoix, {1920, 120, 5295, 435}},
    {ControlId::Form1Label1, {120, 600, 3855, 855}},
    {ControlId::Arreter, {120, 1200, 375, 1455}},
    {ControlId::Form1Label3, {360, 1200, 1215, 1455}},
    {ControlId::Reboot, {120, 1560, 375, 1815}},
    {ControlId::Form1Label2, {360, 1560, 2655, 1815}},
    {ControlId::Veille, {120, 1920, 2175, 2175}},
    {ControlId::Activer, {4200, 1320, 5415, 1575}},
    {ControlId::Suspendre, {4200, 1680, 5415, 1935}},
    {ControlId::Quitter, {4200, 2040, 5415, 2295}},
};
// The countdowns' text: "MS Sans Serif" 9.75 pt, regular.
inline constexpr wchar_t kCountdownFont[] = L"MS Sans Serif";
inline constexpr int kCountdownFontCentipoints = 975;

// A countdown sentence: its opening words, the gap of blanks, "seconde(s) ...".
std::wstring Sentence(std::wstring_view opening, int blanks);

// Pixels of a length in twips on a screen of that dpi, to the nearest pixel.
int Pixels(int twips, int dpi);

}  // namespace e2e

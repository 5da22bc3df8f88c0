#pragma once

#include <string>
#include <string_view>

// What the user sees and what the test variant logs, letter for letter.
namespace e2e {

inline constexpr std::wstring_view kProgramTitle = L"Kalvoro XP";
inline constexpr std::wstring_view kClockPlaceholder = L"Heure Système";
inline constexpr std::wstring_view kEntryInvitation = L"Définissez ici une heure (hh:mm:ss)";
inline constexpr std::wstring_view kRefusalPrompt = L"Veuillez redéfinir une heure (hh:mm:ss)";
inline constexpr std::wstring_view kRefusalTitle = L"Format de l'heure incorrect !";
// "Exemple :", 36 blanks, "04:30:25": 53 characters.
std::wstring EntryExample();

inline constexpr std::wstring_view kAnnulerCaption = L"&Annuler";
inline constexpr std::wstring_view kFinCaption = L"Fin";
inline constexpr std::wstring_view kStandbyFinished = L"Mode mise en veille terminé";

// A countdown sentence: its opening words, the gap of blanks, "seconde(s) ...".
std::wstring Sentence(std::wstring_view opening, int blanks);

// Lines of kalvoro-power.log (UTF-8; a carriage return is written "\r").
inline constexpr std::string_view kPowerOffLine = "EteindreXP";
inline constexpr std::string_view kStandbyLine = "VeilleXP";
inline constexpr std::string_view kCancelRestartLine = "AnnulerRebootXP Shutdown -a";
// "RebootXP " and the restart command line as logged.
std::string RestartLine();
// The restart command line itself, carriage returns included.
std::wstring RestartCommandLine();
// The logged restart line turned back into the command line it stands for.
std::wstring CommandLineOfRestartLine(std::string_view line);

}  // namespace e2e

#pragma once

#include <optional>
#include <string_view>

namespace kalvoro {

// Fixed texts of the clock and the entry fields and of the refusal.
inline constexpr std::string_view kClockPlaceholder = "Heure Système";
inline constexpr std::string_view kEntryInvitation = "Définissez ici une heure (hh:mm:ss)";
inline constexpr std::string_view kVerdictOui = "OUI";
inline constexpr std::string_view kRefusalPrompt = "Veuillez redéfinir une heure (hh:mm:ss)";
inline constexpr std::string_view kRefusalTitle = "Format de l'heure incorrect !";
// "Exemple :", 36 blanks, "04:30:25": 53 characters.
inline constexpr std::string_view kExampleEntry =
    "Exemple :                                    04:30:25";
// Information icon and a single OK button.
inline constexpr int kRefusalStyle = 64;

// The second of the day that a well-formed entry names: exactly "hh:mm:ss",
// two decimal digits each, hh from 00 to 23, mm and ss from 00 to 59.
std::optional<int> EntrySecondOfDay(std::string_view entry);

// The verdict on an entry: "OUI" when it is well-formed, the empty text otherwise.
std::string_view VerifierHeure(std::string_view entry);

}  // namespace kalvoro

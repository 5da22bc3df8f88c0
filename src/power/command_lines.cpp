#include "power/command_lines.h"

namespace kalvoro {

std::string RestartCommandLine() {
    constexpr std::string_view kFirst =
        "Shutdown -r -t 12 -c Redémarrage_de_l'ordinateur_par_Kalvoro_XP.";
    constexpr std::string_view kSecond = "Pour_annuler,_appuyez_sur_le_bouton_*Annuler*_de_la";
    constexpr std::string_view kThird = "fenêtre_située_en_haut_à_gauche_de_votre_écran.";
    std::string line;
    line.reserve(kFirst.size() + kSecond.size() + kThird.size() + 2);
    line.append(kFirst).append(1, '\r').append(kSecond).append(1, '\r').append(kThird);
    return line;
}

}  // namespace kalvoro

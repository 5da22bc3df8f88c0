#include "power/command_lines.h"

namespace kalvoro {

namespace {

constexpr std::string_view kRestartOptions = "Shutdown -r -t 12 -c ";
static_assert(kRestartOptions.substr(15, 2) == "12" && kRestartDelaySeconds == 12);

}  // namespace

std::string RestartComment() {
    constexpr std::string_view kFirst = "Redémarrage_de_l'ordinateur_par_Kalvoro_XP.";
    constexpr std::string_view kSecond = "Pour_annuler,_appuyez_sur_le_bouton_*Annuler*_de_la";
    constexpr std::string_view kThird = "fenêtre_située_en_haut_à_gauche_de_votre_écran.";
    std::string comment;
    comment.reserve(kFirst.size() + kSecond.size() + kThird.size() + 2);
    comment.append(kFirst).append(1, '\r').append(kSecond).append(1, '\r').append(kThird);
    return comment;
}

std::string RestartCommandLine() {
    return std::string{kRestartOptions} + RestartComment();
}

}  // namespace kalvoro

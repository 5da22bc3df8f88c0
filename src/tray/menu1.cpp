#include "tray/menu1.h"

namespace kalvoro {

const std::array<MenuItem, 7> kMenu1{{
    {MenuCommand::MnuActiver, "&Activer"},
    {MenuCommand::MnuSuspendre, "&Suspendre"},
    {MenuCommand::MnuMontrer, "&Montrer"},
    {MenuCommand::MnuArreter, "A&rrêter l'ordinateur"},
    {MenuCommand::MnuVeille, "Mettre en &Veille"},
    {MenuCommand::MnuReboot, "&Redémarrer l'ordinateur"},
    {MenuCommand::MnuQuitter, "&Quitter"},
}};

std::optional<MenuCommand> MenuCommandFromId(unsigned id) {
    if (id < 1 || id > kMenu1.size()) {
        return std::nullopt;
    }
    return static_cast<MenuCommand>(id);
}

}  // namespace kalvoro

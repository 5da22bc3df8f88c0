#include "tray/menu1.h"

#include "ui/form1.h"

namespace kalvoro {

const std::array<MenuItem, 7> kMenu1{{
    {MenuCommand::MnuActiver, "&Activer", &Form1::MnuActiver_Click},
    {MenuCommand::MnuSuspendre, "&Suspendre", &Form1::MnuSuspendre_Click},
    {MenuCommand::MnuMontrer, "&Montrer", &Form1::MnuMontrer_Click},
    {MenuCommand::MnuArreter, "A&rrêter l'ordinateur", &Form1::MnuArrêter_Click},
    {MenuCommand::MnuVeille, "Mettre en &Veille", &Form1::MnuVeille_Click},
    {MenuCommand::MnuReboot, "&Redémarrer l'ordinateur", &Form1::MnuReboot_Click},
    {MenuCommand::MnuQuitter, "&Quitter", &Form1::MnuQuitter_Click},
}};

const MenuItem& MenuItemOf(MenuCommand command) {
    return kMenu1[static_cast<std::size_t>(command) - 1];
}

std::optional<MenuCommand> MenuCommandFromId(unsigned id) {
    if (id < 1 || id > kMenu1.size()) {
        return std::nullopt;
    }
    return static_cast<MenuCommand>(id);
}

}  // namespace kalvoro

#include "power/command_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalvoro {
namespace {

// No blank and no quote in the comment: it reaches Shutdown as one argument.
TEST(CommandLines, RestartLineIsExact) {
    const std::string line = RestartCommandLine();
    EXPECT_EQ(line,
              "Shutdown -r -t 12 -c Redémarrage_de_l'ordinateur_par_Kalvoro_XP.\r"
              "Pour_annuler,_appuyez_sur_le_bouton_*Annuler*_de_la\r"
              "fenêtre_située_en_haut_à_gauche_de_votre_écran.");
    // 164 characters, not bytes: the line is UTF-8.
    EXPECT_EQ(
        std::count_if(line.begin(), line.end(),
                      [](char c) { return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u; }),
        164);
}

}  // namespace
}  // namespace kalvoro

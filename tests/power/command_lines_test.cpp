#include "power/command_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "power/power_log.h"

namespace kalvoro {
namespace {

// Characters, not bytes: the line is UTF-8.
std::size_t CharacterCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    }));
}

TEST(CommandLines, RestartLineIsExact) {
    const std::string line = RestartCommandLine();
    EXPECT_EQ(line,
              "Shutdown -r -t 12 -c Redémarrage_de_l'ordinateur_par_Kalvoro_XP.\r"
              "Pour_annuler,_appuyez_sur_le_bouton_*Annuler*_de_la\r"
              "fenêtre_située_en_haut_à_gauche_de_votre_écran.");
    EXPECT_EQ(CharacterCount(line), 164u);
}

TEST(CommandLines, RestartCommentIsOneUnquotedArgument) {
    const std::string line = RestartCommandLine();
    const std::string prefix = "Shutdown -r -t 12 -c ";
    ASSERT_EQ(line.rfind(prefix, 0), 0u);
    const std::string comment = line.substr(prefix.size());
    EXPECT_EQ(CharacterCount(comment), 143u);
    EXPECT_EQ(comment.find_first_of(" \"\t\n"), std::string::npos);
    EXPECT_EQ(std::count(comment.begin(), comment.end(), '\r'), 2);
}

TEST(PowerLog, WritesOneLinePerActionWithCarriageReturnsEscaped) {
    std::vector<std::string> lines;
    PowerLog log{[&lines](std::string_view line) { lines.emplace_back(line); }};
    log.EteindreXP();
    log.RebootXP();
    log.AnnulerRebootXP();
    log.VeilleXP();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "EteindreXP");
    EXPECT_EQ(lines[1],
              "RebootXP Shutdown -r -t 12 -c Redémarrage_de_l'ordinateur_par_Kalvoro_XP.\\r"
              "Pour_annuler,_appuyez_sur_le_bouton_*Annuler*_de_la\\r"
              "fenêtre_située_en_haut_à_gauche_de_votre_écran.");
    EXPECT_EQ(lines[2], "AnnulerRebootXP Shutdown -a");
    EXPECT_EQ(lines[3], "VeilleXP");
}

}  // namespace
}  // namespace kalvoro

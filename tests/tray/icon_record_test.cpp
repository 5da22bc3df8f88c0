#include "tray/icon_record.h"

#include <gtest/gtest.h>

#include "tray/menu1.h"

namespace kalvoro {
namespace {

TEST(IconRecord, TipIsTheNameThenNulThenBlanksTo64) {
    const std::string tip = IconTip();
    ASSERT_EQ(tip.size(), 64u);
    EXPECT_EQ(tip.substr(0, 10), "Kalvoro XP");
    EXPECT_EQ(tip[10], '\0');
    EXPECT_EQ(tip.substr(11), std::string(53, ' '));
}

TEST(IconRecord, CallbackCarriesTheMouseMessageInTheLowWord) {
    EXPECT_EQ(MouseMessageOf(0x205), kRightButtonUp);
    EXPECT_EQ(MouseMessageOf(0x7FFF0201), kLeftButtonDown);
    EXPECT_EQ(MouseMessageOf(0x10000), 0u);
}

TEST(Menu1, SevenItemsInDisplayOrderWithQuitterAsDefault) {
    const char* captions[] = {"&Activer",          "&Suspendre",
                              "&Montrer",          "A&rrêter l'ordinateur",
                              "Mettre en &Veille", "&Redémarrer l'ordinateur",
                              "&Quitter"};
    for (std::size_t i = 0; i < kMenu1.size(); ++i) {
        EXPECT_EQ(kMenu1[i].caption, captions[i]);
        EXPECT_EQ(kMenu1[i].command, static_cast<MenuCommand>(i + 1));
    }
    EXPECT_EQ(kDefaultMenuItem, MenuCommand::MnuQuitter);
}

TEST(Menu1, OnlyKnownIdentifiersAreCommands) {
    EXPECT_FALSE(MenuCommandFromId(0).has_value());
    EXPECT_EQ(MenuCommandFromId(1), MenuCommand::MnuActiver);
    EXPECT_EQ(MenuCommandFromId(7), MenuCommand::MnuQuitter);
    EXPECT_FALSE(MenuCommandFromId(8).has_value());
}

}  // namespace
}  // namespace kalvoro

#include "tray/menu1.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

TEST(Menu1, SevenItemsInDisplayOrderWithQuitterAsDefault) {
    const char* captions[] = {"&Activer",          "&Suspendre",
                              "&Montrer",          "A&rrêter l'ordinateur",
                              "Mettre en &Veille", "&Redémarrer l'ordinateur",
                              "&Quitter"};
    ASSERT_EQ(kMenu1.size(), std::size(captions));
    for (std::size_t i = 0; i < kMenu1.size(); ++i) {
        EXPECT_EQ(kMenu1[i].caption, captions[i]);
        // The platform's identifier of an item is its place, from 1.
        EXPECT_EQ(MenuCommandFromId(static_cast<unsigned>(i + 1)), kMenu1[i].command);
    }
    EXPECT_EQ(kDefaultMenuItem, kMenu1.back().command);
    EXPECT_FALSE(MenuCommandFromId(0).has_value());
    EXPECT_FALSE(MenuCommandFromId(8).has_value());
}

}  // namespace
}  // namespace kalvoro

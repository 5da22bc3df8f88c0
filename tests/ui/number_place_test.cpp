#include "ui/number_place.h"

#include <gtest/gtest.h>

#include "ui/layout.h"

namespace kalvoro::layout {
namespace {

// A font drawing every blank with one width and every other character with another.
TextWidth Fake(int perCharacter, int perBlank) {
    return [perCharacter, perBlank](std::string_view text) {
        int pixels = 0;
        for (char c : text) {
            if (c == ' ')
                pixels += perBlank;
            else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                pixels += perCharacter;
        }
        return pixels;
    };
}

int LayoutPlace(WindowId window, int dpi) {
    return TwipsToPixels(FindControl(LayoutOf(window), ControlId::Number)->place.left, dpi);
}

TEST(NumberPlace, KeepsTheLayoutPlaceWhileTheNumbersFitAndMovesOtherwise) {
    struct Case {
        WindowId window;
        int dpi;
        int perCharacter;
        int perBlank;
        int expected;  // -1: the layout's place
    };
    // "Extinction de l'ordinateur dans": 28 characters and 3 blanks; "Mise en
    // veille dans": 16 and 3. The sentence starts at 8 px (96 dpi), 12 px (144 dpi).
    const Case cases[] = {
        {WindowId::Form2, 96, 5, 7, -1},
        {WindowId::Form4, 96, 5, 7, -1},
        {WindowId::Form2, 96, 7, 3, 8 + 28 * 7 + 3 * 3 + 3},  // the last word runs past it
        {WindowId::Form4, 96, 7, 3, 8 + 16 * 7 + 3 * 3 + 3},
        {WindowId::Form2, 144, 9, 4, 12 + 28 * 9 + 3 * 4 + 4},  // "9" too close to "seconde"
        {WindowId::Form2, 96, 6, 3, 8 + 28 * 6 + 3 * 3 + 3},    // "-1" runs into "seconde"
        {WindowId::Form4, 96, 6, 4, -1},  // "-1" ends right where the gap does
    };
    for (const Case& c : cases) {
        const int expected = c.expected < 0 ? LayoutPlace(c.window, c.dpi) : c.expected;
        EXPECT_EQ(NumberLeftPixels(c.window, c.dpi, Fake(c.perCharacter, c.perBlank)), expected)
            << static_cast<int>(c.window) << " at " << c.dpi << " dpi, " << c.perCharacter << " px";
    }
}

}  // namespace
}  // namespace kalvoro::layout

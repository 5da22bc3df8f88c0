#include "ui/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "countdown/countdown.h"
#include "countdown/countdown_kind.h"

namespace kalvoro::layout {
namespace {

constexpr WindowId kAllWindows[] = {WindowId::Form1, WindowId::Form2, WindowId::Form3,
                                    WindowId::Form4};
constexpr WindowId kCountdownWindows[] = {WindowId::Form2, WindowId::Form3, WindowId::Form4};

struct PixelBox {
    WindowId window;
    std::string_view name;
    int left, top, width, height;
};

// The pixel column of the window tables, copied from them independently of
// the twips that the program uses.
const std::vector<PixelBox> kPixelColumn{
    {WindowId::Form1, "TxtHeure", 8, 8, 113, 21},
    {WindowId::Form1, "TxTChoix", 128, 8, 225, 21},
    {WindowId::Form1, "Label1", 8, 40, 249, 17},
    {WindowId::Form1, "Arrêter", 8, 80, 17, 17},
    {WindowId::Form1, "Label3", 24, 80, 57, 17},
    {WindowId::Form1, "Reboot", 8, 104, 17, 17},
    {WindowId::Form1, "Label2", 24, 104, 153, 17},
    {WindowId::Form1, "Veille", 8, 128, 137, 17},
    {WindowId::Form1, "Activer", 280, 88, 81, 17},
    {WindowId::Form1, "Suspendre", 280, 112, 81, 17},
    {WindowId::Form1, "Quitter", 280, 136, 81, 17},
    {WindowId::Form1, "Conforme", 224, 112, 49, 19},
    {WindowId::Form2, "Label3", 8, 8, 281, 17},
    {WindowId::Form3, "Label3", 8, 8, 257, 17},
    {WindowId::Form4, "Label3", 8, 8, 257, 17},
    {WindowId::Form2, "Label2", 192, 8, 17, 17},
    {WindowId::Form3, "Label2", 144, 8, 17, 17},
    {WindowId::Form4, "Label2", 128, 8, 17, 17},
    {WindowId::Form2, "Annuler", 360, 8, 105, 17},
    {WindowId::Form3, "Annuler", 360, 8, 105, 17},
    {WindowId::Form4, "Annuler", 360, 8, 105, 17},
    {WindowId::Form2, "Label1", 0, 32, 1, 17},
    {WindowId::Form3, "Label1", 0, 32, 1, 17},
    {WindowId::Form4, "Label1", 0, 32, 1, 17},
};

const Control* ByName(WindowId window, std::string_view name) {
    for (const Control& control : LayoutOf(window).controls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

TEST(Layout, EveryControlHasThePixelBoxOfTheTablesAt96Dpi) {
    std::size_t controls = 0;
    for (const WindowId window : kAllWindows) {
        controls += LayoutOf(window).controls.size();
    }
    EXPECT_EQ(kPixelColumn.size(), controls);
    for (const PixelBox& expected : kPixelColumn) {
        const Control* control = ByName(expected.window, expected.name);
        ASSERT_NE(control, nullptr) << expected.name;
        const Box& box = control->place;
        const auto pixels = [](Twips twips) { return TwipsToPixels(twips, 96); };
        EXPECT_EQ(
            (std::array{pixels(box.left), pixels(box.top), pixels(box.width), pixels(box.height)}),
            (std::array{expected.left, expected.top, expected.width, expected.height}))
            << expected.name;
    }
}

TEST(Layout, WindowsHaveTheClientSizesAndPlacesOfTheTablesAt96Dpi) {
    const WindowLayout& main = LayoutOf(WindowId::Form1);
    EXPECT_EQ(TwipsToPixels(main.clientWidth, 96), 363);
    EXPECT_EQ(TwipsToPixels(main.clientHeight, 96), 155);
    EXPECT_FALSE(main.clientOrigin.has_value());  // centred
    EXPECT_EQ(main.title, "Kalvoro XP");

    const int expectedTop[] = {18, 19, 19};
    for (std::size_t i = 0; i < std::size(kCountdownWindows); ++i) {
        const WindowLayout& countdown = LayoutOf(kCountdownWindows[i]);
        EXPECT_EQ(countdown.window, kCountdownWindows[i]);
        EXPECT_EQ(countdown.title, "");
        EXPECT_EQ(TwipsToPixels(countdown.clientWidth, 96), 476);
        EXPECT_EQ(TwipsToPixels(countdown.clientHeight, 96), 54);
        ASSERT_TRUE(countdown.clientOrigin.has_value());
        EXPECT_EQ(TwipsToPixels(countdown.clientOrigin->x, 96), 3);
        EXPECT_EQ(TwipsToPixels(countdown.clientOrigin->y, 96), expectedTop[i]);
    }
}

TEST(Layout, LengthsScaleWithTheScreenDpi) {
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(TwipsToPixels(255, 144), 26);    // 25.5 rounds up
    EXPECT_EQ(TwipsToPixels(5445, 120), 454);  // 453.75
    EXPECT_EQ(TwipsToPixels(7140, 144), 714);
    EXPECT_EQ(TwipsToPixels(Countdown::kStartBar + 5.5f, 96), 1);  // 20.5 twips
    EXPECT_EQ(TwipsToPixels(7231.0f, 96), 482);
}

TEST(Layout, FontHeightsAreThoseOfTheTablesAndScale) {
    const Font& clock = *ByName(WindowId::Form1, "TxtHeure")->font;
    const Font& small = LayoutOf(WindowId::Form1).defaultFont;
    EXPECT_EQ(clock.name, "MS Sans Serif");
    EXPECT_EQ(FontPixelHeight(clock, 96), 13);
    EXPECT_EQ(FontPixelHeight(small, 96), 11);
    EXPECT_EQ(FontPixelHeight(clock, 144), 20);  // 19.5
    EXPECT_EQ(FontPixelHeight(small, 120), 14);  // 13.75
}

TEST(Layout, MainWindowControlsAreInTheTabOrderOfTheTables) {
    const std::vector<std::string_view> expected{"TxtHeure",  "TxTChoix", "Label1", "Activer",
                                                 "Suspendre", "Quitter",  "Reboot", "Arrêter",
                                                 "Label2",    "Label3",   "Veille", "Conforme"};
    std::vector<std::string_view> names;
    for (const Control& control : LayoutOf(WindowId::Form1).controls) {
        names.push_back(control.name);
    }
    EXPECT_EQ(names, expected);
}

TEST(Layout, EachWindowHasOneDefaultButtonAndTheMainWindowOneSelectedOption) {
    for (const WindowId window : kAllWindows) {
        int defaults = 0;
        int selected = 0;
        for (const Control& control : LayoutOf(window).controls) {
            defaults += (control.flags & kDefaultButton) != 0 ? 1 : 0;
            selected += (control.flags & kSelected) != 0 ? 1 : 0;
        }
        EXPECT_EQ(defaults, 1);
        EXPECT_EQ(selected, window == WindowId::Form1 ? 1 : 0);
    }
    EXPECT_TRUE(ByName(WindowId::Form1, "Activer")->flags & kDefaultButton);
    EXPECT_TRUE(ByName(WindowId::Form1, "Arrêter")->flags & kSelected);
}

TEST(Layout, ControlIdsAreUniqueAndFoundById) {
    std::set<int> ids;
    for (const WindowId window : {WindowId::Form1, WindowId::Form2}) {
        for (const Control& control : LayoutOf(window).controls) {
            EXPECT_TRUE(ids.insert(static_cast<int>(control.id)).second) << control.name;
            EXPECT_EQ(FindControl(LayoutOf(window), control.id), &control);
        }
    }
    EXPECT_EQ(FindControl(LayoutOf(WindowId::Form1), ControlId::Annuler), nullptr);
}

TEST(Layout, OptionLabelsAndTheHiddenVerdictFieldAreSetUpAsTheTablesSay) {
    const Control& label3 = *ByName(WindowId::Form1, "Label3");
    const Control& label2 = *ByName(WindowId::Form1, "Label2");
    EXPECT_EQ(label3.text, " Arrêter");
    EXPECT_EQ(label2.text, " Redémarrer");
    EXPECT_TRUE(label3.flags & kClickable);
    EXPECT_TRUE(label2.flags & kClickable);
    EXPECT_EQ(label3.background.source, Colour::Source::Transparent);
    EXPECT_EQ(label3.foreground.rgb, 0x00C000u);
    const Control& conforme = *ByName(WindowId::Form1, "Conforme");
    EXPECT_EQ(conforme.kind, ControlKind::TextField);
    EXPECT_TRUE(conforme.flags & kHidden);
    EXPECT_TRUE(ByName(WindowId::Form1, "TxtHeure")->flags & kReadOnly);
    EXPECT_FALSE(ByName(WindowId::Form1, "TxTChoix")->flags & kReadOnly);
}

TEST(Layout, CountdownWindowsStartFromTheCoreStartValues) {
    const ActionKind actions[] = {ActionKind::PowerOff, ActionKind::Restart, ActionKind::Standby};
    for (const ActionKind action : actions) {
        const CountdownKind& kind = CountdownKindOf(action);
        EXPECT_EQ(ByName(kind.window, "Label3")->text, kind.wideSentence);
        EXPECT_EQ(ByName(kind.window, "Label2")->text, std::to_string(Countdown::kStartNumber));
        EXPECT_EQ(ByName(kind.window, "Label1")->place.width, Countdown::kStartBar);
        EXPECT_EQ(ByName(kind.window, "Annuler")->text, kCancelButton);
    }
}

}  // namespace
}  // namespace kalvoro::layout

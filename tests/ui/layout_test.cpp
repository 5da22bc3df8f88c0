#include "ui/layout.h"

#include <gtest/gtest.h>

#include <cstdio>
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

// Each window's controls as its table gives them, in its tab order: name,
// kind, pixel box at 96 dpi, text, colours (where the table names none:
// default, button text or transparent), font and settings. Copied from the
// tables independently of the twips and constants that the program uses; a
// countdown's sentence is its wide one, which the countdown's tests pin.
const std::vector<std::string_view> kTables[] = {
    {"TxtHeure field 8 8 113 21 \"Heure Système\" #00ff00 on #000000, 9.75, centred read-only flat",
     "TxTChoix field 128 8 225 21 \"Définissez ici une heure (hh:mm:ss)\" #00ff00 on #000000, "
     "9.75, centred flat",
     "Label1 label 8 40 249 17 \"Action à exécuter à l'heure définie :\" #ff0000 on transparent, "
     "9.75 bold",
     "Activer button 280 88 81 17 \"Activer\" default on #ffffff, window's, default",
     "Suspendre button 280 112 81 17 \"Suspendre\" default on #ffffff, window's",
     "Quitter button 280 136 81 17 \"Quitter\" default on #ffffff, window's",
     "Reboot option 8 104 17 17 \"\" default on #ffffff, window's",
     "Arrêter option 8 80 17 17 \"\" default on #ffffff, window's, selected",
     "Label2 label 24 104 153 17 \" Redémarrer\" #00c000 on transparent, 9.75 bold, clickable",
     "Label3 label 24 80 57 17 \" Arrêter\" #00c000 on transparent, 9.75 bold, clickable",
     "Veille option 8 128 137 17 \"Mettre en veille\" #00c000 on #ffffff, 9.75 bold",
     "Conforme field 224 112 49 19 \"\" default on default, window's, hidden"},
    {"Label3 label 8 8 281 17 wide sentence button text on transparent, 9.75, single-line",
     "Label2 label 192 8 17 17 \"12\" button text on transparent, 9.75, single-line",
     "Annuler button 360 8 105 17 \"&Annuler\" default on default, window's, default",
     "Label1 label 0 32 1 17 \"\" default on #0000ff, window's"},
    {"Label3 label 8 8 257 17 wide sentence button text on transparent, 9.75, single-line",
     "Label2 label 144 8 17 17 \"12\" button text on transparent, 9.75, single-line",
     "Annuler button 360 8 105 17 \"&Annuler\" default on default, window's, default",
     "Label1 label 0 32 1 17 \"\" default on #0000ff, window's"},
    {"Label3 label 8 8 257 17 wide sentence button text on transparent, 9.75, single-line",
     "Label2 label 128 8 17 17 \"12\" button text on transparent, 9.75, single-line",
     "Annuler button 360 8 105 17 \"&Annuler\" default on default, window's, default",
     "Label1 label 0 32 1 17 \"\" default on #0000ff, window's"},
};

std::string Described(const Colour& colour) {
    constexpr std::string_view kSources[] = {"default", "", "button text", "transparent"};
    char rgb[8];
    std::snprintf(rgb, sizeof rgb, "#%06x", colour.rgb);
    return colour.source == Colour::Source::Rgb
               ? rgb
               : std::string{kSources[static_cast<int>(colour.source)]};
}

std::string Described(const Control& control, std::string_view wideSentence) {
    constexpr std::string_view kKinds[] = {"field", "label", "option", "button"};
    constexpr std::string_view kFlags[] = {"centred",  "read-only", "hidden",      "default",
                                           "selected", "clickable", "single-line", "flat"};
    const auto pixels = [](Twips twips) { return std::to_string(TwipsToPixels(twips, 96)); };
    const Box& box = control.place;
    std::string text =
        std::string{control.name} + " " + std::string{kKinds[static_cast<int>(control.kind)]} +
        " " + pixels(box.left) + " " + pixels(box.top) + " " + pixels(box.width) + " " +
        pixels(box.height) + " " +
        (!wideSentence.empty() && control.text == wideSentence
             ? "wide sentence"
             : "\"" + std::string{control.text} + "\"") +
        " " + Described(control.foreground) + " on " + Described(control.background) + ", ";
    const Font* font = control.font;
    text += font == nullptr
                ? "window's"
                : std::to_string(font->centipoints / 100) + "." +
                      std::to_string(font->centipoints % 100) + (font->bold ? " bold" : "");
    std::string settings;
    for (std::size_t bit = 0; bit < std::size(kFlags); ++bit) {
        if ((control.flags & (1u << bit)) != 0) {
            settings += (settings.empty() ? "" : " ") + std::string{kFlags[bit]};
        }
    }
    return settings.empty() ? text : text + ", " + settings;
}

const Control* ByName(WindowId window, std::string_view name) {
    for (const Control& control : LayoutOf(window).controls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

TEST(Layout, EveryControlIsAsTheTablesGiveIt) {
    for (const WindowId window : kAllWindows) {
        std::string_view wide;
        for (const ActionKind action :
             {ActionKind::PowerOff, ActionKind::Restart, ActionKind::Standby}) {
            wide = CountdownKindOf(action).window == window ? CountdownKindOf(action).wideSentence
                                                            : wide;
        }
        std::vector<std::string> controls;
        for (const Control& control : LayoutOf(window).controls) {
            controls.push_back(Described(control, wide));
        }
        const auto& expected = kTables[static_cast<int>(window)];
        EXPECT_EQ(controls, std::vector<std::string>(expected.begin(), expected.end()));
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

}  // namespace
}  // namespace kalvoro::layout

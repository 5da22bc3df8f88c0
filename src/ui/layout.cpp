#include "ui/layout.h"

#include <array>
#include <cmath>

#include "countdown/countdown.h"
#include "countdown/countdown_kind.h"
#include "schedule/time_entry.h"

namespace kalvoro::layout {

namespace {

constexpr std::string_view kFontName = "MS Sans Serif";
constexpr Font kRegular{kFontName, 975, false};
constexpr Font kBold{kFontName, 975, true};
constexpr Font kSmall{kFontName, 825, false};

constexpr Colour kWhite = Rgb(0xFFFFFF);
constexpr Colour kBrightGreen = Rgb(0x00FF00);
constexpr Colour kGreen = Rgb(0x00C000);

using enum ControlKind;
using enum ControlId;

const std::array<Control, 12> kForm1Controls{{
    {TxtHeure,
     "TxtHeure",
     TextField,
     kClockPlaceholder,
     {120, 120, 1695, 315},
     kBrightGreen,
     Rgb(0x000000),
     &kRegular,
     kCentred | kReadOnly | kFlatBorder},
    {TxTChoix,
     "TxTChoix",
     TextField,
     kEntryInvitation,
     {1920, 120, 3375, 315},
     kBrightGreen,
     Rgb(0x000000),
     &kRegular,
     kCentred | kFlatBorder},
    {Form1Label1,
     "Label1",
     Label,
     "Action à exécuter à l'heure définie :",
     {120, 600, 3735, 255},
     Rgb(0xFF0000),
     kTransparent,
     &kBold,
     0},
    {Activer,
     "Activer",
     PushButton,
     "Activer",
     {4200, 1320, 1215, 255},
     kDefaultColour,
     kWhite,
     nullptr,
     kDefaultButton},
    {Suspendre,
     "Suspendre",
     PushButton,
     "Suspendre",
     {4200, 1680, 1215, 255},
     kDefaultColour,
     kWhite,
     nullptr,
     0},
    {Quitter,
     "Quitter",
     PushButton,
     "Quitter",
     {4200, 2040, 1215, 255},
     kDefaultColour,
     kWhite,
     nullptr,
     0},
    {Reboot, "Reboot", OptionButton, "", {120, 1560, 255, 255}, kDefaultColour, kWhite, nullptr, 0},
    {Arreter,
     "Arrêter",
     OptionButton,
     "",
     {120, 1200, 255, 255},
     kDefaultColour,
     kWhite,
     nullptr,
     kSelected},
    {Form1Label2,
     "Label2",
     Label,
     " Redémarrer",
     {360, 1560, 2295, 255},
     kGreen,
     kTransparent,
     &kBold,
     kClickable},
    {Form1Label3,
     "Label3",
     Label,
     " Arrêter",
     {360, 1200, 855, 255},
     kGreen,
     kTransparent,
     &kBold,
     kClickable},
    {Veille,
     "Veille",
     OptionButton,
     "Mettre en veille",
     {120, 1920, 2055, 255},
     kGreen,
     kWhite,
     &kBold,
     0},
    {Conforme,
     "Conforme",
     TextField,
     "",
     {3360, 1680, 735, 285},
     kDefaultColour,
     kDefaultColour,
     nullptr,
     kHidden},
}};

// Where the three countdown windows differ: the sentence's width, the
// number's place over the sentence's gap of blanks, and by one pixel the
// distance from the top of the screen.
struct CountdownDifferences {
    ActionKind action;
    Twips sentenceWidth;
    Twips numberLeft;
    Twips clientTop;
};

constexpr std::array<CountdownDifferences, 3> kCountdownDifferences{{
    {ActionKind::PowerOff, 4215, 2880, 270},
    {ActionKind::Restart, 3855, 2160, 285},
    {ActionKind::Standby, 3855, 1920, 285},
}};

using CountdownControls = std::array<Control, 4>;

CountdownControls ControlsOf(const CountdownDifferences& differences) {
    const Twips startBar = static_cast<Twips>(Countdown::kStartBar);
    return {{
        {Sentence,
         "Label3",
         Label,
         CountdownKindOf(differences.action).wideSentence,
         {120, 120, differences.sentenceWidth, 255},
         kButtonText,
         kTransparent,
         &kRegular,
         kSingleLine},
        {Number,
         "Label2",
         Label,
         "12",
         {differences.numberLeft, 120, 255, 255},
         kButtonText,
         kTransparent,
         &kRegular,
         kSingleLine},
        {Annuler,
         "Annuler",
         PushButton,
         kCancelButton,
         {5400, 120, 1575, 255},
         kDefaultColour,
         kDefaultColour,
         nullptr,
         kDefaultButton},
        {Bar,
         "Label1",
         Label,
         "",
         {0, 480, startBar, 255},
         kDefaultColour,
         Rgb(0x0000FF),
         nullptr,
         0},
    }};
}

const std::array<CountdownControls, 3>& AllCountdownControls() {
    static const std::array<CountdownControls, 3> controls{
        ControlsOf(kCountdownDifferences[0]),
        ControlsOf(kCountdownDifferences[1]),
        ControlsOf(kCountdownDifferences[2]),
    };
    return controls;
}

WindowLayout CountdownLayout(std::size_t index) {
    const CountdownDifferences& differences = kCountdownDifferences[index];
    return {
        CountdownKindOf(differences.action).window, "",     7140,   810,
        Point{45, differences.clientTop},           kWhite, kSmall, AllCountdownControls()[index]};
}

}  // namespace

const WindowLayout& LayoutOf(WindowId window) {
    // In the order of WindowId.
    static const std::array<WindowLayout, 4> layouts{{
        {WindowId::Form1, "Kalvoro XP", 5445, 2325, std::nullopt, kWhite, kSmall, kForm1Controls},
        CountdownLayout(0),
        CountdownLayout(1),
        CountdownLayout(2),
    }};
    return layouts[static_cast<std::size_t>(window)];
}

const Control* FindControl(const WindowLayout& layout, ControlId id) {
    for (const Control& control : layout.controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

int TwipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

int PixelsFrom96(int pixels, int dpi) {
    return TwipsToPixels(pixels * 15, dpi);
}

int FontPixelHeight(const Font& font, int dpi) {
    return static_cast<int>(std::lround(font.centipoints * dpi / 7200.0));
}

}  // namespace kalvoro::layout

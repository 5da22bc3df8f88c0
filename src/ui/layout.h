#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "countdown/window_ids.h"

// The four windows as they are created: frames, places, texts, colours and
// fonts. Data only, shared by every front end; lengths are twips (1/1440 inch,
// 15 to a pixel at 96 dpi), font sizes hundredths of a point.
namespace kalvoro::layout {

using Twips = int;

struct Point {
    Twips x;
    Twips y;
};

struct Box {
    Twips left;
    Twips top;
    Twips width;
    Twips height;
};

// A colour as a window asks for it: set outright as 0xRRGGBB, the system's
// button-text colour, the control's own default, or no background at all.
struct Colour {
    enum class Source { Default, Rgb, ButtonText, Transparent };
    Source source = Source::Default;
    std::uint32_t rgb = 0;
};
constexpr Colour Rgb(std::uint32_t rgb) {
    return {Colour::Source::Rgb, rgb};
}
inline constexpr Colour kDefaultColour{};
inline constexpr Colour kButtonText{Colour::Source::ButtonText, 0};
inline constexpr Colour kTransparent{Colour::Source::Transparent, 0};

struct Font {
    std::string_view name;
    int centipoints;  // 975 for 9.75 pt
    bool bold;
};

enum class ControlKind { TextField, Label, OptionButton, PushButton };

// Settings beyond place, colours and font; combined with |.
enum ControlFlag : unsigned {
    kCentred = 1u << 0,
    kReadOnly = 1u << 1,
    kHidden = 1u << 2,  // never shown and never focused, but its text works
    kDefaultButton = 1u << 3,
    kSelected = 1u << 4,    // the option button selected at creation
    kClickable = 1u << 5,   // a label whose clicks the window handles
    kSingleLine = 1u << 6,  // a label that never wraps
    kFlatBorder = 1u << 7,
};

// Stable identifiers of the controls, also their Win32 control ids, so test
// drivers and accessibility tools can find them:
//   main window  1001 TxtHeure, 1002 TxTChoix, 1003 Label1, 1004 Activer,
//                1005 Suspendre, 1006 Quitter, 1007 Reboot, 1008 Arrêter,
//                1009 Label2, 1010 Label3, 1011 Veille, 1012 Conforme;
//   countdowns   2001 Label3 (sentence), 2002 Label2 (number),
//                2003 Annuler, 2004 Label1 (bar).
enum class ControlId : int {
    TxtHeure = 1001,
    TxTChoix,
    Form1Label1,
    Activer,
    Suspendre,
    Quitter,
    Reboot,
    Arreter,
    Form1Label2,
    Form1Label3,
    Veille,
    Conforme,
    Sentence = 2001,
    Number,
    Annuler,
    Bar,
};

struct Control {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    std::string_view text;  // initial caption or text, UTF-8
    Box place;              // from the client area's top-left corner
    Colour foreground;
    Colour background;  // a push button's face
    const Font* font;   // nullptr: the window's default font
    unsigned flags;
};

struct WindowLayout {
    WindowId window;
    std::string_view title;
    Twips clientWidth;
    Twips clientHeight;
    // The client area's top-left corner from the screen's; none: centred.
    std::optional<Point> clientOrigin;
    Colour background;
    Font defaultFont;
    std::span<const Control> controls;  // in tab order, which is the creation order
};

const WindowLayout& LayoutOf(WindowId window);
const Control* FindControl(const WindowLayout& layout, ControlId id);

// pixels = twips × dpi / 1440, rounded to the nearest pixel.
int TwipsToPixels(double twips, int dpi);
// A length given in pixels of a 96-dpi screen, such as the background
// picture's own size, grown with the screen as the twips are.
int PixelsFrom96(int pixels, int dpi);
// The character height of a font on a screen of that dpi, rounded.
int FontPixelHeight(const Font& font, int dpi);

}  // namespace kalvoro::layout

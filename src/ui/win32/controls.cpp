#include "ui/win32/controls.h"

#include <uxtheme.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "ui/win32/screen.h"
#include "win32_text/text.h"

namespace kalvoro::win32 {

namespace {

using layout::Colour;
using layout::ControlKind;

COLORREF ColorRefOf(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// Whether a push button is drawn by the program (its face colour is set).
bool IsOwnerDrawn(const layout::Control& control) {
    return control.kind == ControlKind::PushButton &&
           control.background.source == Colour::Source::Rgb;
}

struct WindowKind {
    const wchar_t* className;
    DWORD style;
};

WindowKind KindOf(const layout::Control& control) {
    const bool hidden = (control.flags & layout::kHidden) != 0;
    const DWORD shown = hidden ? 0 : WS_VISIBLE;
    switch (control.kind) {
        case ControlKind::TextField:
            return {L"EDIT", shown | (hidden ? 0 : WS_TABSTOP) | ES_AUTOHSCROLL |
                                 ((control.flags & layout::kCentred) ? ES_CENTER : 0) |
                                 ((control.flags & layout::kReadOnly) ? ES_READONLY : 0) |
                                 ((control.flags & layout::kFlatBorder) ? WS_BORDER : 0)};
        case ControlKind::Label:
            return {L"STATIC",
                    shown | ((control.flags & layout::kSingleLine) ? SS_LEFTNOWORDWRAP : SS_LEFT) |
                        ((control.flags & layout::kClickable) ? SS_NOTIFY : 0)};
        case ControlKind::OptionButton:
            // An automatic radio button takes the tab stop while it is checked.
            return {L"BUTTON", shown | BS_AUTORADIOBUTTON};
        case ControlKind::PushButton:
            break;
    }
    const DWORD look = IsOwnerDrawn(control)                           ? BS_OWNERDRAW
                       : (control.flags & layout::kDefaultButton) != 0 ? BS_DEFPUSHBUTTON
                                                                       : BS_PUSHBUTTON;
    return {L"BUTTON", shown | WS_TABSTOP | look};
}

}  // namespace

ControlSet::~ControlSet() {
    for (const auto& [font, handle] : fonts_) {
        DeleteObject(handle);
    }
    for (const auto& [rgb, brush] : brushes_) {
        DeleteObject(brush);
    }
}

void ControlSet::Create(HWND parent, int dpi) {
    const auto& controls = layout_.controls;
    const auto isOption = [](const layout::Control& c) {
        return c.kind == ControlKind::OptionButton;
    };
    // The arrow keys move through consecutive siblings only: the option
    // buttons are made one after the other, and the labels that the layout
    // puts between them (they take no focus, so the tab cycle is unchanged)
    // right after the last. The group starts at the first option and ends
    // before the control made after the last.
    std::vector<std::size_t> order(controls.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto firstOption = std::find_if(order.begin(), order.end(),
                                          [&](std::size_t i) { return isOption(controls[i]); });
    const auto afterOptions = std::find_if(order.rbegin(), order.rend(), [&](std::size_t i) {
                                  return isOption(controls[i]);
                              }).base();
    // The options first, then the labels between them, each in layout order
    // (std::stable_partition would bring in the library's nothrow allocation).
    std::vector<std::size_t> between;
    auto afterGroup = firstOption;
    for (auto at = firstOption; firstOption != order.end() && at != afterOptions; ++at) {
        if (isOption(controls[*at])) {
            *afterGroup++ = *at;
        } else {
            between.push_back(*at);
        }
    }
    std::copy(between.begin(), between.end(), afterGroup);
    // Themed option buttons ignore the text colour of WM_CTLCOLORSTATIC: if
    // one has its own colour, none is themed, so the three are drawn alike.
    const bool unthemedOptions = std::any_of(controls.begin(), controls.end(), [&](const auto& c) {
        return isOption(c) && c.foreground.source == Colour::Source::Rgb;
    });

    handles_.assign(controls.size(), nullptr);
    for (auto position = order.begin(); position != order.end(); ++position) {
        const layout::Control& control = controls[*position];
        const WindowKind kind = KindOf(control);
        const bool groupStart =
            firstOption != order.end() && (position == firstOption || position == afterGroup);
        const DWORD group = groupStart ? WS_GROUP : 0;
        const RECT place = PixelRect(control.place, dpi);
        HWND handle = CreateWindowExW(
            0, kind.className, Wide(control.text).c_str(), WS_CHILD | kind.style | group,
            place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), nullptr, nullptr);
        const layout::Font& font = control.font ? *control.font : layout_.defaultFont;
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(font, dpi)), FALSE);
        if (control.kind == ControlKind::OptionButton) {
            if (unthemedOptions) {
                SetWindowTheme(handle, L"", L"");
            }
            SendMessageW(handle, BM_SETCHECK,
                         (control.flags & layout::kSelected) ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        handles_[*position] = handle;
    }
}

HWND ControlSet::operator[](layout::ControlId id) const {
    for (std::size_t i = 0; i < handles_.size(); ++i) {
        if (layout_.controls[i].id == id) {
            return handles_[i];
        }
    }
    return nullptr;
}

const layout::Control* ControlSet::Find(HWND control) const {
    const auto found = std::find(handles_.begin(), handles_.end(), control);
    if (found == handles_.end()) {
        return nullptr;
    }
    return &layout_.controls[static_cast<std::size_t>(found - handles_.begin())];
}

HBRUSH ControlSet::Colour(HDC dc, HWND handle) {
    const layout::Control* control = Find(handle);
    if (control == nullptr) {
        return nullptr;
    }
    switch (control->foreground.source) {
        case Colour::Source::Rgb:
            SetTextColor(dc, ColorRefOf(control->foreground.rgb));
            break;
        case Colour::Source::ButtonText:
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            break;
        default:
            break;
    }
    switch (control->background.source) {
        case Colour::Source::Transparent:
            SetBkMode(dc, TRANSPARENT);
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        case Colour::Source::Rgb:
            SetBkColor(dc, ColorRefOf(control->background.rgb));
            return BrushFor(control->background.rgb);
        default:
            return nullptr;
    }
}

HFONT ControlSet::FontFor(const layout::Font& font, int dpi) {
    for (const auto& [known, handle] : fonts_) {
        if (known == &font) {
            return handle;
        }
    }
    HFONT handle =
        CreateFontW(-layout::FontPixelHeight(font, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                    FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(font.name).c_str());
    fonts_.emplace_back(&font, handle);
    return handle;
}

HBRUSH ControlSet::BrushFor(std::uint32_t rgb) {
    for (const auto& [known, brush] : brushes_) {
        if (known == rgb) {
            return brush;
        }
    }
    HBRUSH brush = CreateSolidBrush(ColorRefOf(rgb));
    brushes_.emplace_back(rgb, brush);
    return brush;
}

}  // namespace kalvoro::win32

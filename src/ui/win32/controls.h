#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "ui/layout.h"

namespace kalvoro::win32 {

// The child windows of one top-level window, made from its layout table in
// tab order, the option buttons as one run of siblings (EDIT, STATIC or
// BUTTON, the layout's control id as their id), with the fonts and brushes
// they are drawn with.
class ControlSet {
  public:
    explicit ControlSet(const layout::WindowLayout& layout) : layout_(layout) {}
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;
    ~ControlSet();

    void Create(HWND parent, int dpi);
    HWND operator[](layout::ControlId id) const;
    const layout::Control* Find(HWND control) const;

    // Answers WM_CTLCOLOR*: sets the text colour and returns the background
    // brush, or nullptr where the control keeps the system's colours.
    HBRUSH Colour(HDC dc, HWND control);

  private:
    HFONT FontFor(const layout::Font& font, int dpi);
    HBRUSH BrushFor(std::uint32_t rgb);

    const layout::WindowLayout& layout_;
    std::vector<HWND> handles_;  // in the layout's order
    std::vector<std::pair<const layout::Font*, HFONT>> fonts_;
    std::vector<std::pair<std::uint32_t, HBRUSH>> brushes_;
};

}  // namespace kalvoro::win32

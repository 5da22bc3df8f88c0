#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"

namespace e2e {

using kalvoro::layout::ControlId;

// Window classes of the program and of the system windows it opens.
inline constexpr wchar_t kMainClass[] = L"Kalvoro XP";
inline constexpr wchar_t kCountdownClass[] = L"Kalvoro XP countdown";
inline constexpr wchar_t kMenuClass[] = L"#32768";
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr int kMessageBoxPromptId = 0xFFFF;

// The top-level windows of one process with that class, in Z order.
std::vector<HWND> TopLevelWindows(DWORD processId, std::wstring_view className);
// The first of them, or nullptr.
HWND TopLevelWindow(DWORD processId, std::wstring_view className);

HWND Child(HWND parent, ControlId id);
HWND Child(HWND parent, int id);

// The text as the window itself answers WM_GETTEXT; empty if it does not answer.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
bool IsShown(HWND window);
bool IsTopmost(HWND window);
bool IsChecked(HWND button);
// Whether the window's thread handles a message within a few seconds.
bool Answers(HWND window);

RECT WindowRectOf(HWND window);
// The client area in screen coordinates.
RECT ClientRectOnScreen(HWND window);
// A child's place in its parent's client area.
RECT PlaceInParent(HWND child);
int WidthOf(const RECT& rect);
int HeightOf(const RECT& rect);

}  // namespace e2e

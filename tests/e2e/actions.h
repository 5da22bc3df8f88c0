#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace e2e {

// What a user (or the shell) does to the program, done by messages. Each
// returns whether the message was delivered; a sent one has also been handled.

bool SetText(HWND control, std::wstring_view text);
// A button press that returns when the program has handled it.
bool Click(HWND button);
// A button press that does not wait: for presses that open a modal box.
bool PostClick(HWND button);
// A mouse click on a label (STN_CLICKED) or into an edit field.
bool ClickInside(HWND control);
// Keys as the focused control receives them: Enter, and an access key with Alt.
bool PressEnter(HWND control);
bool PressAltKey(HWND control, wchar_t key);
// The close box of a window's frame.
bool PressCloseBox(HWND window);

// The notification icon's callback as the shell sends it: WM_MOUSEMOVE to the
// main window with the mouse message in the low word of the second parameter.
bool PostIconCallback(HWND mainWindow, UINT mouseMessage);
bool SendIconCallback(HWND mainWindow, UINT mouseMessage);

// The pointer moved to a point of the screen, as a real mouse moves it.
void MovePointer(int x, int y);

// Keys pressed in an open pop-up menu, in order.
bool PressMenuKeys(HWND menu, std::initializer_list<WORD> keys);

// The shell's announcement that the taskbar has been created anew.
void BroadcastTaskbarCreated();

}  // namespace e2e

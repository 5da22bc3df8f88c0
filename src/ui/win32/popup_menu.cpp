#include "ui/win32/popup_menu.h"

#include "win32_text/text.h"

namespace kalvoro::win32 {

std::optional<MenuCommand> PopUpMenu1(HWND owner, const Menu1Items& items,
                                      MenuCommand defaultItem) {
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : items) {
        const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
        AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.command),
                    Wide(item.caption).c_str());
    }
    SetMenuDefaultItem(menu, static_cast<UINT>(defaultItem), FALSE);
    POINT pointer{};
    GetCursorPos(&pointer);
    // Without these two steps the menu does not close when the user clicks
    // elsewhere, and opens only every second time.
    SetForegroundWindow(owner);
    const BOOL chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD, pointer.x, pointer.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return MenuCommandFromId(static_cast<unsigned>(chosen));
}

}  // namespace kalvoro::win32

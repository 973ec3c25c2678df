#pragma once
// Menus from menu resources and popup-menu tracking. A tracked popup is a real top-level window on
// the desktop; while it is open it takes the mouse (capture) and the keyboard, and a nested loop
// runs until an item is chosen or the menu is dismissed.
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/module/ResourceTemplates.h"

namespace win {

constexpr UINT MF_STRING = 0x0;
constexpr UINT MF_BYCOMMAND = 0x0;
constexpr UINT MF_ENABLED = 0x0;
constexpr UINT MF_GRAYED = 0x1;
constexpr UINT MF_DISABLED = 0x2;
constexpr UINT MF_CHECKED = 0x8;
constexpr UINT MF_POPUP = 0x10;
constexpr UINT MF_BYPOSITION = 0x400;
constexpr UINT MF_SEPARATOR = 0x800;

constexpr UINT TPM_LEFTBUTTON = 0x0;
constexpr UINT TPM_RIGHTBUTTON = 0x2;
constexpr UINT TPM_LEFTALIGN = 0x0;
constexpr UINT TPM_NONOTIFY = 0x80;
constexpr UINT TPM_RETURNCMD = 0x100;

class Menu {
public:
    explicit Menu(MenuTemplate menu);
    // From the current module's resources; null when there is no such menu.
    static std::unique_ptr<Menu> Load(UINT id);

    int GetMenuItemCount() const { return static_cast<int>(items_.size()); }
    Menu* GetSubMenu(int position) const;
    UINT GetMenuItemID(int position) const;  // 0 for a separator, -1 for a sub-menu
    UINT GetMenuState(UINT item, UINT flags) const;  // 0xFFFFFFFF when there is no such item
    std::string GetMenuString(UINT item, UINT flags) const;
    UINT EnableMenuItem(UINT item, UINT flags);  // the previous state, or 0xFFFFFFFF
    const std::vector<MenuItemTemplate>& Items() const { return items_; }

private:
    int Find(UINT item, UINT flags) const;
    std::vector<MenuItemTemplate> items_;
    std::vector<std::unique_ptr<Menu>> subMenus_;
};

using HMENU = Menu*;

// The Windows-shaped calls; a loaded menu belongs to the caller until DestroyMenu.
HMENU LoadMenuA(UINT id);
HMENU GetSubMenu(HMENU menu, int position);
BOOL DestroyMenu(HMENU menu);

// Shows `menu` with its top-left corner at the screen point (x, y) (moved inside the desktop) and
// tracks it. With TPM_RETURNCMD it returns the chosen item's id, or 0 when the menu was dismissed,
// and sends nothing; without it the choice goes to `owner` as WM_COMMAND and the result is nonzero
// when an item was chosen. TPM_RIGHTBUTTON lets either button choose. Disabled items and separators
// cannot be chosen.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const Rect* ignored = nullptr);

// The popup menu window on screen while one is tracked (for tests and scripts), else null.
class Window;
Window* TrackedPopupMenuWindow();
// The item under a screen point of the tracked menu: its index, or -1.
int TrackedPopupMenuItemAt(Point screen);
// The screen rectangle of an item of the tracked menu.
Rect TrackedPopupMenuItemRect(int index);

}  // namespace win

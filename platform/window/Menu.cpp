#include "platform/window/Menu.h"

#include <set>

#include "platform/module/Module.h"

namespace win {
namespace {

// Menus handed out by LoadMenuA, which DestroyMenu may delete; sub-menus belong to their parent.
std::set<Menu*>& LoadedMenus() {
    static std::set<Menu*> menus;
    return menus;
}

}  // namespace

Menu::Menu(MenuTemplate menu) : items_(std::move(menu.items)) {
    for (const MenuItemTemplate& item : items_)
        subMenus_.push_back(item.popup.empty() ? nullptr : std::make_unique<Menu>(MenuTemplate{item.popup}));
}

std::unique_ptr<Menu> Menu::Load(UINT id) {
    Module* module = CurrentModule();
    const MenuTemplate* menu = module ? module->FindMenu(id) : nullptr;
    return menu ? std::make_unique<Menu>(*menu) : nullptr;
}

Menu* Menu::GetSubMenu(int position) const {
    if (position < 0 || position >= GetMenuItemCount()) return nullptr;
    return subMenus_[static_cast<size_t>(position)].get();
}

UINT Menu::GetMenuItemID(int position) const {
    if (position < 0 || position >= GetMenuItemCount()) return 0xFFFFFFFF;
    const MenuItemTemplate& item = items_[static_cast<size_t>(position)];
    if (item.separator) return 0;
    if (!item.popup.empty()) return 0xFFFFFFFF;
    return item.id;
}

int Menu::Find(UINT item, UINT flags) const {
    if (flags & MF_BYPOSITION) return item < items_.size() ? static_cast<int>(item) : -1;
    for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].separator && items_[i].popup.empty() && items_[i].id == item) return static_cast<int>(i);
    return -1;
}

UINT Menu::GetMenuState(UINT item, UINT flags) const {
    int index = Find(item, flags);
    if (index < 0) return 0xFFFFFFFF;
    const MenuItemTemplate& it = items_[static_cast<size_t>(index)];
    UINT state = it.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    if (it.separator) state |= MF_SEPARATOR;
    if (!it.popup.empty()) state |= MF_POPUP;
    return state;
}

std::string Menu::GetMenuString(UINT item, UINT flags) const {
    int index = Find(item, flags);
    return index < 0 ? std::string() : items_[static_cast<size_t>(index)].text;
}

UINT Menu::EnableMenuItem(UINT item, UINT flags) {
    int index = Find(item, flags);
    if (index < 0) return 0xFFFFFFFF;
    MenuItemTemplate& it = items_[static_cast<size_t>(index)];
    UINT previous = it.flags & (MF_GRAYED | MF_DISABLED);
    it.flags = (it.flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return previous;
}

HMENU LoadMenuA(UINT id) {
    Menu* menu = Menu::Load(id).release();
    if (menu) LoadedMenus().insert(menu);
    return menu;
}

HMENU GetSubMenu(HMENU menu, int position) { return menu ? menu->GetSubMenu(position) : nullptr; }

BOOL DestroyMenu(HMENU menu) {
    if (!menu || !LoadedMenus().erase(menu)) return FALSE;
    delete menu;
    return TRUE;
}

}  // namespace win

#pragma once
// Dialog and menu templates as plain data, as a resource compiler would produce them.
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace win {

struct DialogItemTemplate {
    std::string className;  // "Static", "Button", "Edit", "ListBox", "ComboBox" or a registered class
    std::string text;
    UINT id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string caption;
    std::string fontFace;  // empty: the system font
    int pointSize = 8;
    std::vector<DialogItemTemplate> items;
    UINT resourceId = 0;  // the id a module holds it under (0: made in memory), for messages
};

struct MenuItemTemplate {
    std::string text;      // empty with `separator` set: a separator line
    UINT id = 0;
    UINT flags = 0;        // MF_GRAYED, MF_DISABLED, MF_CHECKED
    bool separator = false;
    std::vector<MenuItemTemplate> popup;  // non-empty: a sub-menu
};

struct MenuTemplate {
    std::vector<MenuItemTemplate> items;
};

}  // namespace win

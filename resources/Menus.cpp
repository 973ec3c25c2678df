#include "platform/module/Module.h"
#include "platform/window/Menu.h"
#include "resources/ResourceIds.h"

using namespace win;

void RegisterMenus(Module& module) {
    MenuItemTemplate settings;
    settings.text = "Control Settings";
    settings.popup = {
        {"Controls Menu", ID_CONTROLS_MENU, MF_GRAYED, false, {}},
        {"", 0, 0, true, {}},
        {"Display Automation Settings...", ID_DISPLAY_AUTOMATION_SETTINGS, 0, false, {}},
        {"Configure Automation...", ID_CONFIGURE_AUTOMATION, 0, false, {}},
    };
    module.AddMenu(IDR_CONTROL_SETTINGS, MenuTemplate{{settings}});
}

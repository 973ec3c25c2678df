#include "platform/module/Module.h"
#include "platform/window/WindowStyles.h"
#include "platform/window/controls/ComboBoxMessages.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "resources/ResourceIds.h"

using namespace win;

namespace {

constexpr UINT kStatic = 0xFFFF;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// "MIDI Automation Configuration": a small-caption modal frame; the controls in tab order.
DialogTemplate AutomationConfigTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.exStyle = WS_EX_TOOLWINDOW;
    t.cx = 172;
    t.cy = 236;
    t.caption = "MIDI Automation Configuration";
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    const DWORD combo = kChild | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP;
    const DWORD button = kChild | BS_PUSHBUTTON | WS_TABSTOP;
    t.items = {
        {"Static", "MIDI Port", kStatic, kChild | SS_LEFT, 0, 5, 43, 31, 8},
        {"ComboBox", "", 1031, combo, 0, 58, 43, 98, 88},
        {"Static", "MIDI Channel", kStatic, kChild | SS_LEFT, 0, 5, 75, 44, 8},
        {"ComboBox", "", 1032, combo, 0, 58, 75, 98, 80},
        {"Static", "Controller", kStatic, kChild | SS_LEFT, 0, 5, 105, 30, 8},
        {"Button", "Cancel", 1018, button, 0, 58, 209, 38, 14},
        {"Button", "OK", 1016, button, 0, 117, 209, 39, 14},
        {"Static",
         "Use the following dialog screen to configure the MIDI automation control for this reverb parameter. "
         "Please select a MIDI port, channel and controller.",
         kStatic, kChild | SS_LEFT, 0, 5, 5, 156, 28},
        {"ListBox", "", 1034, kChild | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0, 4, 116, 152, 90},
    };
    return t;
}

}  // namespace

void RegisterDialogTemplates(Module& module) {
    // The editor host: a child dialog whose only control is an invisible black frame.
    DialogTemplate host;
    host.style = 0x40000050;  // WS_CHILD | DS_SETFONT | DS_NOFAILCREATE, as stored in the resource
    host.exStyle = 0x400;
    host.cx = 387;
    host.cy = 127;
    host.fontFace = "MS Sans Serif";
    host.pointSize = 8;
    host.items.push_back({"Static", "", IDC_EDITOR_FRAME, WS_CHILD | SS_BLACKFRAME, 0, 0, 0, 387, 126});
    module.AddDialog(IDD_EDITOR_HOST, std::move(host));
    module.AddDialog(IDD_AUTOMATION_CONFIG, AutomationConfigTemplate());
}

#include "platform/module/Module.h"
#include "platform/window/WindowMessages.h"
#include "platform/window/WindowStyles.h"
#include "platform/window/controls/ComboBoxMessages.h"
#include "platform/window/controls/EditMessages.h"
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
        {"ComboBox", "", IDC_AUTOMATION_PORT, combo, 0, 58, 43, 98, 88},
        {"Static", "MIDI Channel", kStatic, kChild | SS_LEFT, 0, 5, 75, 44, 8},
        {"ComboBox", "", IDC_AUTOMATION_CHANNEL, combo, 0, 58, 75, 98, 80},
        {"Static", "Controller", kStatic, kChild | SS_LEFT, 0, 5, 105, 30, 8},
        {"Button", "Cancel", IDC_AUTOMATION_CANCEL, button, 0, 58, 209, 38, 14},
        {"Button", "OK", IDC_AUTOMATION_OK, button, 0, 117, 209, 39, 14},
        {"Static",
         "Use the following dialog screen to configure the MIDI automation control for this reverb parameter. "
         "Please select a MIDI port, channel and controller.",
         kStatic, kChild | SS_LEFT, 0, 5, 5, 156, 28},
        {"ListBox", "", IDC_AUTOMATION_CONTROLLERS, kChild | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0, 4, 116, 152, 90},
    };
    return t;
}

// "Present Controller Selections": a labelled one-line list per parameter inside a group box, in
// tab order Effect, Low Freq, High Freq, MidFreq, Mid Frequency Cutoff, then OK and Reset All.
DialogTemplate ControllerSelections() {
    constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
    constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LBS_SORT | LBS_NOTIFY;
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = 243;
    t.cy = 162;
    t.caption = "Present Controller Selections";
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    t.items = {
        {"Button", "Controls", 0xFFFF, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 7, 7, 183, 118},
        {"Static", "&Effect", 0xFFFF, kLabel, 0, 83, 20, 20, 8},
        {"ListBox", "", IDC_EFFECT_CONTROLLER, kList, 0, 56, 31, 86, 12},
        {"Static", "&Low Freq", 0xFFFF, kLabel, 0, 13, 55, 30, 8},
        {"ListBox", "", IDC_LOWFREQ_CONTROLLER, kList, 0, 13, 65, 79, 12},
        {"Static", "&High Freq", 0xFFFF, kLabel, 0, 102, 55, 32, 8},
        {"ListBox", "", IDC_HIGHFREQ_CONTROLLER, kList, 0, 102, 65, 86, 12},
        {"Static", "&MidFreq", 0xFFFF, kLabel, 0, 13, 80, 26, 8},
        {"ListBox", "", IDC_MIDFREQ_CONTROLLER, kList, 0, 13, 92, 79, 12},
        {"Static", "Mid Frequency &Cutoff", 0xFFFF, kLabel, 0, 102, 80, 68, 8},
        {"ListBox", "", IDC_MIDCUTOFF_CONTROLLER, kList, 0, 102, 92, 86, 12},
        {"Button", "OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 195, 13, 42, 14},
        {"Button", "Reset A&ll", IDC_RESET_ALL, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 76, 136, 50, 14},
    };
    return t;
}

constexpr DWORD kPresetList = kChild | LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP;

DialogTemplate PresetDialogFrame(const char* caption, int cx, int cy) {
    DialogTemplate t;
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = cx;
    t.cy = cy;
    t.caption = caption;
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    return t;
}

DialogTemplate SavePresetTemplate() {
    DialogTemplate t = PresetDialogFrame("Save Custom Effects", 135, 154);
    t.items = {
        {"ListBox", "", IDC_SAVE_LIST, kPresetList, 0, 9, 60, 115, 73},
        {"Edit", "", IDC_SAVE_NAME, kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 9, 20, 115, 14},
        {"Button", "OK", IDOK, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 75, 137, 50, 14},
        {"Button", "Cancel", IDCANCEL, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 15, 138, 50, 14},
        {"Static", "Please enter a name to create a new patch of the current settings", kStatic,
         kChild | SS_LEFT, 0, 11, 2, 115, 17},
        {"Static", "Or select an existing patch to Overwrite", kStatic, kChild | SS_LEFT, 0, 9, 41, 112, 15},
    };
    return t;
}

DialogTemplate LoadPresetTemplate() {
    DialogTemplate t = PresetDialogFrame("Load Custom Settings", 120, 126);
    t.items = {
        {"ListBox", "", IDC_LOAD_LIST, kPresetList, 0, 7, 24, 104, 77},
        {"Button", "OK", IDOK, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 61, 105, 50, 14},
        {"Button", "Cancel", IDCANCEL, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 8, 105, 50, 14},
        {"Static", "Highlight the patch name and hit the 'OK' Button", kStatic, kChild | SS_LEFT, 0, 7, 6, 102, 16},
    };
    return t;
}

// The preset chooser: a caption-less hidden popup, the title strip art above an unsorted list.
DialogTemplate PresetChooser() {
    DialogTemplate t;
    t.style = 0x800000C0;  // WS_POPUP | DS_MODALFRAME | DS_SETFONT
    t.cx = 187;
    t.cy = 94;
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    t.items = {
        {"Static", "#222", kStatic, 0x5000000E, 0, 0, 0, 187, 9},  // WS_CHILD | WS_VISIBLE | SS_BITMAP
        // WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT
        // | LBS_WANTKEYBOARDINPUT; WS_EX_CLIENTEDGE | WS_EX_STATICEDGE
        {"ListBox", "", IDC_PRESET_LIST, 0x50A10501, 0x20200, 0, 10, 187, 84},
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
    module.AddDialog(IDD_CONTROLLER_SELECTIONS, ControllerSelections());
    module.AddDialog(IDD_SAVE_PRESET, SavePresetTemplate());
    module.AddDialog(IDD_LOAD_PRESET, LoadPresetTemplate());
    module.AddDialog(IDD_PRESET_CHOOSER, PresetChooser());
}

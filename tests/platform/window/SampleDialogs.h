#pragma once
// Templates shaped like the editor's dialogs (a group box of labelled one-line lists, a tool window
// with wrapped text, a name field above a list), with the stand-in edit and list controls.
#include "platform/module/ResourceTemplates.h"
#include "platform/window/WindowStyles.h"
#include "tests/support/DialogTestControls.h"

namespace sampledialogs {

using namespace win;

constexpr DWORD kModalFrame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL;
constexpr int kResetAll = 1027;
constexpr int kEffectList = 1023, kLowFreqList = 1015, kHighFreqList = 1016;

inline DialogTemplate Base(const char* caption, int cx, int cy) {
    DialogTemplate t;
    t.style = kModalFrame;
    t.caption = caption;
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    t.cx = cx;
    t.cy = cy;
    return t;
}

// Labels with mnemonics before one-line lists inside a group box; no Cancel button.
inline DialogTemplate ControllerSelections() {
    DialogTemplate t = Base("Present Controller Selections", 243, 162);
    t.items = {
        {"Button", "Controls", 0xFFFF, WS_VISIBLE | BS_GROUPBOX, 0, 7, 7, 183, 118},
        {"Static", "&Effect", 0xFFFF, WS_VISIBLE, 0, 83, 20, 20, 8},
        {testsupport::kListClass, "", kEffectList, kList, WS_EX_CLIENTEDGE, 56, 31, 86, 12},
        {"Static", "&Low Freq", 0xFFFF, WS_VISIBLE, 0, 13, 55, 30, 8},
        {testsupport::kListClass, "", kLowFreqList, kList, WS_EX_CLIENTEDGE, 13, 65, 79, 12},
        {"Static", "&High Freq", 0xFFFF, WS_VISIBLE, 0, 102, 55, 32, 8},
        {testsupport::kListClass, "", kHighFreqList, kList, WS_EX_CLIENTEDGE, 102, 65, 86, 12},
        {"Static", "&MidFreq", 0xFFFF, WS_VISIBLE, 0, 13, 80, 26, 8},
        {testsupport::kListClass, "", 1017, kList, WS_EX_CLIENTEDGE, 13, 92, 79, 12},
        {"Static", "Mid Frequency &Cutoff", 0xFFFF, WS_VISIBLE, 0, 102, 80, 68, 8},
        {testsupport::kListClass, "", 1018, kList, WS_EX_CLIENTEDGE, 102, 92, 86, 12},
        {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 195, 13, 42, 14},
        {"Button", "Reset A&ll", kResetAll, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 76, 136, 50, 14},
    };
    return t;
}

// A tool window: small caption, wrapped text above the fields.
inline DialogTemplate AutomationConfiguration() {
    DialogTemplate t = Base("MIDI Automation Configuration", 172, 236);
    t.exStyle = WS_EX_TOOLWINDOW;
    t.items = {
        {"Static", "MIDI Port", 0xFFFF, WS_VISIBLE, 0, 5, 43, 31, 8},
        {testsupport::kEditClass, "Corvane MidiOut : Port 1", 1031, WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, 58, 43, 98, 12},
        {"Static", "MIDI Channel", 0xFFFF, WS_VISIBLE, 0, 5, 75, 44, 8},
        {testsupport::kEditClass, "1", 1032, WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, 58, 75, 98, 12},
        {"Static", "Controller", 0xFFFF, WS_VISIBLE, 0, 5, 105, 30, 8},
        {"Button", "Cancel", 1018, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 58, 209, 38, 14},
        {"Button", "OK", 1016, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 117, 209, 39, 14},
        {"Static",
         "Use the following dialog screen to configure the MIDI automation control for this reverb "
         "parameter. Please select a MIDI port, channel and controller.",
         0xFFFF, WS_VISIBLE, 0, 5, 5, 156, 28},
        {testsupport::kListClass, "", 1034, kList, WS_EX_CLIENTEDGE, 4, 116, 152, 90},
    };
    return t;
}

// A name field and a list of names, each under wrapped text.
inline DialogTemplate SaveCustomEffects() {
    DialogTemplate t = Base("Save Custom Effects", 135, 154);
    t.items = {
        {testsupport::kListClass, "", 1000, kList, WS_EX_CLIENTEDGE, 9, 60, 115, 73},
        {testsupport::kEditClass, "", 1002, WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, 9, 20, 115, 14},
        {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 75, 137, 50, 14},
        {"Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 15, 138, 50, 14},
        {"Static", "Please enter a name to create a new patch of the current settings", 0xFFFF, WS_VISIBLE, 0, 11,
         2, 115, 17},
        {"Static", "Or select an existing patch to Overwrite", 0xFFFF, WS_VISIBLE, 0, 9, 41, 112, 15},
    };
    return t;
}

}  // namespace sampledialogs

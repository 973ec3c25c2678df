#include "controls/FXControlWnd.h"

#include <cstring>

#include "automation/AutomationConfigDlg.h"
#include "automation/ControllerSelectionsDlg.h"
#include "component/CurrentComponent.h"
#include "host/lib/EffectParams.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/gdi/Font.h"
#include "platform/window/Menu.h"
#include "platform/window/MessageBox.h"
#include "presets/ParameterTable.h"
#include "presets/PresetValues.h"
#include "resources/ResourceIds.h"
#include "presets/RoomKeys.h"

using namespace win;

CFXControlWnd::CFXControlWnd()
    : highlightColour(RGB(0, 255, 255)),
      normalColour(RGB(156, 206, 206)),
      controlFont(CreateFontA(13, 0, 0, 0, 500, 0, 0, 0, 0, 0, 0, 0, 0x20, "Arial")) {
    std::memset(iniFileName, 0, sizeof iniFileName);
    std::strcpy(iniFileName, kPresetFileName);
    effectSlot = CurrentEffect();
    if (effectSlot) paramBlock = effectSlot->GetInterface();
}

CFXControlWnd::~CFXControlWnd() = default;

void CFXControlWnd::StepValue(int* value, UINT key) {
    if (!value) return;
    switch (key) {
        case VK_PRIOR: *value = *value + 10 > 127 ? 127 : *value + 10; break;
        case VK_NEXT: *value = *value - 10 < 0 ? 0 : *value - 10; break;
        case VK_UP:
        case VK_ADD:
            if (*value >= 127) return;
            ++*value;
            break;
        case VK_DOWN:
        case VK_SUBTRACT:
            if (*value <= 0) return;
            --*value;
            break;
        default: return;
    }
    InvalidateRect(nullptr, FALSE);
}

bool CFXControlWnd::IsStepKey(UINT key) {
    return key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_ADD || key == VK_DOWN || key == VK_SUBTRACT;
}

void CFXControlWnd::StoreParameter(int value, int parameterId) {
    const ParameterInfo* info = InfoByStoreId(parameterId);
    if (!paramBlock || !info) return;
    (paramBlock->*info->record).value = static_cast<BYTE>(value & 0xFF);
}

void CFXControlWnd::StoreOutputSwitches(const tagUserPreset* preset) {
    if (!paramBlock || !preset) return;
    paramBlock->optionFlags = OutputSwitchFlags(*preset);
}

// The panel is not marked modified, even after Reset All: the dialog changed host and preset alike.
void CFXControlWnd::ShowControllerSelections(tagUserPreset* preset) {
    CControllerSelectionsDlg dialog;
    dialog.preset = preset;
    dialog.presetOwner = GetSafeHwnd();
    dialog.DoModal();
}

int CFXControlWnd::ConfigureAutomation(tagAutomationAssignment* assignment, tagMAREG* record) {
    if (!assignment) return 0;
    CAutomationConfigDlg dialog;
    dialog.workingAssignment = *assignment;
    if (!record) {
        // The dialog's preselection and its registration both need the record: without one it
        // would only offer a choice that can never be registered.
        AfxMessageBox("Invalid MAREG for automation", MB_OK);
        return 0;
    }
    dialog.record = record;
    // Both of the dialog's buttons end it with IDCANCEL; IDOK comes only from Enter, which
    // registers nothing.
    if (dialog.DoModal() != IDCANCEL) return 0;
    const tagAutomationAssignment& chosen = dialog.workingAssignment;
    if (chosen.channel == assignment->channel && chosen.controller == assignment->controller &&
        chosen.port == assignment->port)
        return 0;
    *assignment = chosen;
    return 1;
}

UINT CFXControlWnd::TrackSettingsMenu(Point client) {
    HMENU menu = LoadMenuA(IDR_CONTROL_SETTINGS);
    HMENU popup = GetSubMenu(menu, 0);
    if (!popup) {
        DestroyMenu(menu);
        return 0;
    }
    const Rect window = WindowRect();
    const HWND self = GetSafeHwnd();
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, window.left + client.x, window.top + client.y, 0, self));
    DestroyMenu(menu);
    // The menu's loop may have seen the editor closed.
    return IsWindow(self) ? command : 0;
}

// The Save and Load buttons: the preset dialogs run on the current preset, and what they saved or
// loaded becomes the compare switch's reference.
#include "automation/AutomationSync.h"
#include "controls/FXContour.h"
#include "controls/StereoDryMixer.h"
#include "host/lib/EffectParams.h"
#include "panel/EditorPanel.h"
#include "platform/time/Clock.h"
#include "platform/window/Cursor.h"
#include "platform/window/MessageBox.h"
#include "presets/LoadPresetDlg.h"
#include "presets/SavePresetDlg.h"

using namespace win;

// Both dialogs work on a copy that is taken back only while the panel still exists: the host may
// destroy the editor while a dialog waits for the user, and the dialog must not write into it then.

void CEditorPanel::SavePresetToFile() {
    const HWND self = GetSafeHwnd();
    CSaveCustomEffectsDlg dialog;
    if (contour) contour->Publish();
    if (mixer) mixer->Publish();
    if (paramBlock) currentPreset.programNumber = paramBlock->programNumber;
    tagUserPreset working = currentPreset;
    dialog.SetPreset(&working);
    const INT_PTR result = dialog.DoModal();
    if (!IsWindow(self)) return;
    currentPreset = working;
    if (result == -1) {
        AfxMessageBox("Sorry Could Not Display Save Dialog!", MB_OK);
        return;
    }
    if (dialog.saved) {
        nameMode = 1;
        presetB = currentPreset;
        presetA = currentPreset;
        ClearModified();
    }
    Invalidate(FALSE);
    UpdateWindow();
}

void CEditorPanel::LoadPresetFromFile() {
    const HWND self = GetSafeHwnd();
    CLoadCustomSettingsDlg dialog;
    tagUserPreset working = currentPreset;
    dialog.preset = &working;
    const INT_PTR result = dialog.DoModal();
    if (!IsWindow(self)) return;
    if (result == -1) {
        AfxMessageBox("Sorry Could Not Display Load Dialog!", MB_OK);
        return;
    }
    if (!dialog.loaded) {
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    currentPreset = working;
    WaitCursor wait;
    nameMode = 1;
    if (paramBlock) paramBlock->programNumber = static_cast<BYTE>(currentPreset.programNumber & 0xFF);
    Sleep(500);
    ApplyPreset(&currentPreset);
    ReapplyAutomation(effectSlot, paramBlock, &currentPreset);
    presetB = currentPreset;
    presetA = currentPreset;
    ClearModified();
    SetNameText(PresetName(currentPreset));
    InvalidateRect(&nameRect, FALSE);
}

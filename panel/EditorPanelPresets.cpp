// The panel's preset state: reading and writing the parameter block, the poll, the A/B compare and
// loading a preset chosen in the popup.
#include <cstring>

#include "automation/AutomationSync.h"
#include "controls/FXContour.h"
#include "controls/StereoDryMixer.h"
#include "host/lib/EffectParams.h"
#include "platform/time/Clock.h"
#include "platform/window/Cursor.h"
#include "platform/window/MessageBox.h"
#include "panel/EditorPanel.h"
#include "presets/PresetValues.h"
#include "presets/UserPresetFile.h"

using namespace win;

void CEditorPanel::ReadParameters(tagUserPreset* preset) {
    if (!paramBlock || !preset) return;
    CapturePresetValues(*paramBlock, *preset);
}

void CEditorPanel::WriteParameters(const tagUserPreset* preset) {
    if (!paramBlock || !preset) return;
    ApplyPresetValues(*preset, *paramBlock);
}

void CEditorPanel::ApplyPreset(const tagUserPreset* preset) {
    if (!preset) return;
    if (nameMode == 1) SetNameText(PresetName(*preset));
    else SetNameText(kDefaultPatchText);
    WriteParameters(preset);
    if (contour) {
        contour->dirtyMask = CFXContour::kEverything;
        contour->LoadFromRecord(preset);
    }
    if (mixer) {
        mixer->dirtyMask = CStereoDryMixer::kEverything;
        mixer->Refresh();
    }
    RepaintNow(nameRect);
}

PollChanges CEditorPanel::PollParameters() {
    PollChanges changes;
    if (!paramBlock) return changes;
    const tagUserPreset before = currentPreset;
    ReadParameters(&currentPreset);
    const bool high = currentPreset.highFreqValue != before.highFreqValue;
    const bool low = currentPreset.lowFreqValue != before.lowFreqValue;
    const bool cutoff = currentPreset.midCutoffValue != before.midCutoffValue;
    const bool mid = currentPreset.midFreqValue != before.midFreqValue;
    // The high band's bit replaces the "nothing pending" 1; the others add to it.
    if (high) changes.contourDirtyMask = CFXContour::kHighBand;
    if (low) changes.contourDirtyMask |= CFXContour::kLowBand;
    if (cutoff) changes.contourDirtyMask |= CFXContour::kEverything;
    if (mid) changes.contourDirtyMask |= CFXContour::kMidBand;
    changes.contourReload = high || low || cutoff || mid;
    if (currentPreset.effectLevel != before.effectLevel) changes.mixerDirtyMask = CStereoDryMixer::kFaderGroup;
    ApplyPollToControls(changes);
    return changes;
}

void CEditorPanel::ReferenceCapture() {
    if (captureRequest & 1) {
        presetB = currentPreset;
        captureRequest &= ~1;
    }
    if (captureRequest & 2) {
        presetB = currentPreset;
        captureRequest &= ~2;
    }
}

void CEditorPanel::PresetSetUp() {
    SetPresetName(currentPreset, "Default");
    SyncAutomationFromHost(effectSlot, paramBlock, &currentPreset);
    ReadParameters(&currentPreset);
    nameMode = 2;
    ApplyPreset(&currentPreset);
    presetB = currentPreset;
    edited = 0;
    presetA = currentPreset;
    tickCount = 0;
    captureRequest = 3;
}

void CEditorPanel::Rebind() {
    if (!paramBlock || !effectSlot) {
        AfxMessageBox("Invalid Interface Pointer", MB_OK);
        return;
    }
    if (contour) contour->Attach(paramBlock, effectSlot);
    if (mixer) mixer->Attach(paramBlock, effectSlot);
    SetNameText(kDefaultPatchText);
    RepaintNow(nameRect);
}

void CEditorPanel::MarkModified() {
    if (edited == 1) return;
    edited = 1;
    RepaintTopStrip();
}

void CEditorPanel::ClearModified() {
    if (edited == 0) return;
    edited = 0;
    RepaintTopStrip();
}

void CEditorPanel::CompareToA() {
    MarkModified();
    ApplyPreset(&presetA);
}

void CEditorPanel::CompareToB() {
    ClearModified();
    presetA = currentPreset;
    ApplyPreset(&presetB);
}

void CEditorPanel::LoadUserPreset(int index) {
    if (!paramBlock || paramBlock->presetsAvailable == 0) return;
    const int n = index + 1;
    CUserPresetFile file;
    if (!file.LoadRoom(n, iniFileName, &currentPreset)) {
        AfxMessageBox("Sorry could not load User settings file", MB_OK);
    } else {
        WaitCursor wait;
        nameMode = 1;
        SetNameText(kDefaultPatchText);
        InvalidateRect(&nameRect, FALSE);
        captureRequest = 1;
        UpdateWindow();
        // The host acts on a change of the program number only: a preset loaded under the number
        // it already has goes through another number first.
        if (paramBlock->programNumber == n) {
            paramBlock->programNumber = static_cast<BYTE>(n == 1 ? 0 : 1);
            Sleep(250);
        }
        paramBlock->programNumber = static_cast<BYTE>(n);
        Sleep(250);
        ApplyPreset(&currentPreset);
        ReapplyAutomation(effectSlot, paramBlock, &currentPreset);
    }
    Invalidate(FALSE);
    UpdateWindow();
}

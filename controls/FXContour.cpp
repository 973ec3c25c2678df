#include "controls/FXContour.h"

#include "controls/ControlOwner.h"
#include "controls/FXContourLayout.h"
#include "host/lib/EffectParams.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "presets/UserPreset.h"

using namespace win;

CFXContour::CFXContour() = default;

CFXContour::~CFXContour() = default;

void CFXContour::Attach(tagEffectParams* block, CEffectsPlugin* effect) {
    paramBlock = block;
    effectSlot = effect;
    bypassOn = effect && effect->GetBypassMode();
    dirtyMask = kEverything;
    InvalidateRect(&clientRect, FALSE);
    PaintContour();
}

void CFXContour::LoadFromRecord(const tagUserPreset* record) {
    if (!record) return;
    highValue = record->highFreqValue;
    lowValue = record->lowFreqValue;
    midValue = record->midFreqValue;
    cutoffValue = record->midCutoffValue;
    Invalidate(FALSE);
}

void CFXContour::Publish() {
    if (settings) {
        settings->highFreqValue = highValue;
        settings->lowFreqValue = lowValue;
        settings->midFreqValue = midValue;
        settings->midCutoffValue = cutoffValue;
    }
    if (panel) panel->MarkModified();
}

void CFXContour::ToggleBypass() {
    // The bypass state lives in the effect slot; without one there is nothing to switch.
    if (!effectSlot) return;
    bypassOn = !bypassOn;
    effectSlot->SetBypassMode(bypassOn);
    if (paramBlock) paramBlock->statusFlags &= ~STATUS_CLIP;
    dirtyMask |= kBypassButton;
    InvalidateRect(&bypassButton, FALSE);
    PaintContour();
}

void CFXContour::TakeKeyboard(bool cutoffHandle) {
    dirtyMask = cutoffHandle ? kEverything : kLowBand;
    selection = cutoffHandle ? kSelectCutoff : kSelectLow;
    Invalidate(FALSE);
    SetFocus();
}

CFXContour::Band CFXContour::BandOf(int dirtyBit) {
    switch (dirtyBit) {
        case kMidBand: return {contour::kMidX, &midValue, &midHandle, "M", kSelectMid, kParamMidFreq, kMidBand};
        case kHighBand: return {contour::kHighX, &highValue, &highHandle, "H", kSelectHigh, kParamHighFreq, kHighBand};
        default: return {contour::kLowX, &lowValue, &lowHandle, "L", kSelectLow, kParamLowFreq, kLowBand};
    }
}

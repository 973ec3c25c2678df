#include "controls/FXContour.h"

#include "host/lib/EffectsPlugin.h"
#include "panel/EditorPanel.h"
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
    dirtyMask = 0x3E;
    InvalidateRect(&clientRect, FALSE);
    UpdateWindow();
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

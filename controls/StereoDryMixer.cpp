#include "controls/StereoDryMixer.h"

#include "panel/EditorPanel.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"

using namespace win;

CStereoDryMixer::CStereoDryMixer() {
    switches[0].rect = {73, 66, 90, 82};
    switches[1].rect = {93, 66, 110, 82};
}

CStereoDryMixer::~CStereoDryMixer() = default;

void CStereoDryMixer::Attach(tagEffectParams* block, CEffectsPlugin* effect) {
    paramBlock = block;
    effectSlot = effect;
    dirtyMask = 52;
    Invalidate(FALSE);
    UpdateWindow();
}

void CStereoDryMixer::Publish() {
    if (panel) panel->MarkModified();
}

void CStereoDryMixer::Refresh() { Invalidate(FALSE); }

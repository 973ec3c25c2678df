#pragma once
// The stereo dry mixer: the left-hand strip of the panel with the effect level fader, its meter and
// readout, the L and R output switches and the clip light. Edits go at once into the host's
// parameter block and the panel's current preset. Made and owned by the panel; `panel` and
// `settings` point back into it.
#include <memory>

#include "controls/FXControlWnd.h"
#include "platform/base/Geometry.h"

class CEditorPanel;
namespace win {
class Bitmap;
class DC;
}

class CStereoDryMixer : public CFXControlWnd {
public:
    struct Switch {
        win::Rect rect;
        int pressed = 0;
    };

    CStereoDryMixer();
    ~CStereoDryMixer() override;

    void Attach(tagEffectParams* block, CEffectsPlugin* effect);
    void Publish();
    void Refresh();

    int dragMode = 0;
    int selection = 0;
    int dirtyMask = 0;
    CEditorPanel* panel = nullptr;
    std::shared_ptr<win::Bitmap> backBitmap;
    std::unique_ptr<win::DC> backDC;
    win::Rect clientRect;
    tagUserPreset* settings = nullptr;
    bool backReady = false;
    Switch switches[2];
    win::Rect knobRect;
    int knobRef = 0;
    int grabOffset = 0;
    win::Point pressPoint;
    win::Point menuPoint;
    bool clipLit = false;
};

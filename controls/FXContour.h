#pragma once
// The contour control: the right-hand part of the panel with the L, M and H band sliders, the graph
// of the three band columns, the cutoff marker under it and the bypass button. Edits go at once into
// the host's parameter block and the panel's current preset. Made and owned by the panel; `panel`
// and `settings` point back into it.
#include <memory>

#include "controls/FXControlWnd.h"
#include "platform/base/Geometry.h"

class CEditorPanel;
namespace win {
class Bitmap;
class DC;
}

class CFXContour : public CFXControlWnd {
public:
    // One band slider's hit record.
    struct Handle {
        win::Rect rect;
        int ref = 0;
        int grab = 0;
    };

    CFXContour();
    ~CFXContour() override;

    void Attach(tagEffectParams* block, CEffectsPlugin* effect);
    void LoadFromRecord(const tagUserPreset* record);
    void Publish();

    int dragMode = 0;
    int cutoffValue = 0;
    int dirtyMask = 0;
    int selection = 8;
    CEditorPanel* panel = nullptr;
    tagUserPreset* settings = nullptr;
    int trackHeight = 0;
    bool backReady = false;
    std::shared_ptr<win::Bitmap> backBitmap;
    win::Rect clientRect;
    std::unique_ptr<win::DC> backDC;
    win::Point pressPoint;
    win::Point menuPoint;
    int cutoffWidth = 0;
    int highValue = 0;
    int midValue = 0;
    int lowValue = 0;
    Handle lowHandle, midHandle, highHandle;
    win::Rect cutoffHandle;
    int cutoffGrab = 0;
    win::Rect bypassButton;
    bool bypassOn = false;
};

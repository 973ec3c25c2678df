#pragma once
// The contour control: the right-hand part of the panel with the L, M and H band sliders, the graph
// of the three band columns, the cutoff marker under it and the bypass button. Edits go at once into
// the host's parameter block and the panel's current preset. Made and owned by the panel; `panel`
// and `settings` point back into it. Its off-screen picture is made at the first paint; each paint redraws the picture groups named in dirtyMask and copies the whole
// picture to the screen. Interaction lives in FXContourInput.cpp and FXContourMenu.cpp, drawing in
// FXContourDrawing.cpp.
#include <memory>

#include "controls/FXControlWnd.h"
#include "controls/OffscreenPicture.h"
#include "platform/base/Geometry.h"

class IControlOwner;
namespace win {
class Bitmap;
class DC;
}

class CFXContour : public CFXControlWnd, public OffscreenPicture {
public:
    // One band slider's hit record.
    struct Handle {
        win::Rect rect;
        int ref = 0;
        int grab = 0;
    };

    enum DragMode { kIdle = 0, kDragLow = 2, kDragMid = 3, kDragHigh = 4, kDragCutoff = 5, kBypassPressed = 6,
                    kDragWindow = 2048 };
    enum Selection { kSelectLow = 1, kSelectMid = 2, kSelectHigh = 4, kSelectNone = 8, kSelectCutoff = 16 };
    // Picture groups of dirtyMask.
    enum Dirty { kNothingPending = 1, kLowBand = 0x02, kMidBand = 0x04, kHighBand = 0x08, kBackground = 0x10,
                 kBypassButton = 0x20, kEverything = 0x3E };

    CFXContour();
    ~CFXContour() override;

    void Attach(tagEffectParams* block, CEffectsPlugin* effect);
    void LoadFromRecord(const tagUserPreset* record);
    void Publish();
    void ToggleBypass();
    // The Tab walk arrives here: forward it selects the cutoff marker, backward the low slider, and
    // the control takes the keyboard focus.
    void TakeKeyboard(bool cutoffHandle);

    win::BOOL PreTranslateMessage(win::MSG* msg) override;

    // The automation that "Configure Automation..." edits for a point of the control: the preset's
    // assignment and the block's record of the slider track or cutoff marker there. No assignment
    // off the items or without a preset; no record without a parameter block.
    struct AutomationTarget {
        tagAutomationAssignment* assignment = nullptr;
        tagMAREG* record = nullptr;
    };
    AutomationTarget AutomationTargetAt(win::Point point) const;

    int dragMode = kIdle;
    int cutoffValue = 0;
    int dirtyMask = 0;
    int selection = kSelectNone;
    IControlOwner* panel = nullptr;
    tagUserPreset* settings = nullptr;
    int trackHeight = 0;
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

protected:
    void OnPaint() override;
    void OnLButtonDown(win::UINT flags, win::Point point) override;
    void OnLButtonUp(win::UINT flags, win::Point point) override;
    void OnMouseMove(win::UINT flags, win::Point point) override;
    void OnKeyDown(win::UINT key, win::UINT repeat, win::UINT flags) override;
    void OnKillFocus(win::Window* newFocus) override;
    void OnRButtonDown(win::UINT flags, win::Point point) override;

private:
    // What differs between the three band sliders.
    struct Band {
        int x0;
        int* value;
        Handle* handle;
        const char* label;
        int selectionBit;
        int parameterId;
        int dirtyBit;
    };
    // kLowBand, kMidBand or kHighBand.
    Band BandOf(int dirtyBit);

    // Drawing (FXContourDrawing.cpp).
    void MakeBackBuffer();
    void PaintContour();
    void DrawBand(win::DC& dc, const Band& band);
    void DrawMarker(win::DC& dc);
    void DrawBoundaryLines(win::DC& dc);
    void DrawBypassButton(win::DC& dc);
    void KeepLabelBackdrop(win::DC& dc);
    void RestoreLabelBackdrop(win::DC& dc, int x0);

    // Interaction (FXContourInput.cpp).
    bool GrabHandle(win::Point point);
    void DragBand(win::Point point);
    void DragCutoff(win::Point point);
    void HandleKey(win::UINT key);
    void StepSelected(int* value, int parameterId, int dirtyBit, win::UINT key);

    // The "Control Settings" menu (FXContourMenu.cpp).
    void OpenContextMenu(win::Point point);
    void ConfigureAutomationFor(const AutomationTarget& target);

    // The art behind the three slider letters, kept from the last background pass. Smoothed text
    // drawn again and again over itself grows heavier and keeps the fringe of its last colour, so
    // each band pass puts the art back before it draws its letter.
    std::shared_ptr<win::Bitmap> labelBackdrop_;
};

// The contour control's mouse and keyboard: grabbing and dragging the band handles and the cutoff
// marker, the bypass button, window drags from empty space, key steps and the Tab walk.
#include "controls/ControlOwner.h"
#include "controls/FXContour.h"
#include "controls/FXContourLayout.h"
#include "platform/window/WindowSystem.h"

using namespace win;
using namespace contour;

namespace {

int DirtyBitOfDrag(int dragMode) { return 1 << (dragMode - 1); }

}  // namespace

bool CFXContour::GrabHandle(Point point) {
    for (int bit : {kLowBand, kMidBand, kHighBand}) {
        Band band = BandOf(bit);
        // A handle that was never drawn has no place yet.
        if (band.handle->rect.IsEmpty() || !Grow(band.handle->rect, 6, 4).Contains(point)) continue;
        SetCapture();
        band.handle->grab = point.y - band.handle->ref;
        dragMode = bit == kLowBand ? kDragLow : bit == kMidBand ? kDragMid : kDragHigh;
        selection = band.selectionBit;
        dirtyMask = kEverything;
        Invalidate(FALSE);
    }
    if (!cutoffHandle.IsEmpty() && Grow(cutoffHandle, 8, 4).Contains(point)) {
        SetCapture();
        cutoffGrab = point.x - cutoffWidth;
        dragMode = kDragCutoff;
        selection = kSelectCutoff;
        dirtyMask = kEverything;
        Invalidate(FALSE);
    }
    if (bypassButton.Contains(point)) dragMode = kBypassPressed;
    return dragMode != kIdle;
}

void CFXContour::OnLButtonDown(UINT flags, Point point) {
    if (GetCapture() == this) return;
    if (!GrabHandle(point)) {
        SetCapture();
        pressPoint = point;
        dragMode = kDragWindow;
    }
    SetFocus();
    CFXControlWnd::OnLButtonDown(flags, point);
}

void CFXContour::OnMouseMove(UINT flags, Point point) {
    if (GetCapture() == this) {
        switch (dragMode) {
            case kDragLow:
            case kDragMid:
            case kDragHigh: DragBand(point); break;
            case kDragCutoff: DragCutoff(point); break;
            case kDragWindow:
                if (panel) panel->DragWindow(pressPoint.x, pressPoint.y, point.x, point.y);
                break;
            default: break;
        }
    }
    CFXControlWnd::OnMouseMove(flags, point);
}

void CFXContour::DragBand(Point point) {
    const Band band = BandOf(DirtyBitOfDrag(dragMode));
    // The travel at the grab plus the pointer's rise since, rescaled to a value; MulDiv's -1 for a
    // zero track height clamps to 0 like any other value below the foot.
    int value = MulDiv(band.handle->grab + trackHeight - point.y, kMaxValue, trackHeight);
    *band.value = DrawnValue(value);
    StoreParameter(*band.value, band.parameterId);
    Publish();
    dirtyMask |= band.dirtyBit;
    Invalidate(FALSE);
    if (band.dirtyBit != kLowBand) UpdateWindow();
}

void CFXContour::DragCutoff(Point point) {
    if (point.x < kGraph.left) cutoffWidth = kCutoffSpan;
    else if (point.x > kMidHighBoundary) cutoffWidth = 0;
    else cutoffWidth = kMidHighBoundary - point.x;
    cutoffValue = MulDiv(cutoffWidth, kMaxValue, kCutoffSpan);
    StoreParameter(cutoffValue, kParamMidCutoff);
    dirtyMask |= kEverything;
    Invalidate(FALSE);
    UpdateWindow();
    Publish();
}

void CFXContour::OnLButtonUp(UINT flags, Point point) {
    if (dragMode == kBypassPressed) {
        ToggleBypass();
        dragMode = kIdle;
    }
    if (GetCapture() == this) {
        ReleaseCapture();
        dragMode = kIdle;
    }
    CFXControlWnd::OnLButtonUp(flags, point);
}

BOOL CFXContour::PreTranslateMessage(MSG* msg) {
    if (msg && msg->message == WM_KEYDOWN) {
        HandleKey(static_cast<UINT>(msg->wParam));
        return TRUE;
    }
    return CFXControlWnd::PreTranslateMessage(msg);
}

void CFXContour::OnKeyDown(UINT key, UINT, UINT) { HandleKey(key); }

void CFXContour::HandleKey(UINT key) {
    if (selection == kSelectNone) return;
    if (key != VK_TAB) {
        switch (selection) {
            case kSelectLow: StepSelected(&lowValue, kParamLowFreq, kLowBand, key); break;
            case kSelectMid: StepSelected(&midValue, kParamMidFreq, kMidBand, key); break;
            case kSelectHigh: StepSelected(&highValue, kParamHighFreq, kHighBand, key); break;
            case kSelectCutoff: StepSelected(&cutoffValue, kParamMidCutoff, kEverything, key); break;
            default: break;
        }
        return;
    }
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    switch (selection) {
        case kSelectLow:
            if (backwards) {
                selection = kSelectMid;
                dirtyMask = kLowBand | kMidBand;
            } else {
                selection = kSelectNone;
                if (panel) panel->FocusMixer();
                dirtyMask = kLowBand;
            }
            break;
        case kSelectMid:
            selection = backwards ? kSelectHigh : kSelectLow;
            dirtyMask = backwards ? kMidBand | kHighBand : kLowBand | kMidBand;
            break;
        case kSelectHigh:
            selection = backwards ? kSelectCutoff : kSelectMid;
            dirtyMask = backwards ? kEverything : kMidBand | kHighBand;
            break;
        case kSelectCutoff:
            selection = backwards ? kSelectNone : kSelectHigh;
            dirtyMask = kEverything;
            break;
        default: return;
    }
    Invalidate(FALSE);
}

// Any key but Tab rewrites the selected value's byte and marks the preset modified, whether the
// key steps the value or not. A step from a value the host put out of range starts from what the
// picture shows, so it lands inside 0..127; any other key leaves the host's value as it is.
void CFXContour::StepSelected(int* value, int parameterId, int dirtyBit, UINT key) {
    dirtyMask = dirtyBit;
    if (IsStepKey(key)) *value = DrawnValue(*value);
    StepValue(value, key);
    StoreParameter(*value, parameterId);
    Publish();
}

void CFXContour::OnKillFocus(Window* newFocus) {
    selection = kSelectNone;
    dirtyMask = kEverything;
    Invalidate(FALSE);
    CFXControlWnd::OnKillFocus(newFocus);
}

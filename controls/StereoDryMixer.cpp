#include "controls/StereoDryMixer.h"

#include "controls/ControlOwner.h"
#include "controls/StereoDryMixerLayout.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/window/WindowSystem.h"
#include "presets/UserPreset.h"

using namespace win;
using namespace mixer;

CStereoDryMixer::CStereoDryMixer() {
    switches[0].rect = kLeftSwitch;
    switches[1].rect = kRightSwitch;
}

CStereoDryMixer::~CStereoDryMixer() = default;

void CStereoDryMixer::Attach(tagEffectParams* block, CEffectsPlugin* effect) {
    paramBlock = block;
    effectSlot = effect;
    dirtyMask = kEverything;
    Invalidate(FALSE);
    UpdateWindow();
}

void CStereoDryMixer::Publish() { MarkPanelModified(); }

void CStereoDryMixer::Refresh() { Invalidate(FALSE); }

void CStereoDryMixer::TakeKeyboard() {
    selection = kSelected;
    dirtyMask = kFaderGroup;
    InvalidateRect(nullptr, FALSE);
    SetFocus();
}

// A group set while an earlier one still waits for its paint must not wipe it: the paint that
// follows draws both.
void CStereoDryMixer::AddDirty(int groups) { dirtyMask = (dirtyMask & ~kNothingPending) | groups; }

void CStereoDryMixer::RepaintNow() {
    InvalidateRect(nullptr, FALSE);
    UpdateWindow();
}

void CStereoDryMixer::SetLevel(int level) {
    if (!settings) return;
    settings->effectLevel = level;
    StoreParameter(level, kParamEffect);
}

void CStereoDryMixer::MarkPanelModified() {
    if (panel) panel->MarkModified();
}

void CStereoDryMixer::OnLButtonDown(UINT flags, Point point) {
    if (GetCapture() == this) return;
    if (knobRect.Contains(point)) {
        SetCapture();
        grabOffset = point.y - knobRef;
        lastDragY_ = point.y;
        dragMode = kDragKnob;
        selection = kSelected;
        AddDirty(kFaderGroup);
        InvalidateRect(nullptr, FALSE);
    } else if (kTrackHit.Contains(point)) {
        // Deliberately no MarkModified here: a track click only moves the fader.
        SetLevel(TrackClickLevel(point.y));
        selection = kSelected;
        AddDirty(kFaderGroup);
        RepaintNow();
    } else {
        for (Switch& s : switches) {
            if (s.rect.Contains(point)) {
                SetCapture();
                s.pressed = 1;
                break;
            }
        }
        if (GetCapture() != this) {
            SetCapture();
            dragMode = kDragWindow;
            pressPoint = point;
        }
    }
    SetFocus();
    CFXControlWnd::OnLButtonDown(flags, point);
}

void CStereoDryMixer::OnMouseMove(UINT flags, Point point) {
    // A drag whose capture was taken away (a modal window, another control) ends silently.
    const bool dragging = GetCapture() == this;
    if (dragMode == kDragKnob && dragging && point.y != lastDragY_) {
        lastDragY_ = point.y;
        MarkPanelModified();
        SetLevel(DragLevel(grabOffset, point.y));
        AddDirty(kFaderGroup);
        RepaintNow();
    } else if (dragMode == kDragWindow && dragging && panel) {
        panel->DragWindow(pressPoint.x, pressPoint.y, point.x, point.y);
    }
    CFXControlWnd::OnMouseMove(flags, point);
}

void CStereoDryMixer::ToggleSwitch(int index) {
    if (!settings) return;
    std::int32_t& field = index == 0 ? settings->leftSwitch : settings->rightSwitch;
    // Any value but 1 shows as off, so a press turns it on rather than into another kind of off.
    field = field == 1 ? 0 : 1;
    MarkPanelModified();
    StoreOutputSwitches(settings);
    AddDirty(kSwitches);
    RepaintNow();
}

void CStereoDryMixer::OnLButtonUp(UINT flags, Point point) {
    if (GetCapture() == this) {
        for (int i = 0; i < 2; ++i)
            if (switches[i].pressed == 1 && switches[i].rect.Contains(point)) ToggleSwitch(i);
        for (Switch& s : switches) s.pressed = 0;
        ReleaseCapture();
        dragMode = kIdle;
    }
    CFXControlWnd::OnLButtonUp(flags, point);
}

void CStereoDryMixer::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (selection != kSelected) return;
    if (key == VK_TAB) {
        selection = kDeselected;
        AddDirty(kFaderGroup);
        if (panel) panel->FocusContour(GetKeyState(VK_SHIFT) >= 0);
        InvalidateRect(nullptr, FALSE);
        return;
    }
    AddDirty(kFaderGroup);
    if (settings) {
        int& level = settings->effectLevel;
        // A level from outside the range is shown at its nearest end; a step starts from there.
        if (IsStepKey(key)) level = DrawnLevel(level);
        StepValue(&level, key);
        StoreParameter(level, kParamEffect);
    }
    MarkPanelModified();
    (void)repeat;
    (void)flags;
}

BOOL CStereoDryMixer::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->hwnd == GetSafeHwnd()) {
        OnKeyDown(static_cast<UINT>(msg->wParam), LOWORD(msg->lParam), HIWORD(msg->lParam));
        return TRUE;
    }
    return CFXControlWnd::PreTranslateMessage(msg);
}

void CStereoDryMixer::OnKillFocus(Window* newFocus) {
    selection = kDeselected;
    dirtyMask = kEverything;
    InvalidateRect(nullptr, FALSE);
    CFXControlWnd::OnKillFocus(newFocus);
}

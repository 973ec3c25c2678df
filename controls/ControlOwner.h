#pragma once
// What the equaliser controls ask of the window that owns them, so that a control knows its owner
// only by these calls: the editor panel implements them, a test can stand in for it.
class IControlOwner {
public:
    // The user changed a value or an assignment: the current preset now differs from the stored one.
    virtual void MarkModified() = 0;
    // An automation assignment changed: the preset is modified and the whole owner is redrawn.
    virtual void AutomationChanged() = 0;
    // The Tab walk leaves a control: the other one takes the keyboard. `cutoffHandle` selects the
    // contour's cutoff marker (forward) instead of its low slider (backward).
    virtual void FocusMixer() = 0;
    virtual void FocusContour(bool cutoffHandle) = 0;
    // A press on an empty spot drags the host's window by the pointer's travel since the press, in
    // the control's client pixels.
    virtual void DragWindow(int startX, int startY, int currentX, int currentY) = 0;

protected:
    ~IControlOwner() = default;
};

#pragma once
// The "Button" control: push buttons (with the default-button frame), check boxes, radio buttons
// and group boxes. A click, the space bar or BM_CLICK sends BN_CLICKED to the parent. A group box
// only frames the controls after it: it answers DLGC_STATIC and lets the mouse through.
#include "platform/window/Window.h"

namespace win {

class ButtonControl : public Window {
public:
    bool IsPressed() const { return pressed_; }
    bool PaintsBelowSiblings() const override { return Type() == BS_GROUPBOX; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnLButtonUp(UINT flags, Point point) override;
    void OnMouseMove(UINT flags, Point point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    void OnSetFocus(Window* oldFocus) override;
    void OnKillFocus(Window* newFocus) override;
    void OnCaptureChanged(Window* newCapture) override;
    UINT OnGetDlgCode() override;
    int OnNcHitTest(Point screenPoint) override;
    // Whether a press takes the focus, as a dialog's buttons do; a toolbar-like button says no.
    virtual bool TakesFocusOnPress() const { return true; }

private:
    DWORD Type() const { return GetStyle() & BS_TYPEMASK; }
    void SetPressed(bool pressed);
    bool ShowsDefaultFrame() const;
    void InvalidateDefaultSiblings();
    void Click();
    void PaintPushButton(class DC& dc, Rect r);
    void PaintCheck(class DC& dc, Rect r);
    void PaintGroupBox(class DC& dc, Rect r);
    void DrawLabel(class DC& dc, Rect r, UINT format);

    bool pressed_ = false;
    bool tracking_ = false;
    UINT check_ = BST_UNCHECKED;
};

}  // namespace win

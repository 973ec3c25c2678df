#pragma once
// The "Button" control: push buttons (with the default-button frame), check boxes, radio buttons
// and group boxes. A click, the space bar or BM_CLICK sends BN_CLICKED to the parent.
#include "platform/window/Window.h"

namespace win {

class ButtonControl : public Window {
public:
    bool IsPressed() const { return pressed_; }

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

private:
    DWORD Type() const { return GetStyle() & BS_TYPEMASK; }
    void SetPressed(bool pressed);
    void Click();
    void PaintPushButton(class DC& dc, Rect r);
    void PaintCheck(class DC& dc, Rect r);

    bool pressed_ = false;
    bool tracking_ = false;
    UINT check_ = BST_UNCHECKED;
};

}  // namespace win

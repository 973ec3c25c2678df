#pragma once
// A push button of the host window that hands the keyboard back: a click gives it the focus for a
// moment (as any button), then it asks its parent, with kReturnFocusMessage carrying the window
// that had the focus before, to give the focus back. So a musician can press "MIDI CC" and go on
// stepping the editor's selected slider with the arrow keys.
#include "platform/window/controls/ButtonControl.h"

inline constexpr win::UINT kReturnFocusMessage = win::WM_USER + 0x101;

class HostButtonControl : public win::ButtonControl {
protected:
    void OnSetFocus(win::Window* oldFocus) override;
};

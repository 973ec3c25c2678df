#pragma once
// The "Static" control: text, or a filled or framed rectangle, in the parent's colours. Text wraps
// at word breaks and shows "&" mnemonics underlined unless SS_NOPREFIX. Unless SS_NOTIFY, the mouse
// passes through it to the dialog.
#include "platform/window/Window.h"

namespace win {

class StaticControl : public Window {
protected:
    void OnPaint() override;
    UINT OnGetDlgCode() override { return DLGC_STATIC; }
    int OnNcHitTest(Point screenPoint) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win

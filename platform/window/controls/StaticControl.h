#pragma once
// The "Static" control: text, or a filled or framed rectangle, in the parent's colours.
#include "platform/window/Window.h"

namespace win {

class StaticControl : public Window {
protected:
    void OnPaint() override;
    UINT OnGetDlgCode() override { return DLGC_STATIC; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win

#pragma once
// The "Static" control: text, or a filled or framed rectangle, in the parent's colours. Text wraps
// at word breaks and shows "&" mnemonics underlined unless SS_NOPREFIX. Unless SS_NOTIFY, the mouse
// passes through it to the dialog. SS_BITMAP shows the bitmap named "#id" in its text, from the
// module current at creation, and takes the bitmap's size.
#include <memory>

#include "platform/window/Window.h"

namespace win {

class Bitmap;

class StaticControl : public Window {
protected:
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnPaint() override;
    UINT OnGetDlgCode() override { return DLGC_STATIC; }
    int OnNcHitTest(Point screenPoint) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::shared_ptr<Bitmap> bitmap_;
};

}  // namespace win

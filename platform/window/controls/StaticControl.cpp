#include "platform/window/controls/StaticControl.h"

#include <cstdlib>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/module/Module.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/PaintDC.h"

namespace win {
namespace {

const bool registered = (RegisterControlClass("Static", [] { return new StaticControl(); }), true);

}  // namespace

LRESULT StaticControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = Window::WindowProc(message, wParam, lParam);
    if (message == WM_SETTEXT) Invalidate();
    return result;
}

int StaticControl::OnCreate(CREATESTRUCTA* cs) {
    if ((GetStyle() & SS_TYPEMASK) == SS_BITMAP) {
        // Loaded now: later paints may run while another module is current.
        const char* name = cs && cs->lpszName ? cs->lpszName : "";
        if (name[0] == '#') bitmap_ = LoadBitmap(static_cast<UINT>(std::strtoul(name + 1, nullptr, 10)));
        if (bitmap_) SetWindowPos(nullptr, 0, 0, bitmap_->Width(), bitmap_->Height(), SWP_NOMOVE | SWP_NOZORDER);
    }
    return Window::OnCreate(cs);
}

int StaticControl::OnNcHitTest(Point screen) {
    if (!(GetStyle() & SS_NOTIFY)) return HTTRANSPARENT;
    return Window::OnNcHitTest(screen);
}

void StaticControl::OnPaint() {
    PaintDC dc(this);
    Rect r = ClientRect();
    const DWORD type = GetStyle() & SS_TYPEMASK;
    auto frame = [&](COLORREF c) {
        dc.FillSolidRect({r.left, r.top, r.right, r.top + 1}, c);
        dc.FillSolidRect({r.left, r.bottom - 1, r.right, r.bottom}, c);
        dc.FillSolidRect({r.left, r.top, r.left + 1, r.bottom}, c);
        dc.FillSolidRect({r.right - 1, r.top, r.right, r.bottom}, c);
    };
    switch (type) {
        case SS_BLACKRECT: dc.FillSolidRect(r, RGB(0, 0, 0)); return;
        case SS_GRAYRECT: dc.FillSolidRect(r, GetSysColor(COLOR_BTNSHADOW)); return;
        case SS_WHITERECT: dc.FillSolidRect(r, RGB(255, 255, 255)); return;
        case SS_BLACKFRAME: frame(RGB(0, 0, 0)); return;
        case SS_GRAYFRAME: frame(GetSysColor(COLOR_BTNSHADOW)); return;
        case SS_WHITEFRAME: frame(RGB(255, 255, 255)); return;
        case SS_ICON: return;
        case SS_BITMAP: {
            if (!bitmap_) return;
            DC scratch;
            scratch.SelectBitmap(bitmap_);
            dc.BitBlt(0, 0, bitmap_->Width(), bitmap_->Height(), &scratch, 0, 0, SRCCOPY);
            scratch.SelectBitmap(nullptr);
            return;
        }
        default: break;
    }
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
    UINT format = DT_WORDBREAK | DT_EXPANDTABS;
    if (type == SS_CENTER) format |= DT_CENTER;
    if (type == SS_RIGHT) format |= DT_RIGHT;
    if (GetStyle() & SS_NOPREFIX) format |= DT_NOPREFIX;
    dc.DrawTextA(GetWindowText(), &r, format);
}

}  // namespace win

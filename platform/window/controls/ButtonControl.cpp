#include "platform/window/controls/ButtonControl.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/GdiTypes.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/PaintDC.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

const bool registered = (RegisterControlClass("Button", [] { return new ButtonControl(); }), true);

void Edge(DC& dc, Rect r, COLORREF topLeft, COLORREF bottomRight) {
    dc.FillSolidRect({r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    dc.FillSolidRect({r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    dc.FillSolidRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    dc.FillSolidRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

Rect Shrink(Rect r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// The dotted focus rectangle: every other pixel.
void FocusRect(DC& dc, Rect r) {
    for (int x = r.left; x < r.right; x += 2) {
        dc.SetPixel(x, r.top, RGB(0, 0, 0));
        dc.SetPixel(x, r.bottom - 1, RGB(0, 0, 0));
    }
    for (int y = r.top; y < r.bottom; y += 2) {
        dc.SetPixel(r.left, y, RGB(0, 0, 0));
        dc.SetPixel(r.right - 1, y, RGB(0, 0, 0));
    }
}

}  // namespace

LRESULT ButtonControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case BM_CLICK: Click(); return 0;
        case BM_GETCHECK: return check_;
        case BM_SETCHECK:
            check_ = static_cast<UINT>(wParam);
            Invalidate();
            return 0;
        case BM_GETSTATE: return check_ | (pressed_ ? BST_PUSHED : 0) | (GetFocus() == this ? BST_FOCUS : 0);
        case BM_SETSTATE: SetPressed(wParam != 0); return 0;
        case BM_SETSTYLE:
            ModifyStyle(BS_TYPEMASK, static_cast<DWORD>(wParam) & BS_TYPEMASK);
            if (LOWORD(static_cast<std::uintptr_t>(lParam))) Invalidate();
            return 0;
        case WM_SETTEXT: {
            LRESULT r = Window::WindowProc(message, wParam, lParam);
            Invalidate();
            return r;
        }
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

// A group box never takes the mouse: clicks reach the controls it frames, or the dialog.
int ButtonControl::OnNcHitTest(Point screen) {
    if (Type() == BS_GROUPBOX) return HTTRANSPARENT;
    return Window::OnNcHitTest(screen);
}

UINT ButtonControl::OnGetDlgCode() {
    switch (Type()) {
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
    }
}

void ButtonControl::SetPressed(bool pressed) {
    if (pressed == pressed_) return;
    pressed_ = pressed;
    Invalidate();
}

void ButtonControl::Click() {
    switch (Type()) {
        case BS_AUTOCHECKBOX: check_ = check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED; Invalidate(); break;
        case BS_AUTORADIOBUTTON:
            if (Window* parent = GetParent())
                for (Window* sibling : parent->Children())
                    if (sibling != this && sibling->ClassName() == "Button" &&
                        (sibling->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                        sibling->SendMessage(BM_SETCHECK, BST_UNCHECKED);
            check_ = BST_CHECKED;
            Invalidate();
            break;
        default: break;
    }
    if (Window* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(GetSafeHwnd()));
}

void ButtonControl::OnLButtonDown(UINT, Point) {
    if (Type() == BS_GROUPBOX) return;
    if (TakesFocusOnPress()) SetFocus();
    SetCapture();
    tracking_ = true;
    SetPressed(true);
}

void ButtonControl::OnMouseMove(UINT, Point point) {
    if (tracking_) SetPressed(ClientRect().Contains(point));
}

void ButtonControl::OnLButtonUp(UINT, Point point) {
    if (!tracking_) return;
    tracking_ = false;
    const bool inside = ClientRect().Contains(point);
    HWND self = GetSafeHwnd();
    ReleaseCapture();
    if (!IsWindow(self)) return;
    SetPressed(false);
    if (inside) Click();
}

void ButtonControl::OnCaptureChanged(Window*) {
    tracking_ = false;
    SetPressed(false);
}

void ButtonControl::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_SPACE) SetPressed(true);
}

void ButtonControl::OnKeyUp(UINT key, UINT, UINT) {
    if (key == VK_SPACE && pressed_) {
        SetPressed(false);
        Click();
    }
}

void ButtonControl::OnSetFocus(Window*) {
    Invalidate();
    InvalidateDefaultSiblings();
}

void ButtonControl::OnKillFocus(Window*) {
    SetPressed(false);
    Invalidate();
    InvalidateDefaultSiblings();
}

// The default frame follows the focus: while a push button has it, the default button of the
// dialog shows none, as in classic dialogs.
bool ButtonControl::ShowsDefaultFrame() const {
    Window* focus = GetFocus();
    if (focus == this) return true;
    if (Type() != BS_DEFPUSHBUTTON) return false;
    auto* focusedButton = dynamic_cast<ButtonControl*>(focus);
    const bool focusOnPushButton = focusedButton && focusedButton->GetParent() == GetParent() &&
                                   (focusedButton->Type() == BS_PUSHBUTTON || focusedButton->Type() == BS_DEFPUSHBUTTON);
    return !focusOnPushButton;
}

void ButtonControl::InvalidateDefaultSiblings() {
    const DWORD type = Type();
    if ((type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) || !GetParent()) return;
    for (Window* sibling : GetParent()->Children())
        if (sibling != this && sibling->ClassName() == "Button" && (sibling->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            sibling->Invalidate();
}

void ButtonControl::OnPaint() {
    PaintDC dc(this);
    Rect r = ClientRect();
    dc.SetBkMode(TRANSPARENT);
    switch (Type()) {
        case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON: PaintPushButton(dc, r); break;
        case BS_GROUPBOX: PaintGroupBox(dc, r); break;
        default: PaintCheck(dc, r); break;
    }
}

// The classic group box: an etched frame whose top line runs through the middle of the caption, and
// the caption on the button face 9 pixels in, clearing the line 2 pixels before it.
void ButtonControl::PaintGroupBox(DC& dc, Rect r) {
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    const std::string text = GetWindowText();
    TEXTMETRICA tm;
    dc.GetTextMetricsA(&tm);
    const int textHeight = tm.tmHeight;
    Rect box{r.left, r.top + textHeight / 2, r.right, r.bottom};
    Edge(dc, box, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    Edge(dc, Shrink(box, 1), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    if (text.empty()) return;
    Rect label = Rect::FromSize(r.left + 9, r.top, 0, textHeight);
    dc.DrawTextA(text, &label, DT_SINGLELINE | DT_CALCRECT);
    label.right = std::min(label.right, r.right - 9);
    dc.FillSolidRect({label.left - 2, label.top, label.right, label.bottom}, GetSysColor(COLOR_BTNFACE));
    DrawLabel(dc, label, DT_SINGLELINE);
}

// Caption text in the button text colour, or embossed in the highlight and shadow colours when
// the button is disabled.
void ButtonControl::DrawLabel(DC& dc, Rect r, UINT format) {
    const std::string text = GetWindowText();
    if (IsWindowEnabled()) {
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        dc.DrawTextA(text, &r, format);
        return;
    }
    Rect shadow = r.Offset(1, 1);
    dc.SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    dc.DrawTextA(text, &shadow, format);
    dc.SetTextColor(GetSysColor(COLOR_BTNSHADOW));
    dc.DrawTextA(text, &r, format);
}

void ButtonControl::PaintPushButton(DC& dc, Rect r) {
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    if (ShowsDefaultFrame()) {
        Edge(dc, r, RGB(0, 0, 0), RGB(0, 0, 0));
        r = Shrink(r, 1);
    }
    if (pressed_) {
        Edge(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    } else {
        Edge(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        Edge(dc, Shrink(r, 1), GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
    Rect text = Shrink(r, 2);
    if (pressed_) text = text.Offset(1, 1);
    DrawLabel(dc, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (GetFocus() == this) FocusRect(dc, Shrink(r, 3));
}

void ButtonControl::PaintCheck(DC& dc, Rect r) {
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    const int box = 13;
    Rect mark = Rect::FromSize(r.left, r.top + (r.Height() - box) / 2, box, box);
    const bool radio = Type() == BS_RADIOBUTTON || Type() == BS_AUTORADIOBUTTON;
    if (radio) {
        for (int y = 0; y < box; ++y)
            for (int x = 0; x < box; ++x) {
                double d = std::hypot(x - 6.0, y - 6.0);
                if (d <= 6.0) dc.SetPixel(mark.left + x, mark.top + y, d >= 5.0 ? GetSysColor(COLOR_BTNSHADOW) : RGB(255, 255, 255));
                if (check_ == BST_CHECKED && d <= 2.0) dc.SetPixel(mark.left + x, mark.top + y, RGB(0, 0, 0));
            }
    } else {
        Edge(dc, mark, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        Edge(dc, Shrink(mark, 1), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
        dc.FillSolidRect(Shrink(mark, 2), pressed_ ? GetSysColor(COLOR_BTNFACE) : RGB(255, 255, 255));
        if (check_ == BST_CHECKED)
            for (int i = 0; i < 7; ++i) {
                int x = mark.left + 3 + i;
                int y = mark.top + (i < 2 ? 5 + i : 9 - i) + 0;
                dc.FillSolidRect(Rect::FromSize(x, y, 1, 3), RGB(0, 0, 0));
            }
    }
    Rect text{mark.right + 4, r.top, r.right, r.bottom};
    dc.SetTextColor(IsWindowEnabled() ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
    dc.DrawTextA(GetWindowText(), &text, DT_SINGLELINE | DT_VCENTER);
    if (GetFocus() == this) {
        Size extent = dc.GetTextExtent(GetWindowText());
        FocusRect(dc, Rect::FromSize(text.left - 1, text.top + (text.Height() - extent.cy) / 2 - 1, extent.cx + 2, extent.cy + 2));
    }
}

}  // namespace win

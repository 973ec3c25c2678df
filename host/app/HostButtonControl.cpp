#include "host/app/HostButtonControl.h"

bool HostButtonControl::FocusBelongsElsewhere() const {
    win::Window* focus = GetFocus();
    win::Window* parent = GetParent();
    return focus && parent && focus != parent && focus->GetParent() != parent && parent->IsChild(focus);
}

void HostButtonControl::OnLButtonDown(win::UINT flags, win::Point point) {
    if (!FocusBelongsElsewhere()) {
        ButtonControl::OnLButtonDown(flags, point);
        return;
    }
    SetCapture();
    pressedWithoutFocus_ = true;
    SendMessage(win::BM_SETSTATE, win::TRUE);
}

void HostButtonControl::OnMouseMove(win::UINT flags, win::Point point) {
    if (pressedWithoutFocus_) SendMessage(win::BM_SETSTATE, ClientRect().Contains(point) ? win::TRUE : win::FALSE);
    else ButtonControl::OnMouseMove(flags, point);
}

void HostButtonControl::OnLButtonUp(win::UINT flags, win::Point point) {
    if (!pressedWithoutFocus_) {
        ButtonControl::OnLButtonUp(flags, point);
        return;
    }
    pressedWithoutFocus_ = false;
    const bool inside = ClientRect().Contains(point);
    win::HWND self = GetSafeHwnd();
    ReleaseCapture();
    if (!win::IsWindow(self)) return;
    SendMessage(win::BM_SETSTATE, win::FALSE);
    // BM_CLICK notifies the parent exactly as a click with the focus would.
    if (inside) SendMessage(win::BM_CLICK);
}

void HostButtonControl::OnCaptureChanged(win::Window* newCapture) {
    pressedWithoutFocus_ = false;
    ButtonControl::OnCaptureChanged(newCapture);
}

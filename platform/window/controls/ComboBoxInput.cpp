// The combo box's dropped list (dropping, choosing, cancelling), its keys, mouse and focus, and the
// handlers of its two parts.
#include "platform/window/WindowSystem.h"
#include "platform/window/controls/ComboBoxParts.h"
#include "platform/window/controls/EditMessages.h"

namespace win {

void ComboBoxControl::ShowDropDown(BOOL show) {
    if (show) Drop();
    else CloseList(Close::Keep);
}

bool ComboBoxControl::Drop() {
    if (dropped_ || !list_->GetSafeHwnd() || !IsWindowEnabled()) return true;
    // The parent may fill the list now, so the list is measured after it has been told.
    if (!Notify(CBN_DROPDOWN)) return false;
    if (dropped_) return true;
    lineBeforeDrop_ = list_->GetCurSel();
    textBeforeDrop_ = GetWindowText();
    const Rect rect = ListRectOnScreen();
    list_->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
    if (lineBeforeDrop_ >= 0) list_->SetTopIndex(lineBeforeDrop_);
    dropped_ = true;
    list_->ShowWindow(SW_SHOWNA);
    list_->SetCapture();
    return true;
}

bool ComboBoxControl::CloseList(Close how) {
    if (!dropped_) return true;
    dropped_ = false;
    if (!Notify(how == Close::Choose ? CBN_SELENDOK : CBN_SELENDCANCEL)) return false;
    int line = list_->GetCurSel();
    if (how == Close::Choose) {
        if (line >= 0) ShowLineInField(line);
    } else if (how == Close::Keep) {
        line = shownLine_;
        list_->SetCurSel(line);
    } else {
        line = lineBeforeDrop_;
        list_->SetCurSel(line);
        if (!HasEdit()) {
            ShowLineInField(line);
        } else if (GetWindowText() != textBeforeDrop_) {
            SetFieldText(textBeforeDrop_);
            edit_->SendMessage(EM_SETSEL, 0, -1);
        }
    }
    if (trackingButton_) EndButtonTracking();
    list_->ShowWindow(SW_HIDE);
    buttonPressed_ = false;
    InvalidateRect(nullptr, FALSE);
    if (!Notify(CBN_CLOSEUP)) return false;
    if (line == shownLine_) return true;
    shownLine_ = line;
    return Notify(CBN_SELCHANGE);
}

bool ComboBoxControl::HandleKey(UINT key, bool alt) {
    if (alt) {
        if (key != VK_DOWN && key != VK_UP) return false;
        if (dropped_) CloseList(Close::Keep);
        else Drop();
        return true;
    }
    switch (key) {
        case VK_F4:
            if (dropped_) CloseList(Close::Keep);
            else Drop();
            return true;
        case VK_RETURN:
            if (!dropped_) return false;
            CloseList(Close::Choose);
            return true;
        case VK_ESCAPE:
            if (!dropped_) return false;
            CloseList(Close::Restore);
            return true;
        case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT:
            ForwardToList(WM_KEYDOWN, key);
            return true;
        case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
            // In an edit field these move the caret.
            if (HasEdit()) return false;
            ForwardToList(WM_KEYDOWN, key);
            return true;
        default: return false;
    }
}

void ComboBoxControl::ForwardToList(UINT message, WPARAM wParam) {
    const HWND self = GetSafeHwnd();
    fromKeyboard_ = true;
    list_->SendMessage(message, wParam, 0);
    if (IsWindow(self)) fromKeyboard_ = false;
}

void ComboBoxControl::OnListSelChange(int index) {
    // The pointer only shows a line; a key selects it.
    if (!fromKeyboard_) return;
    const bool closed = !dropped_;
    ShowLineInField(index);
    shownLine_ = index;
    if (closed && !Notify(CBN_SELENDOK)) return;
    Notify(CBN_SELCHANGE);
}

void ComboBoxControl::OnListChoice(int) { CloseList(Close::Choose); }
void ComboBoxControl::OnListCancel() { CloseList(Close::Keep); }

void ComboBoxControl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (!HandleKey(key, false)) Window::OnKeyDown(key, repeat, flags);
}

void ComboBoxControl::OnChar(UINT ch, UINT, UINT) {
    if (ch >= 0x20 && IsDropList()) ForwardToList(WM_CHAR, ch);
}

void ComboBoxControl::OnLButtonDown(UINT, Point point) {
    const HWND self = GetSafeHwnd();
    if (!focused_) {
        SetFocus();
        if (!IsWindow(self)) return;
    }
    if (!IsDropList() && !ButtonRect().Contains(point)) return;
    if (!Drop() || !dropped_) return;
    // Held down, the button stays pushed until the pointer goes into the list, which then takes over.
    trackingButton_ = buttonPressed_ = true;
    SetCapture();
    InvalidateRect(nullptr, FALSE);
}

void ComboBoxControl::OnMouseMove(UINT, Point point) {
    if (!trackingButton_) return;
    Point screen = point;
    ClientToScreen(&screen);
    if (dropped_ && list_->WindowRect().Contains(screen)) {
        EndButtonTracking();
        Point inList = screen;
        list_->ScreenToClient(&inList);
        list_->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inList.x, inList.y));
        return;
    }
    const bool pressed = IsDropList() ? ClientRect().Contains(point) : ButtonRect().Contains(point);
    if (pressed != buttonPressed_) {
        buttonPressed_ = pressed;
        InvalidateRect(nullptr, FALSE);
    }
}

void ComboBoxControl::OnLButtonUp(UINT, Point) {
    if (trackingButton_) EndButtonTracking();
}

void ComboBoxControl::EndButtonTracking() {
    trackingButton_ = buttonPressed_ = false;
    InvalidateRect(nullptr, FALSE);
    // A dropped list takes the mouse back, so that a click outside closes it.
    if (dropped_) list_->SetCapture();
    else if (GetCapture() == this) ReleaseCapture();
}

void ComboBoxControl::OnCaptureChanged(Window* newCapture) {
    if (!trackingButton_ || newCapture == list_.get()) return;
    trackingButton_ = buttonPressed_ = false;
    InvalidateRect(nullptr, FALSE);
}

bool ComboBoxControl::OwnsWindow(const Window* window) const {
    return window && (window == this || window == edit_.get() || window == list_.get());
}

void ComboBoxControl::OnSetFocus(Window*) {
    const HWND self = GetSafeHwnd();
    FocusEntered();
    if (!IsWindow(self)) return;
    if (HasEdit()) {
        edit_->SetFocus();
        if (IsWindow(self) && GetFocus() == edit_.get()) edit_->SendMessage(EM_SETSEL, 0, -1);
    }
}

void ComboBoxControl::OnKillFocus(Window* newFocus) { FocusLeaving(newFocus); }

void ComboBoxControl::FocusEntered() {
    if (focused_) return;
    focused_ = true;
    InvalidateRect(nullptr, FALSE);
    Notify(CBN_SETFOCUS);
}

void ComboBoxControl::FocusLeaving(Window* newFocus) {
    if (!focused_ || OwnsWindow(newFocus)) return;
    focused_ = false;
    InvalidateRect(nullptr, FALSE);
    if (dropped_) {
        if (!CloseList(Close::Keep)) return;
    } else if (!Notify(CBN_SELENDCANCEL)) {
        return;
    }
    Notify(CBN_KILLFOCUS);
}

LRESULT ComboEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE)
        return EditControl::WindowProc(message, wParam, lParam) |
               (combo_.DlgCode(reinterpret_cast<const MSG*>(lParam)) & DLGC_WANTMESSAGE);
    if (message == WM_SYSKEYDOWN && combo_.HandleKey(static_cast<UINT>(wParam), true)) return 0;
    return EditControl::WindowProc(message, wParam, lParam);
}

void ComboEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (!combo_.HandleKey(key, false)) EditControl::OnKeyDown(key, repeat, flags);
}

void ComboEdit::OnSetFocus(Window* oldFocus) {
    EditControl::OnSetFocus(oldFocus);
    combo_.FocusEntered();
}

void ComboEdit::OnKillFocus(Window* newFocus) {
    EditControl::OnKillFocus(newFocus);
    combo_.FocusLeaving(newFocus);
}

BOOL ComboListBox::PreCreateWindow(CREATESTRUCTA& cs) {
    ListBoxControl::PreCreateWindow(cs);
    cs.lpszClass = "ComboLBox";
    return TRUE;
}

void ComboListBox::OnCaptureChanged(Window* newCapture) {
    ListBoxControl::OnCaptureChanged(newCapture);
    // Another window took the mouse (a menu, a message box): the list goes, as after a click outside.
    if (combo_.dropped_ && newCapture != this && newCapture != &combo_) combo_.CloseList(ComboBoxControl::Close::Keep);
}

}  // namespace win

#include "host/app/HostButtonControl.h"

void HostButtonControl::OnSetFocus(win::Window* oldFocus) {
    ButtonControl::OnSetFocus(oldFocus);
    // Posted, not done here: taking the focus away inside its own focus change would confuse the
    // button's press tracking.
    if (oldFocus && oldFocus != this && GetParent())
        GetParent()->PostMessage(kReturnFocusMessage, reinterpret_cast<win::WPARAM>(oldFocus->GetSafeHwnd()));
}

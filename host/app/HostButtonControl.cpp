#include "host/app/HostButtonControl.h"

bool HostButtonControl::TakesFocusOnPress() const {
    win::Window* focus = GetFocus();
    win::Window* parent = GetParent();
    const bool focusInEditor =
        focus && parent && focus != parent && focus->GetParent() != parent && parent->IsChild(focus);
    return !focusInEditor;
}

#pragma once
// A push button of the host window that leaves the keyboard with the editor: a click while the
// focus is inside a sibling of the buttons (the editor's controls) presses and releases the button
// without taking the focus, as a toolbar button does, so a musician can press "MIDI CC" and go on
// stepping the editor's selected slider with the arrow keys. Taking the focus even for a moment
// would not do: the editor's controls drop their selection when they lose it. With the focus
// anywhere else it is an ordinary push button.
#include "platform/window/controls/ButtonControl.h"

class HostButtonControl : public win::ButtonControl {
protected:
    bool TakesFocusOnPress() const override;
};

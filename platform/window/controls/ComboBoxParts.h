#pragma once
// The two parts a combo box makes for itself: its edit field, which hands the combo box the keys
// it wants and tells it when the focus comes and goes, and its dropped list, a list box shown as a
// popup that gives up when something else takes the mouse. Both live as long as their combo box.
#include "platform/window/controls/ComboBoxControl.h"
#include "platform/window/controls/EditControl.h"

namespace win {

class ComboEdit : public EditControl {
public:
    explicit ComboEdit(ComboBoxControl& combo) : combo_(combo) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnSetFocus(Window* oldFocus) override;
    void OnKillFocus(Window* newFocus) override;

private:
    ComboBoxControl& combo_;
};

class ComboListBox : public ListBoxControl {
public:
    explicit ComboListBox(ComboBoxControl& combo) : combo_(combo) {}

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnCaptureChanged(Window* newCapture) override;

private:
    ComboBoxControl& combo_;
};

}  // namespace win

#pragma once
// Dialog data exchange in the framework's shape. A dialog's DoDataExchange names, control by control,
// the member each one is exchanged with, through the DDX_ helpers below; Dialog::UpdateData runs it in
// one direction: FALSE writes the members into the controls, TRUE reads the controls into the members.
// The helpers reach the controls only through their Windows messages, so they work with any control
// that answers them.
#include <string>

#include "platform/window/Window.h"

namespace win {

class DataExchange {
public:
    DataExchange(Window& dialog, bool saveAndValidate) : dialog(dialog), saveAndValidate(saveAndValidate) {}

    Window& dialog;
    const bool saveAndValidate;  // true: controls to members

    // The dialog's control `id`, which becomes the one to get the focus if the exchange fails; null
    // (and the exchange failed, with a line on stderr) when the dialog has no such control.
    Window* PrepareControl(int id);
    // Fails the exchange: the helpers that follow do nothing and UpdateData returns FALSE.
    void Fail() { failed_ = true; }
    bool Failed() const { return failed_; }
    Window* FailedControl() const;

private:
    bool failed_ = false;
    HWND lastControl_ = nullptr;
};

// A dialog member that stands for one of its controls ("the list box control 1000"), bound by
// DDX_Control. It holds the control's handle rather than its object: controls made from a template
// belong to themselves and go with their windows, so a reference outliving its window is simply
// empty, and messages sent through it return 0.
class ControlRef {
public:
    Window* Get() const { return Window::FromHandle(hwnd_); }
    HWND GetSafeHwnd() const { return Get() ? hwnd_ : nullptr; }
    explicit operator bool() const { return Get() != nullptr; }
    // The control as its own class, when it is one.
    template <class Control>
    Control* As() const {
        return dynamic_cast<Control*>(Get());
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        Window* window = Get();
        return window ? window->SendMessage(message, wParam, lParam) : 0;
    }
    void Attach(Window* window) { hwnd_ = window ? window->GetSafeHwnd() : nullptr; }
    void Detach() { hwnd_ = nullptr; }

private:
    HWND hwnd_ = nullptr;
};

// Binds `control` to the dialog's control `id` the first time, in either direction.
void DDX_Control(DataExchange& dx, int id, ControlRef& control);
// The control's whole text. Writing sends WM_SETTEXT only when the text differs from the control's,
// so that a change handler writing its strings back does not trigger itself again.
void DDX_Text(DataExchange& dx, int id, std::string& value);
// The same with a character buffer of `size` bytes, terminator included: reading stores at most
// size - 1 characters and the terminator (a longer text is cut, with a line on stderr); writing
// reads the buffer no further than `size` bytes and limits the edit to size - 1 characters, so that
// what the user types fits.
void DDX_Text(DataExchange& dx, int id, char* buffer, int size);
// A list box's selected line: reading gives its text, or the empty string when no line is selected;
// writing selects the first line that begins with the string, ignoring case (LB_SELECTSTRING from
// the top), and selects none when no line does or the string is empty.
void DDX_LBString(DataExchange& dx, int id, std::string& value);

}  // namespace win

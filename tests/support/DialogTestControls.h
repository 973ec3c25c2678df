#pragma once
// Stand-ins for an edit field and a list box in dialog templates, for the tests of the dialog
// manager and of data exchange: they answer the messages those send, the way the real controls
// do, and record what they were sent. Registered as the control classes kEditClass and kListClass.
#include <string>
#include <utility>
#include <vector>

#include "platform/window/Window.h"

namespace testsupport {

constexpr const char* kEditClass = "KvxTestEdit";
constexpr const char* kListClass = "KvxTestList";
void RegisterDialogTestControls();

// Wants characters and arrows and has a selection (DLGC_HASSETSEL), like a single-line edit, which
// also reports EN_CHANGE for WM_SETTEXT.
class SelectingEdit : public win::Window {
public:
    static constexpr win::UINT EN_CHANGE = 0x0300;
    std::vector<std::pair<win::WPARAM, win::LPARAM>> selections;  // EM_SETSEL, in order
    int setTexts = 0;

protected:
    win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;
    void OnPaint() override;
};

// Holds lines and one selected line, and answers LB_GETCURSEL, LB_SETCURSEL, LB_GETTEXTLEN,
// LB_GETTEXT and LB_SELECTSTRING (the first line from after `start`, wrapping, that begins with the
// string, ignoring case: an empty string matches any line).
class ListBoxStandIn : public win::Window {
public:
    std::vector<std::string> lines;
    int selection = -1;
    int selectStrings = 0;

protected:
    win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;
    void OnPaint() override;
};

}  // namespace testsupport

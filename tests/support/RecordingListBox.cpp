#include "tests/support/RecordingListBox.h"

#include "platform/window/controls/ListBoxMessages.h"

namespace testsupport {

win::LRESULT RecordingListBox::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) {
    if (message != win::LB_ADDSTRING) return Window::WindowProc(message, wParam, lParam);
    lines.emplace_back(reinterpret_cast<const char*>(lParam));
    return static_cast<win::LRESULT>(lines.size() - 1);
}

}  // namespace testsupport

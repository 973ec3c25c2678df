#pragma once
// A window that stands in for a list box and keeps the lines LB_ADDSTRING gives it, in the order
// given, for the preset tests and the preset fuzzer.
#include <string>
#include <vector>

#include "platform/window/Window.h"

namespace testsupport {

class RecordingListBox : public win::Window {
public:
    std::vector<std::string> lines;

protected:
    win::LRESULT WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) override;
};

}  // namespace testsupport

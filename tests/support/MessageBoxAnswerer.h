#pragma once
// Answers every modal message box with Enter from the window system's idle hook, after recording
// it as painted (caption, text runs, icon). The hook is installed for the answerer's lifetime, so
// nothing else may set one meanwhile. Used by the preset tests and the preset fuzzer.
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

namespace testsupport {

struct ShownBox {
    std::string caption;
    std::vector<std::string> texts;  // painted text runs, the button's included
    bool informationIcon = false;
    bool HasText(std::string_view text) const;
};

class MessageBoxAnswerer {
public:
    // `boxes` receives one entry per box shown and must outlive the answerer.
    explicit MessageBoxAnswerer(std::vector<ShownBox>& boxes);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

private:
    std::vector<ShownBox>& boxes_;
    win::HWND lastBox_ = nullptr;
};

}  // namespace testsupport

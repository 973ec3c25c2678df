#include "tests/support/MessageBoxAnswerer.h"

#include "platform/gdi/DrawTrace.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

namespace testsupport {

bool ShownBox::HasText(std::string_view text) const {
    for (const std::string& run : texts)
        if (run == text) return true;
    return false;
}

MessageBoxAnswerer::MessageBoxAnswerer(std::vector<ShownBox>& boxes) : boxes_(boxes) {
    win::SetIdleHook([this] {
        win::Window* box = win::Window::GetActiveWindow();
        if (!box || box->GetSafeHwnd() == lastBox_) return;
        lastBox_ = box->GetSafeHwnd();
        ShownBox shown;
        shown.caption = box->GetWindowText();
        {
            win::ScopedDrawTrace trace;
            box->RedrawWindow();
            for (const win::DrawTraceEntry& entry : trace.Entries()) {
                if (entry.op == win::DrawOp::TextOut) shown.texts.push_back(entry.text);
                // The information icon's "i" is drawn in this blue; the error and warning icons have none.
                if (entry.op == win::DrawOp::FillRect && entry.color == win::RGB(0, 0, 200)) shown.informationIcon = true;
            }
        }
        boxes_.push_back(shown);
        win::InjectKeyPress(win::VK_RETURN);
    });
}

MessageBoxAnswerer::~MessageBoxAnswerer() { win::SetIdleHook(nullptr); }

}  // namespace testsupport

#include "tests/support/HeadlessDesktop.h"

#include "platform/gdi/DrawTrace.h"
#include "platform/window/PaintDC.h"

namespace testsupport {

void HeadlessDesktopTest::SetUp() {
    win::SetClock(&clock);
    win::WindowSystem::Instance().ResetForTesting();
    win::Desktop::Instance().SetBackend(nullptr);
    win::Desktop::Instance().SetSize({1024, 768});
}

void HeadlessDesktopTest::TearDown() {
    win::WindowSystem::Instance().ResetForTesting();
    win::SetClock(nullptr);
}

void HeadlessDesktopTest::Advance(std::uint64_t ms) {
    const std::uint64_t end = clock.NowMs() + ms;
    Pump();
    while (true) {
        auto due = win::WindowSystem::Instance().NextTimerDue();
        if (!due || *due > end) break;
        clock.AdvanceTo(*due);
        Pump();
    }
    clock.AdvanceTo(end);
    Pump();
}

void HeadlessDesktopTest::ClickAt(win::Point screen, int button) {
    win::InjectClick(screen, button);
    Pump();
}

void HeadlessDesktopTest::ClickClient(win::Window& window, win::Point client, int button) {
    window.ClientToScreen(&client);
    ClickAt(client, button);
}

void HeadlessDesktopTest::Press(win::UINT vk) {
    win::InjectKeyPress(vk);
    Pump();
}

void HeadlessDesktopTest::AltPress(win::UINT vk) {
    win::InjectKey(win::VK_MENU, true);
    win::InjectKeyPress(vk);
    win::InjectKey(win::VK_MENU, false);
    Pump();
}

void HeadlessDesktopTest::WhenModal(std::function<void()> action) {
    auto pending = std::make_shared<std::function<void()>>(std::move(action));
    win::SetIdleHook([pending] {
        if (!*pending) return;
        auto run = std::move(*pending);
        *pending = nullptr;
        run();
    });
}

win::LRESULT RecordingWindow::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) {
    if (log) {
        std::string entry = name + ":" + MessageName(message);
        if (message == win::WM_SHOWWINDOW) entry += IsWindowVisible() ? "(visible)" : "(hidden)";
        log->push_back(entry);
    }
    return Window::WindowProc(message, wParam, lParam);
}

win::BOOL RecordingWindow::PreTranslateMessage(win::MSG* msg) {
    if (log && msg->message == win::WM_KEYDOWN) log->push_back(name + ":pre");
    return preTranslate && preTranslate(msg) ? win::TRUE : win::FALSE;
}

void RecordingWindow::OnPaint() {
    ++paints;
    win::PaintDC dc(this);
}

std::string MessageName(win::UINT message) {
    using namespace win;
    switch (message) {
        case WM_CREATE: return "CREATE";
        case WM_DESTROY: return "DESTROY";
        case WM_NCDESTROY: return "NCDESTROY";
        case WM_PAINT: return "PAINT";
        case WM_NCPAINT: return "NCPAINT";
        case WM_ERASEBKGND: return "ERASEBKGND";
        case WM_SHOWWINDOW: return "SHOWWINDOW";
        case WM_SETFOCUS: return "SETFOCUS";
        case WM_KILLFOCUS: return "KILLFOCUS";
        case WM_CAPTURECHANGED: return "CAPTURECHANGED";
        case WM_LBUTTONDOWN: return "LBUTTONDOWN";
        case WM_LBUTTONUP: return "LBUTTONUP";
        case WM_LBUTTONDBLCLK: return "LBUTTONDBLCLK";
        case WM_RBUTTONDOWN: return "RBUTTONDOWN";
        case WM_MOUSEMOVE: return "MOUSEMOVE";
        case WM_KEYDOWN: return "KEYDOWN";
        case WM_KEYUP: return "KEYUP";
        case WM_CHAR: return "CHAR";
        case WM_TIMER: return "TIMER";
        case WM_CLOSE: return "CLOSE";
        case WM_SIZE: return "SIZE";
        case WM_MOVE: return "MOVE";
        case WM_ACTIVATE: return "ACTIVATE";
        case WM_SETTEXT: return "SETTEXT";
        case WM_SETFONT: return "SETFONT";
        case WM_COMMAND: return "COMMAND";
        case WM_NCHITTEST: return "NCHITTEST";
        case WM_ENABLE: return "ENABLE";
        case WM_GETDLGCODE: return "GETDLGCODE";
        default: return "0x" + std::to_string(message);
    }
}

std::vector<std::string> PaintedTexts(win::Window& window) {
    win::ScopedDrawTrace trace;
    window.RedrawWindow();
    std::vector<std::string> texts;
    for (const win::DrawTraceEntry& e : trace.Entries())
        if (e.op == win::DrawOp::TextOut && !e.text.empty()) texts.push_back(e.text);
    return texts;
}

}  // namespace testsupport

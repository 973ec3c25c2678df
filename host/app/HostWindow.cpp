#include "host/app/HostWindow.h"

#include <algorithm>

#include "platform/window/PaintDC.h"
#include "platform/window/WindowSystem.h"

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kButtonHeight = 25;
constexpr int kButtonWidths[] = {96, 64, 72, 72};
constexpr const char* kButtonCaptions[] = {"Hide editor", "Clip", "MIDI CC", "Presets"};
constexpr win::UINT kEditorCloseMessage = win::WM_USER + 0x100;

// The editor docks at the left unless it floats in a window of its own.
win::Rect EditorRect(bool floating) {
    return floating ? win::Rect{} : win::Rect::FromSize(kMargin, kMargin, EditorArea::kSize.cx, EditorArea::kSize.cy);
}

win::Rect ReadoutRect(bool floating) {
    const int left = floating ? kMargin : EditorRect(false).right + kMargin;
    return win::Rect::FromSize(left, kMargin, ReadoutPanel::kSize.cx, ReadoutPanel::kSize.cy);
}

int ButtonRowTop(bool floating) { return std::max(EditorRect(floating).bottom, ReadoutRect(floating).bottom) + kMargin; }

// The host buttons sit in one row; floating, the narrower window takes the status line below them.
win::Rect ButtonRect(HostButton button, bool floating) {
    int left = kMargin;
    for (int i = 0; i < static_cast<int>(button); ++i) left += kButtonWidths[i] + kGap;
    return win::Rect::FromSize(left, ButtonRowTop(floating), kButtonWidths[static_cast<int>(button)], kButtonHeight);
}

win::Rect StatusRect(bool floating, int clientWidth) {
    if (floating) {
        const int top = ButtonRowTop(true) + kButtonHeight + kGap;
        return {kMargin, top, clientWidth - kMargin, top + 14};
    }
    const int left = ButtonRect(HostButton::Presets, false).right + 2 * kGap;
    return {left, ButtonRowTop(false) + 6, clientWidth - kMargin, ButtonRowTop(false) + 20};
}

// A sunken one-pixel edge around a rectangle, drawn just outside it.
void SunkenEdge(win::DC& dc, win::Rect r) {
    const win::COLORREF shadow = win::GetSysColor(win::COLOR_BTNSHADOW);
    const win::COLORREF light = win::GetSysColor(win::COLOR_BTNHIGHLIGHT);
    dc.FillSolidRect({r.left - 1, r.top - 1, r.right + 1, r.top}, shadow);
    dc.FillSolidRect({r.left - 1, r.top, r.left, r.bottom + 1}, shadow);
    dc.FillSolidRect({r.left, r.bottom, r.right + 1, r.bottom + 1}, light);
    dc.FillSolidRect({r.right, r.top, r.right + 1, r.bottom}, light);
}

}  // namespace

win::Size HostWindow::ClientSize(bool floatingEditor) {
    const int width = std::max(ReadoutRect(floatingEditor).right, ButtonRect(HostButton::Presets, floatingEditor).right);
    const int bottom = floatingEditor ? StatusRect(true, 0).bottom : ButtonRowTop(false) + kButtonHeight;
    return {width + kMargin, bottom + kMargin};
}

win::Size HostWindow::OuterSize(bool floatingEditor) {
    // The frame's widths come from the window system; a hidden probe window of the same style asks.
    win::Window probe;
    probe.CreateEx(0, nullptr, "", kStyle, win::Rect::FromSize(0, 0, 200, 200), nullptr, 0);
    win::Rect insets = probe.NonClientInsets();
    probe.DestroyWindow();
    win::Size client = ClientSize(floatingEditor);
    return {client.cx + insets.left + insets.right, client.cy + insets.top + insets.bottom};
}

bool HostWindow::Create(std::string_view title, win::Point origin, Listener* listener, bool floatingEditor) {
    listener_ = listener;
    floating_ = floatingEditor;
    win::Size outer = OuterSize(floating_);
    std::string caption(title);
    if (!CreateEx(0, nullptr, caption.c_str(), kStyle, win::Rect::FromSize(origin.x, origin.y, outer.cx, outer.cy),
                  nullptr, 0))
        return false;

    const win::DWORD child = win::WS_CHILD | win::WS_VISIBLE;
    if (floating_) {
        // A window of its own beside the host's, owned by it, which the editor drags around itself.
        const win::Size screen = win::WindowSystem::Instance().ScreenSize();
        int left = origin.x + outer.cx + kFloatingGap;
        if (left + EditorArea::kSize.cx > screen.cx) left = std::max(0, screen.cx - EditorArea::kSize.cx);
        if (!editor_.CreateEx(win::WS_EX_APPWINDOW, nullptr, "KVX4 Editor", win::WS_POPUP | win::WS_CLIPCHILDREN,
                              win::Rect::FromSize(left, origin.y, EditorArea::kSize.cx, EditorArea::kSize.cy), this, 0))
            return false;
    } else {
        if (!editor_.Create(nullptr, "Editor", child | win::WS_CLIPCHILDREN, EditorRect(false), this, 100)) return false;
        editor_.Dock(EditorRect(false));
    }
    if (!readout_.CreateEx(win::WS_EX_CLIENTEDGE, nullptr, "Readout", child, ReadoutRect(floating_), this, 101))
        return false;
    for (HostButton button : AllHostButtons()) {
        auto& control = buttons_[static_cast<size_t>(button)];
        control = std::make_unique<HostButtonControl>();
        if (!control->Create("Button", kButtonCaptions[static_cast<size_t>(button)],
                             child | win::WS_TABSTOP | win::BS_PUSHBUTTON, ButtonRect(button, floating_), this,
                             static_cast<win::UINT>(HostButtonId(button))))
            return false;
    }
    const win::Rect statusRect = StatusRect(floating_, ClientSize(floating_).cx);
    if (!status_.Create("Static", "", child | win::SS_LEFT | win::SS_NOPREFIX, statusRect, this, 102)) return false;
    ShowWindow(win::SW_SHOW);
    if (floating_) editor_.ShowWindow(win::SW_SHOWNOACTIVATE);
    return true;
}

void HostWindow::SetStatus(std::string_view text) { status_.SetWindowText(text); }

void HostWindow::SetButtonText(HostButton button, std::string_view text) {
    buttons_[static_cast<size_t>(button)]->SetWindowText(text);
}

win::Point HostWindow::ButtonCenterOnScreen(HostButton button) const {
    win::Rect r = buttons_[static_cast<size_t>(button)]->WindowRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void HostWindow::PostEditorCloseRequest() { PostMessage(kEditorCloseMessage); }

win::LRESULT HostWindow::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) {
    if (message == kEditorCloseMessage) {
        if (listener_) listener_->OnEditorCloseRequest();
        return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
}

void HostWindow::OnPaint() {
    win::PaintDC dc(this);
    if (!floating_) SunkenEdge(dc, EditorRect(false));
}

win::BOOL HostWindow::OnCommand(win::WPARAM wParam, win::LPARAM lParam) {
    if (win::HIWORD(wParam) == win::BN_CLICKED && listener_) {
        for (HostButton button : AllHostButtons())
            if (win::LOWORD(wParam) == HostButtonId(button)) {
                listener_->OnHostButton(button);
                return win::TRUE;
            }
    }
    return Window::OnCommand(wParam, lParam);
}

void HostWindow::OnClose() {
    // Closing ends the session; the session frees the component before any window goes.
    if (listener_) listener_->OnHostWindowClose();
}

long HostWindow::BackgroundColor() const { return static_cast<long>(win::GetSysColor(win::COLOR_BTNFACE)); }

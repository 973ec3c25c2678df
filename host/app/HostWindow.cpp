#include "host/app/HostWindow.h"

#include "platform/window/PaintDC.h"

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kButtonHeight = 25;
constexpr int kButtonWidths[] = {96, 64, 72, 72};
constexpr const char* kButtonCaptions[] = {"Hide editor", "Clip", "MIDI CC", "Presets"};
constexpr win::UINT kEditorCloseMessage = win::WM_USER + 0x100;

win::Rect EditorRect() { return win::Rect::FromSize(kMargin, kMargin, EditorArea::kSize.cx, EditorArea::kSize.cy); }

win::Rect ReadoutRect() {
    return win::Rect::FromSize(EditorRect().right + kMargin, kMargin, ReadoutPanel::kSize.cx, ReadoutPanel::kSize.cy);
}

int ButtonRowTop() { return EditorRect().bottom + kMargin; }

win::Rect ButtonRect(HostButton button) {
    int left = kMargin;
    for (int i = 0; i < static_cast<int>(button); ++i) left += kButtonWidths[i] + kGap;
    return win::Rect::FromSize(left, ButtonRowTop(), kButtonWidths[static_cast<int>(button)], kButtonHeight);
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

win::Size HostWindow::ClientSize() {
    return {ReadoutRect().right + kMargin, ButtonRowTop() + kButtonHeight + kMargin};
}

win::Size HostWindow::OuterSize() {
    // The frame's widths come from the window system; a hidden probe window of the same style asks.
    win::Window probe;
    probe.CreateEx(0, nullptr, "", kStyle, win::Rect::FromSize(0, 0, 200, 200), nullptr, 0);
    win::Rect insets = probe.NonClientInsets();
    probe.DestroyWindow();
    win::Size client = ClientSize();
    return {client.cx + insets.left + insets.right, client.cy + insets.top + insets.bottom};
}

bool HostWindow::Create(std::string_view title, win::Point origin, Listener* listener) {
    listener_ = listener;
    win::Size outer = OuterSize();
    std::string caption(title);
    if (!CreateEx(0, nullptr, caption.c_str(), kStyle, win::Rect::FromSize(origin.x, origin.y, outer.cx, outer.cy),
                  nullptr, 0))
        return false;

    const win::DWORD child = win::WS_CHILD | win::WS_VISIBLE;
    if (!editor_.Create(nullptr, "Editor", child | win::WS_CLIPCHILDREN, EditorRect(), this, 100)) return false;
    editor_.Dock(EditorRect());
    if (!readout_.CreateEx(win::WS_EX_CLIENTEDGE, nullptr, "Readout", child, ReadoutRect(), this, 101)) return false;
    for (HostButton button : AllHostButtons()) {
        auto& control = buttons_[static_cast<size_t>(button)];
        control = std::make_unique<HostButtonControl>();
        if (!control->Create("Button", kButtonCaptions[static_cast<size_t>(button)],
                             child | win::WS_TABSTOP | win::BS_PUSHBUTTON, ButtonRect(button), this,
                             static_cast<win::UINT>(HostButtonId(button))))
            return false;
    }
    const int statusLeft = ButtonRect(HostButton::Presets).right + 2 * kGap;
    const win::Rect statusRect{statusLeft, ButtonRowTop() + 6, ClientSize().cx - kMargin, ButtonRowTop() + 20};
    if (!status_.Create("Static", "", child | win::SS_LEFT | win::SS_NOPREFIX, statusRect, this, 102)) return false;
    ShowWindow(win::SW_SHOW);
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
    SunkenEdge(dc, EditorRect());
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

#include "host/app/EditorArea.h"

#include "platform/gdi/Font.h"
#include "platform/window/PaintDC.h"

namespace {

constexpr win::COLORREF kBackground = win::RGB(44, 48, 54);
constexpr win::COLORREF kNoteColor = win::RGB(176, 182, 192);
constexpr win::UINT kReturnToDock = win::WM_USER + 0x102;

}  // namespace

win::LRESULT EditorArea::WindowProc(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) {
    if (message != kReturnToDock) return Window::WindowProc(message, wParam, lParam);
    returnPosted_ = false;
    if (!docked_.IsEmpty() && RectInParent() != docked_) MoveWindow(docked_);
    return 0;
}

void EditorArea::OnMove(int x, int y) {
    Window::OnMove(x, y);
    ReturnLater();
}

void EditorArea::OnSize(win::UINT type, int cx, int cy) {
    Window::OnSize(type, cx, cy);
    ReturnLater();
}

// Posted: the move comes from inside the editor's drag handling, which goes on after it returns;
// the queue also folds a whole drag's moves into one return.
void EditorArea::ReturnLater() {
    if (returnPosted_ || docked_.IsEmpty() || RectInParent() == docked_) return;
    returnPosted_ = PostMessage(kReturnToDock) != win::FALSE;
}

void EditorArea::SetNote(std::string_view note) {
    if (note == note_) return;
    note_ = note;
    Invalidate(win::FALSE);
}

void EditorArea::OnPaint() {
    win::PaintDC dc(this);
    // The editor, while shown, is a child window and is clipped out of this paint.
    win::Rect client = ClientRect();
    dc.FillSolidRect(client, kBackground);
    if (!font_)
        font_ = win::CreateFontA(-13, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, win::ANSI_CHARSET, 0, 0,
                                 win::ANTIALIASED_QUALITY, 0x20, "Arial");
    dc.SelectFont(font_);
    dc.SetBkMode(win::TRANSPARENT);
    dc.SetTextColor(kNoteColor);
    win::Rect text = client;
    dc.DrawTextA(note_, &text, win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_NOPREFIX);
}

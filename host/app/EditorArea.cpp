#include "host/app/EditorArea.h"

#include "platform/gdi/Font.h"
#include "platform/window/PaintDC.h"

namespace {

constexpr win::COLORREF kBackground = win::RGB(44, 48, 54);
constexpr win::COLORREF kNoteColor = win::RGB(176, 182, 192);

}  // namespace

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

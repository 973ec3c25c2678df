// The edit control's keyboard, mouse, focus and timers.
#include "platform/window/WindowSystem.h"
#include "platform/window/controls/EditControl.h"

namespace win {
namespace {

constexpr UINT kCtrlC = 0x03;
constexpr UINT kCtrlV = 0x16;
constexpr UINT kCtrlX = 0x18;
constexpr UINT kCtrlZ = 0x1A;
constexpr UINT kBackspace = 0x08;
constexpr UINT kDelete = 0x7F;

}  // namespace

void EditControl::OnKeyDown(UINT key, UINT, UINT) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const std::size_t caret = edit_.Caret();
    switch (key) {
        case VK_LEFT:
        case VK_UP:
            edit_.MoveCaret(control ? edit_.PreviousWordStart(caret) : caret > 0 ? caret - 1 : 0, shift);
            SelectionChanged();
            break;
        case VK_RIGHT:
        case VK_DOWN:
            edit_.MoveCaret(control ? edit_.NextWordStart(caret) : caret + 1, shift);
            SelectionChanged();
            break;
        case VK_HOME:
            edit_.MoveCaret(0, shift);
            SelectionChanged();
            break;
        case VK_END:
            edit_.MoveCaret(edit_.Length(), shift);
            SelectionChanged();
            break;
        case VK_DELETE:
            if (shift) Cut();
            else if (!ReadOnly()) EraseAfterCaret();
            break;
        case VK_INSERT:
            if (shift) Paste();
            else if (control) Copy();
            break;
        default: break;
    }
}

void EditControl::OnChar(UINT ch, UINT, UINT) {
    switch (ch) {
        case kCtrlC: Copy(); return;
        case kCtrlX: Cut(); return;
        case kCtrlV: Paste(); return;
        case kCtrlZ:
            if (!ReadOnly()) Undo();
            return;
        case kBackspace:
            if (!ReadOnly()) EraseBeforeCaret();
            return;
        default: break;
    }
    if (ch < 0x20 || ch == kDelete || ch > 0xFF || ReadOnly()) return;
    const char typed = static_cast<char>(ch);
    Insert(std::string_view(&typed, 1), EditText::EditKind::Typing, true);
}

void EditControl::OnLButtonDown(UINT flags, Point point) {
    const HWND self = GetSafeHwnd();
    if (GetFocus() != this) SetFocus();
    if (!IsWindow(self)) return;
    edit_.MoveCaret(IndexNearest(point.x), (flags & MK_SHIFT) != 0);
    SetCapture();
    tracking_ = true;
    dragPoint_ = point;
    SelectionChanged(Scroll::Minimal);
}

void EditControl::OnLButtonDblClk(UINT, Point point) {
    const auto [start, end] = edit_.WordAt(IndexUnder(point.x));
    edit_.Select(start, end);
    SelectionChanged(Scroll::Minimal);
}

void EditControl::OnMouseMove(UINT, Point point) {
    if (!tracking_) return;
    dragPoint_ = point;
    DragTo(point);
    const Rect text = FormatRect();
    if (point.x < text.left || point.x >= text.right) SetTimer(kDragScrollTimer, kDragScrollPeriod);
    else KillTimer(kDragScrollTimer);
}

void EditControl::OnLButtonUp(UINT, Point) {
    if (!tracking_) return;
    tracking_ = false;
    KillTimer(kDragScrollTimer);
    ReleaseCapture();
}

void EditControl::OnCaptureChanged(Window*) {
    tracking_ = false;
    KillTimer(kDragScrollTimer);
}

void EditControl::OnTimer(UINT_PTR id) {
    if (id == kDragScrollTimer) {
        if (tracking_) DragTo(dragPoint_);
        else KillTimer(kDragScrollTimer);
        return;
    }
    if (id != kCaretTimer) return;
    caretShown_ = !caretShown_;
    const Rect caret = CaretRect();
    InvalidateRect(&caret, FALSE);
}

void EditControl::OnSetFocus(Window*) {
    RestartCaretBlink();
    Invalidate(FALSE);
    Notify(EN_SETFOCUS);
}

void EditControl::OnKillFocus(Window*) {
    KillTimer(kCaretTimer);
    caretShown_ = false;
    edit_.EndTypingRun();
    if (tracking_) ReleaseCapture();
    Invalidate(FALSE);
    Notify(EN_KILLFOCUS);
}

void EditControl::OnSize(UINT, int, int) {
    KeepCaretVisible(Scroll::Minimal);
    Invalidate(FALSE);
}

void EditControl::RestartCaretBlink() {
    if (GetFocus() != this) return;
    const bool wasShown = caretShown_;
    caretShown_ = true;
    SetTimer(kCaretTimer, GetCaretBlinkTime());
    if (!wasShown) {
        const Rect caret = CaretRect();
        InvalidateRect(&caret, FALSE);
    }
}

}  // namespace win

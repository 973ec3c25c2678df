// The list box's input: mouse selection and dragging, double clicks, keys and WM_VKEYTOITEM,
// type-ahead, the wheel, and the tracking of its scroll bar (arrows, page areas and thumb).
#include <algorithm>

#include "platform/kernel/AsciiCase.h"
#include "platform/time/Clock.h"
#include "platform/window/controls/ListBoxControl.h"

namespace win {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT_PTR kAutoScrollTimer = 2;
constexpr UINT kFirstRepeatMs = 200;
constexpr UINT kRepeatMs = 50;
constexpr UINT kAutoScrollMs = 50;
constexpr std::uint64_t kTypeAheadMs = 1000;
constexpr int kWheelLines = 3;  // SPI_GETWHEELSCROLLLINES' default

}  // namespace

void ListBoxControl::OnLButtonDown(UINT, Point point) {
    if ((GetStyle() & WS_VSCROLL) && ScrollBarRect().Contains(point)) {
        BeginBarTracking(point);
        return;
    }
    if (host_) {
        Point screen = point;
        ClientToScreen(&screen);
        if (!WindowRect().Contains(screen)) {
            host_->OnListCancel();
            return;
        }
    } else if (GetFocus() != this) {
        HWND self = GetSafeHwnd();
        SetFocus();
        if (!IsWindow(self)) return;
    }
    tracking_ = Tracking::Select;
    selectedWhileTracking_ = false;
    if (const int line = LineAt(point); line >= 0) {
        Select(line, false);
        selectedWhileTracking_ = true;
    }
    SetCapture();
}

void ListBoxControl::OnMouseMove(UINT, Point point) {
    lastPointer_ = point;
    if (tracking_ == Tracking::ScrollBar) {
        TrackBar(point);
        return;
    }
    const int height = ClientRect().Height();
    if (tracking_ == Tracking::Select) {
        // The selection follows the pointer's height alone; beyond the ends the list scrolls on a timer.
        const int direction = point.y < 0 ? -1 : point.y >= height ? 1 : 0;
        if (direction != autoScroll_) {
            autoScroll_ = direction;
            if (direction) SetTimer(kAutoScrollTimer, kAutoScrollMs);
            else KillTimer(kAutoScrollTimer);
        }
        const int line = LineAt({point.x, std::clamp(point.y, 0, std::max(0, height - 1))});
        if (line >= 0 && line != selection_) {
            Select(line, false);
            selectedWhileTracking_ = true;
            if (host_) host_->OnListSelChange(line);
        }
        return;
    }
    if (host_ && ClientRect().Contains(point)) {
        const int line = LineAt(point);
        if (line >= 0 && line != selection_) {
            Select(line, false);
            host_->OnListSelChange(line);
        }
    }
}

void ListBoxControl::OnLButtonUp(UINT, Point point) {
    if (tracking_ == Tracking::ScrollBar) {
        EndTracking();
        return;
    }
    if (tracking_ != Tracking::Select) return;
    const bool selected = selectedWhileTracking_;
    EndTracking();
    if (!selected) return;
    if (!host_) Notify(LBN_SELCHANGE);
    else if (ClientRect().Contains(point)) host_->OnListChoice(selection_);
}

void ListBoxControl::OnLButtonDblClk(UINT flags, Point point) {
    if (host_ || ((GetStyle() & WS_VSCROLL) && ScrollBarRect().Contains(point))) {
        OnLButtonDown(flags, point);
        return;
    }
    const int line = LineAt(point);
    if (line < 0) return;
    Select(line, false);
    Notify(LBN_DBLCLK);
}

void ListBoxControl::OnCaptureChanged(Window*) {
    if (tracking_ == Tracking::None) return;
    // The capture went elsewhere: stop as if the button were released, without notifying.
    tracking_ = Tracking::None;
    autoScroll_ = 0;
    KillTimer(kRepeatTimer);
    KillTimer(kAutoScrollTimer);
    barPart_ = ScrollPart::None;
    RedrawScrollBar();
}

void ListBoxControl::EndTracking() {
    const Tracking was = tracking_;
    tracking_ = Tracking::None;
    autoScroll_ = 0;
    KillTimer(kRepeatTimer);
    KillTimer(kAutoScrollTimer);
    if (was == Tracking::ScrollBar) {
        HWND self = GetSafeHwnd();
        if (barPart_ == ScrollPart::Thumb) SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, thumbPos_));
        if (IsWindow(self)) SendMessage(WM_VSCROLL, SB_ENDSCROLL);
        if (!IsWindow(self)) return;
        barPart_ = ScrollPart::None;
        RedrawScrollBar();
    }
    // A dropped list keeps the capture its host gave it.
    if (!host_ && GetCapture() == this) ReleaseCapture();
}

void ListBoxControl::OnTimer(UINT_PTR id) {
    if (id == kAutoScrollTimer) {
        if (tracking_ != Tracking::Select || !autoScroll_ || GetCount() == 0) {
            KillTimer(kAutoScrollTimer);
            return;
        }
        const int from = selection_ >= 0 ? selection_ : top_;
        const int next = std::clamp(from + autoScroll_, 0, GetCount() - 1);
        Select(next, true);
        selectedWhileTracking_ = true;
        if (host_) host_->OnListSelChange(next);
        return;
    }
    if (id == kRepeatTimer) {
        if (tracking_ != Tracking::ScrollBar) {
            KillTimer(kRepeatTimer);
            return;
        }
        if (firstRepeat_) {
            firstRepeat_ = false;
            SetTimer(kRepeatTimer, kRepeatMs);
        }
        // A page area repeats only while the pointer stays on it, so the thumb stops under the pointer.
        const bool under = Bar().HitTest(lastPointer_) == barPart_;
        if (under != barPartUnderPointer_) {
            barPartUnderPointer_ = under;
            RedrawScrollBar();
        }
        if (under) StepBar();
    }
}

void ListBoxControl::OnKeyDown(UINT key, UINT, UINT) {
    if (host_ && (key == VK_RETURN || key == VK_ESCAPE)) {
        if (key == VK_RETURN) host_->OnListChoice(selection_);
        else host_->OnListCancel();
        return;
    }
    if (GetStyle() & LBS_WANTKEYBOARDINPUT) {
        HWND self = GetSafeHwnd();
        Window* owner = GetParent() ? GetParent() : GetOwner();
        const LRESULT answer =
            owner ? owner->SendMessage(WM_VKEYTOITEM, MAKEWPARAM(static_cast<int>(key), caret_), reinterpret_cast<LPARAM>(self))
                  : -1;
        if (!IsWindow(self) || answer == -2) return;
        if (answer >= 0) {
            if (answer < GetCount()) UserSelect(static_cast<int>(answer));
            return;
        }
    }
    const int count = GetCount();
    if (count == 0) return;
    const int step = std::max(1, PageSize() - 1);
    int target;
    switch (key) {
        case VK_UP: case VK_LEFT: target = caret_ - 1; break;
        case VK_DOWN: case VK_RIGHT: target = caret_ + 1; break;
        case VK_PRIOR: target = caret_ - step; break;
        case VK_NEXT: target = caret_ + step; break;
        case VK_HOME: target = 0; break;
        case VK_END: target = count - 1; break;
        default: return;
    }
    if (selection_ < 0) target = caret_;
    UserSelect(std::clamp(target, 0, count - 1));
}

void ListBoxControl::OnChar(UINT ch, UINT, UINT) { TypeAhead(static_cast<char>(ch)); }

void ListBoxControl::TypeAhead(char ch) {
    if (static_cast<unsigned char>(ch) < 0x20 || GetCount() == 0) return;
    const std::uint64_t now = GetClock().NowMs();
    if (now - lastTypedMs_ > kTypeAheadMs) typed_.clear();
    lastTypedMs_ = now;
    typed_ += ch;
    const bool oneLetter = std::all_of(typed_.begin(), typed_.end(), [&](char c) { return LowerAscii(c) == LowerAscii(ch); });
    const int found = oneLetter ? FindString(caret_, typed_.substr(0, 1)) : FindString(caret_ - 1, typed_);
    if (found >= 0) UserSelect(found);
}

void ListBoxControl::Wheel(int delta) {
    const int perNotch = std::min(kWheelLines, PageSize());
    wheelRemainder_ += delta;
    const int lines = wheelRemainder_ * perNotch / WHEEL_DELTA;
    wheelRemainder_ -= lines * WHEEL_DELTA / perNotch;
    if (lines) SetTop(top_ - lines);
}

void ListBoxControl::VScroll(UINT code, int thumbPos) {
    switch (code) {
        case SB_LINEUP: SetTop(top_ - 1); break;
        case SB_LINEDOWN: SetTop(top_ + 1); break;
        case SB_PAGEUP: SetTop(top_ - PageSize()); break;
        case SB_PAGEDOWN: SetTop(top_ + PageSize()); break;
        case SB_TOP: SetTop(0); break;
        case SB_BOTTOM: SetTop(GetCount()); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: SetTop(thumbPos); break;
        default: break;
    }
}

int ListBoxControl::OnNcHitTest(Point screenPoint) {
    // The platform has no non-client mouse messages: the bar's clicks reach the client handlers,
    // outside the client area, and the list box tells them apart there.
    Point point = screenPoint;
    ScreenToClient(&point);
    if ((GetStyle() & WS_VSCROLL) && ScrollBarRect().Contains(point)) return HTCLIENT;
    return Window::OnNcHitTest(screenPoint);
}

void ListBoxControl::BeginBarTracking(Point point) {
    const ScrollBarPart bar = Bar();
    const ScrollPart part = bar.HitTest(point);
    if (part == ScrollPart::None || !IsWindowEnabled()) return;
    tracking_ = Tracking::ScrollBar;
    barPart_ = part;
    barPartUnderPointer_ = true;
    lastPointer_ = point;
    SetCapture();
    if (part == ScrollPart::Thumb) {
        thumbGrab_ = point.y - bar.Thumb().top;
        thumbStart_ = thumbPos_ = top_;
        return;
    }
    firstRepeat_ = true;
    StepBar();
    SetTimer(kRepeatTimer, kFirstRepeatMs);
    RedrawScrollBar();
}

void ListBoxControl::StepBar() {
    switch (barPart_) {
        case ScrollPart::LineUp: SendMessage(WM_VSCROLL, SB_LINEUP); break;
        case ScrollPart::LineDown: SendMessage(WM_VSCROLL, SB_LINEDOWN); break;
        case ScrollPart::PageUp: SendMessage(WM_VSCROLL, SB_PAGEUP); break;
        case ScrollPart::PageDown: SendMessage(WM_VSCROLL, SB_PAGEDOWN); break;
        default: break;
    }
}

void ListBoxControl::TrackBar(Point point) {
    if (barPart_ == ScrollPart::Thumb) {
        // Dragged too far to the side, the thumb goes back to where it started (unverified distance).
        const Rect bar = ScrollBarRect();
        const int snap = 2 * bar.Width();
        const bool away = point.x < bar.left - snap || point.x >= bar.right + snap;
        const int pos = away ? thumbStart_ : Bar().PosForThumbTop(point.y - thumbGrab_);
        if (pos != thumbPos_) {
            thumbPos_ = pos;
            SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos));
        }
        return;
    }
    const bool under = Bar().HitTest(point) == barPart_;
    if (under != barPartUnderPointer_) {
        barPartUnderPointer_ = under;
        RedrawScrollBar();
    }
}

}  // namespace win

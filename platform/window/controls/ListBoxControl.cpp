#include "platform/window/controls/ListBoxControl.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/PaintDC.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/controls/ListSortOrder.h"
#include "platform/window/controls/MessageParams.h"

namespace win {
namespace {

const bool registered = (RegisterControlClass("ListBox", [] { return new ListBoxControl(); }), true);

}  // namespace

ListBoxControl::ListBoxControl() { SetClassStyle(CS_DBLCLKS); }

BOOL ListBoxControl::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.lpszClass = "ListBox";  // the class's own spelling, whatever the template wrote
    return TRUE;
}

int ListBoxControl::OnCreate(CREATESTRUCTA* cs) {
    // A window made again from the same object starts empty.
    items_.Clear();
    selection_ = -1;
    caret_ = top_ = 0;
    typed_.clear();
    wheelRemainder_ = 0;
    tracking_ = Tracking::None;
    hasScrollBar_ = (GetStyle() & WS_VSCROLL) != 0;
    if (hasScrollBar_ && !(GetStyle() & LBS_DISABLENOSCROLL)) ModifyStyle(WS_VSCROLL, 0);
    const Font* font = TextFont();
    itemHeight_ = font ? std::max<int>(1, font->TextMetrics().tmHeight) : itemHeight_;
    requestedHeight_ = cs->cy;
    FitHeight();
    return 0;
}

LRESULT ListBoxControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case LB_ADDSTRING: return AddString(TextParam(lParam));
        case LB_INSERTSTRING: return InsertString(IntParam(wParam), TextParam(lParam));
        case LB_DELETESTRING: return DeleteString(IntParam(wParam));
        case LB_RESETCONTENT: ResetContent(); return LB_OKAY;
        case LB_GETCOUNT: return GetCount();
        case LB_GETCURSEL: return selection_ >= 0 ? selection_ : LB_ERR;
        case LB_SETCURSEL: return SetCurSel(IntParam(wParam));
        case LB_GETTEXT: {
            // The caller sized the buffer with LB_GETTEXTLEN, as the message's contract has it.
            char* buffer = reinterpret_cast<char*>(lParam);
            const int index = IntParam(wParam);
            if (!buffer || index < 0 || index >= GetCount()) return LB_ERR;
            const std::string& text = items_[index].text;
            std::memcpy(buffer, text.data(), text.size());
            buffer[text.size()] = '\0';
            return static_cast<LRESULT>(text.size());
        }
        case LB_GETTEXTLEN: return GetTextLen(IntParam(wParam));
        case LB_FINDSTRING: return FindString(IntParam(wParam), TextParam(lParam));
        case LB_FINDSTRINGEXACT: return FindStringExact(IntParam(wParam), TextParam(lParam));
        case LB_SELECTSTRING: return SelectString(IntParam(wParam), TextParam(lParam));
        case LB_GETITEMDATA: return static_cast<LRESULT>(GetItemData(IntParam(wParam)));
        case LB_SETITEMDATA: return SetItemData(IntParam(wParam), static_cast<std::uintptr_t>(lParam));
        case LB_GETTOPINDEX: return top_;
        case LB_SETTOPINDEX: return SetTopIndex(IntParam(wParam));
        case LB_GETCARETINDEX: return caret_;
        case LB_SETCARETINDEX: {
            const int index = IntParam(wParam);
            if (index < 0 || index >= GetCount()) return LB_ERR;
            InvalidateLine(caret_);
            caret_ = index;
            InvalidateLine(caret_);
            ScrollIntoView(index);
            return LB_OKAY;
        }
        case LB_GETITEMHEIGHT: return itemHeight_;
        case LB_SETITEMHEIGHT: {
            const int height = LOWORD(static_cast<std::uintptr_t>(lParam));
            if (height <= 0 || height > 255) return LB_ERR;
            itemHeight_ = height;
            FitHeight();
            UpdateScrollBar();
            Invalidate(FALSE);
            return LB_OKAY;
        }
        case LB_GETITEMRECT: return GetItemRect(IntParam(wParam), reinterpret_cast<Rect*>(lParam));
        case LB_ITEMFROMPOINT: return ItemFromPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_SETFONT: {
            Window::WindowProc(message, wParam, lParam);
            const Font* font = TextFont();
            const int height = font ? std::max<int>(1, font->TextMetrics().tmHeight) : itemHeight_;
            if (height != itemHeight_) {
                itemHeight_ = height;
                FitHeight();
                UpdateScrollBar();
                Invalidate(FALSE);
            }
            return 0;
        }
        case WM_VSCROLL: {
            const bool dragging = tracking_ == Tracking::ScrollBar && barPart_ == ScrollPart::Thumb;
            VScroll(LOWORD(wParam), dragging ? thumbPos_ : HIWORD(wParam));
            return 0;
        }
        case WM_MOUSEWHEEL: Wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

int ListBoxControl::SetCurSel(int index) {
    if (index < -1 || index >= GetCount()) return LB_ERR;
    Select(index, true);
    return index < 0 ? LB_ERR : index;
}

int ListBoxControl::AddString(std::string_view text) { return InsertAt(Sorted() ? -1 : GetCount(), text); }

int ListBoxControl::InsertString(int index, std::string_view text) {
    if (index == -1) index = GetCount();
    if (index < 0 || index > GetCount()) return LB_ERR;
    return InsertAt(index, text);
}

int ListBoxControl::InsertAt(int index, std::string_view text) {
    try {
        ListItem item;
        item.text = std::string(text);
        if (Sorted()) item.sortKey = ListSortKey(item.text);
        if (index < 0) index = items_.LowerBound(item.sortKey);
        items_.Insert(index, std::move(item));
    } catch (const std::bad_alloc&) {
        Notify(LBN_ERRSPACE);
        return LB_ERRSPACE;
    }
    if (selection_ >= index) ++selection_;
    if (caret_ >= index && GetCount() > 1) ++caret_;
    // Painting waits for WM_PAINT, so filling a list costs one paint, not one a line.
    if (index <= top_ + PageSize()) Invalidate(FALSE);
    UpdateScrollBar();
    return index;
}

int ListBoxControl::DeleteString(int index) {
    if (index < 0 || index >= GetCount()) return LB_ERR;
    items_.Erase(index);
    if (selection_ == index) selection_ = -1;
    else if (selection_ > index) --selection_;
    if (caret_ > index) --caret_;
    caret_ = std::clamp(caret_, 0, std::max(0, GetCount() - 1));
    if (index <= top_ + PageSize()) Invalidate(FALSE);
    UpdateScrollBar();
    return GetCount();
}

void ListBoxControl::ResetContent() {
    items_.Clear();
    selection_ = -1;
    caret_ = 0;
    top_ = 0;
    Invalidate(FALSE);
    UpdateScrollBar();
}

int ListBoxControl::GetTextLen(int index) const {
    if (index < 0 || index >= GetCount()) return LB_ERR;
    return static_cast<int>(items_[index].text.size());
}

int ListBoxControl::GetText(int index, char* buffer, int size) const {
    if (index < 0 || index >= GetCount() || !buffer || size <= 0) return LB_ERR;
    const std::string& text = items_[index].text;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int ListBoxControl::GetText(int index, std::string& text) const {
    if (index < 0 || index >= GetCount()) return LB_ERR;
    text = items_[index].text;
    return static_cast<int>(text.size());
}

int ListBoxControl::FindString(int startAfter, std::string_view prefix) const {
    const int count = GetCount();
    if (count == 0 || prefix.empty()) return LB_ERR;
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int k = 0; k < count; ++k) {
        const int index = (first + k) % count;
        if (StartsWithIgnoringCase(items_[index].text, prefix)) return index;
    }
    return LB_ERR;
}

int ListBoxControl::FindStringExact(int startAfter, std::string_view text) const {
    const int count = GetCount();
    if (count == 0) return LB_ERR;
    const std::string key = ListSortKey(text);
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int k = 0; k < count; ++k) {
        const int index = (first + k) % count;
        const ListItem& item = items_[index];
        if ((Sorted() ? item.sortKey : ListSortKey(item.text)) == key) return index;
    }
    return LB_ERR;
}

int ListBoxControl::SelectString(int startAfter, std::string_view prefix) {
    const int index = FindString(startAfter, prefix);
    if (index >= 0) Select(index, true);
    return index;
}

std::uintptr_t ListBoxControl::GetItemData(int index) const {
    if (index < 0 || index >= GetCount()) return static_cast<std::uintptr_t>(LB_ERR);
    return items_[index].data;
}

int ListBoxControl::SetItemData(int index, std::uintptr_t data) {
    if (index < 0 || index >= GetCount()) return LB_ERR;
    items_[index].data = data;
    return TRUE;
}

int ListBoxControl::SetTopIndex(int index) {
    SetTop(index);
    return LB_OKAY;
}

int ListBoxControl::GetItemRect(int index, Rect* rect) const {
    if (!rect || index < 0 || index >= GetCount()) return LB_ERR;
    *rect = LineRect(index);
    return LB_OKAY;
}

DWORD ListBoxControl::ItemFromPoint(Point point) const {
    // The nearest line in view: a point above or below the list finds its first or last line.
    const Rect client = ClientRect();
    const bool outside = !client.Contains(point);
    const int rows = std::max(1, (client.Height() + itemHeight_ - 1) / itemHeight_);
    const int row = std::clamp(point.y >= 0 ? point.y / itemHeight_ : 0, 0, rows - 1);
    const int index = std::clamp(top_ + row, 0, std::max(0, GetCount() - 1));
    return static_cast<DWORD>(index & 0xFFFF) | (outside ? 0x10000u : 0u);
}

int ListBoxControl::PageSize() const { return std::max(1, ClientRect().Height() / itemHeight_); }

int ListBoxControl::LineAt(Point point) const {
    if (point.y < 0 || point.y >= ClientRect().Height()) return -1;
    const int line = top_ + point.y / itemHeight_;
    return line < GetCount() ? line : -1;
}

Rect ListBoxControl::LineRect(int index) const {
    const int y = (index - top_) * itemHeight_;
    return {0, y, ClientRect().Width(), y + itemHeight_};
}

void ListBoxControl::InvalidateLine(int index) {
    if (index < top_ || index > top_ + PageSize()) return;
    const Rect r = LineRect(index);
    InvalidateRect(&r, FALSE);
}

void ListBoxControl::Select(int index, bool scroll) {
    if (index != selection_) {
        InvalidateLine(selection_);
        selection_ = index;
        InvalidateLine(index);
    }
    if (index < 0) return;
    if (caret_ != index) {
        InvalidateLine(caret_);
        caret_ = index;
        InvalidateLine(caret_);
    }
    if (scroll) ScrollIntoView(index);
}

void ListBoxControl::ScrollIntoView(int index) {
    const int page = PageSize();
    if (index < top_) SetTop(index);
    else if (index >= top_ + page) SetTop(index - page + 1);
}

void ListBoxControl::SetTop(int top) {
    top = std::clamp(top, 0, std::max(0, GetCount() - PageSize()));
    if (top == top_) return;
    top_ = top;
    Invalidate(FALSE);
    RedrawScrollBar();
}

void ListBoxControl::Notify(int code) {
    if (host_) return;
    if ((code == LBN_SELCHANGE || code == LBN_DBLCLK || code == LBN_SELCANCEL) && !(GetStyle() & LBS_NOTIFY)) return;
    Window* owner = GetParent() ? GetParent() : GetOwner();
    if (owner)
        owner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(GetSafeHwnd()));
}

void ListBoxControl::UserSelect(int index) {
    Select(index, true);
    if (host_) host_->OnListSelChange(index);
    else Notify(LBN_SELCHANGE);
}

void ListBoxControl::OnPaint() {
    PaintDC dc(this);
    const Rect client = ClientRect();
    const Rect area = dc.PaintRect().Intersect(client);
    const bool enabled = IsWindowEnabled();
    const int count = GetCount();
    dc.SetBkMode(TRANSPARENT);
    int index = top_ + std::max(0, area.top) / itemHeight_;
    int y = (index - top_) * itemHeight_;
    for (; index < count && y < area.bottom; ++index, y += itemHeight_) {
        const Rect line{0, y, client.right, y + itemHeight_};
        const bool selected = index == selection_;
        dc.SetBkColor(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        dc.SetTextColor(GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        dc.ExtTextOutA(line.left + 1, line.top, ETO_OPAQUE | ETO_CLIPPED, &line, items_[index].text);
    }
    if (y < client.bottom) dc.FillSolidRect({0, y, client.right, client.bottom}, GetSysColor(COLOR_WINDOW));
    // The caret line's dotted frame; an empty list shows it where the first line would be.
    if (GetFocus() == this && !host_) dc.DrawFocusRect(LineRect(count ? caret_ : 0));
}

void ListBoxControl::OnSetFocus(Window*) {
    InvalidateLine(caret_);
    Notify(LBN_SETFOCUS);
}

void ListBoxControl::OnKillFocus(Window*) {
    InvalidateLine(caret_);
    typed_.clear();
    Notify(LBN_KILLFOCUS);
}

void ListBoxControl::OnEnable(BOOL) { RedrawScrollBar(); }

void ListBoxControl::OnSize(UINT, int, int) {
    if (!fitting_) requestedHeight_ = RectInParent().Height();
    FitHeight();
    UpdateScrollBar();
}

void ListBoxControl::FitHeight() {
    if (fitting_ || (GetStyle() & LBS_NOINTEGRALHEIGHT) || !GetSafeHwnd()) return;
    const Rect insets = NonClientInsets();
    const int client = requestedHeight_ - insets.top - insets.bottom;
    const int height = client > itemHeight_ ? requestedHeight_ - client % itemHeight_ : requestedHeight_;
    const Rect now = RectInParent();
    if (height == now.Height()) return;
    fitting_ = true;
    SetWindowPos(nullptr, 0, 0, now.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitting_ = false;
}

Rect ListBoxControl::ScrollBarRect() const {
    const Rect client = ClientRect();
    return {client.right, 0, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom};
}

ScrollBarPart ListBoxControl::Bar() const {
    return ScrollBarPart(ScrollBarRect(), ScrollRange{0, GetCount() - 1, PageSize(), top_});
}

void ListBoxControl::UpdateScrollBar() {
    const int count = GetCount();
    const int page = PageSize();
    if (top_ > std::max(0, count - page)) {
        top_ = std::max(0, count - page);
        Invalidate(FALSE);
    }
    if (hasScrollBar_) {
        const bool show = count > page || (GetStyle() & LBS_DISABLENOSCROLL);
        if (show != ((GetStyle() & WS_VSCROLL) != 0)) {
            ModifyStyle(show ? 0 : WS_VSCROLL, show ? WS_VSCROLL : 0);
            Invalidate(FALSE);  // the client area changed width
        }
    }
    RedrawScrollBar();
}

void ListBoxControl::RedrawScrollBar() {
    if (GetStyle() & WS_VSCROLL) RedrawWindow(nullptr, RDW_FRAME);
}

void ListBoxControl::OnNcPaint() {
    const bool dirty = FrameDirty();
    Window::OnNcPaint();
    if (dirty && (GetStyle() & WS_VSCROLL)) PaintScrollBar();
}

void ListBoxControl::PaintScrollBar() {
    Bitmap* surface = Surface();
    if (!surface || !IsWindowVisible()) return;
    DC dc(surface);
    const Point origin = ClientOriginInSurface();
    dc.SetDeviceOrigin(origin);
    Region clip(ScrollBarRect().Offset(origin));
    if (Window* parent = GetParent()) clip.Intersect(parent->ClientRect().Offset(parent->ClientOriginInSurface()));
    dc.SetClipRegion(clip);
    const ScrollBarPart bar = Bar();
    const bool enabled = IsWindowEnabled() && !bar.Thumb().IsEmpty();
    const bool held = barPartUnderPointer_ && barPart_ != ScrollPart::Thumb;
    bar.Draw(dc, held ? barPart_ : ScrollPart::None, enabled);
    WindowSystem::Instance().NoteDamage(GetTopLevelParent(), clip.Bounds());
}

}  // namespace win

// The combo box's messages, layout, painting and its field's text.
#include "platform/window/controls/ComboBoxControl.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/Font.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/PaintDC.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/controls/ComboBoxParts.h"
#include "platform/window/controls/EditMessages.h"
#include "platform/window/controls/MessageParams.h"
#include "platform/window/controls/ScrollBarPart.h"

namespace win {
namespace {

const bool registered = (RegisterControlClass("ComboBox", [] { return new ComboBoxControl(); }), true);

constexpr UINT kEditId = 1001;  // the id Windows gives a combo box's edit field
constexpr std::size_t kDefaultLimit = 30000;
constexpr std::size_t kLimitForZero = 0x7FFFFFFE;

}  // namespace

ComboBoxControl::ComboBoxControl() : list_(std::make_unique<ComboListBox>(*this)) { SetClassStyle(CS_DBLCLKS); }

// The parts' windows go first, while the combo box they call back is still whole.
ComboBoxControl::~ComboBoxControl() {
    if (GetSafeHwnd()) DestroyWindow();
    list_.reset();
    edit_.reset();
}

BOOL ComboBoxControl::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.lpszClass = "ComboBox";
    // The scroll bar belongs to the dropped list; the combo box itself shows the sunken edge.
    listScrollBar_ = (cs.style & WS_VSCROLL) != 0;
    cs.style &= ~(WS_VSCROLL | WS_HSCROLL | WS_BORDER);
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

int ComboBoxControl::OnCreate(CREATESTRUCTA* cs) {
    droppedHeight_ = cs->cy;
    dropped_ = focused_ = trackingButton_ = buttonPressed_ = fromKeyboard_ = settingText_ = false;
    shownLine_ = lineBeforeDrop_ = -1;
    const DWORD style = GetStyle();
    edit_.reset();
    if (!IsDropList()) {
        edit_ = std::make_unique<ComboEdit>(*this);
        const DWORD editStyle = WS_CHILD | WS_VISIBLE | ((style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0) |
                                ((style & CBS_UPPERCASE) ? ES_UPPERCASE : 0) |
                                ((style & CBS_LOWERCASE) ? ES_LOWERCASE : 0);
        if (!edit_->Create("Edit", cs->lpszName ? cs->lpszName : "", editStyle, {}, this, kEditId)) return -1;
        edit_->SendMessage(EM_LIMITTEXT, kDefaultLimit);
        if (style & WS_DISABLED) edit_->EnableWindow(FALSE);
    }
    const DWORD listStyle = WS_POPUP | WS_BORDER | (listScrollBar_ ? WS_VSCROLL : 0) |
                            ((style & CBS_SORT) ? LBS_SORT : 0) |
                            ((style & CBS_NOINTEGRALHEIGHT) ? LBS_NOINTEGRALHEIGHT : 0) |
                            ((style & CBS_DISABLENOSCROLL) ? LBS_DISABLENOSCROLL : 0);
    if (!list_->CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox", "", listStyle,
                         Rect::FromSize(0, 0, std::max(1, cs->cx), std::max(1, cs->cy)), this, 0))
        return -1;
    list_->SetHost(this);
    list_->SetFont(TextFont(), FALSE);
    FitClosedHeight();
    LayoutParts();
    if (HasEdit()) SyncWindowText();
    else ShowLineInField(-1);
    return 0;
}

void ComboBoxControl::OnDestroy() {
    dropped_ = false;
    if (list_->GetSafeHwnd()) list_->DestroyWindow();
}

Window* ComboBoxControl::EditField() const { return edit_.get(); }
ListBoxControl* ComboBoxControl::DroppedList() const { return list_.get(); }

LRESULT ComboBoxControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case CB_ADDSTRING: return AddString(TextParam(lParam));
        case CB_INSERTSTRING: return InsertString(IntParam(wParam), TextParam(lParam));
        case CB_DELETESTRING: return DeleteString(IntParam(wParam));
        case CB_RESETCONTENT: ResetContent(); return CB_OKAY;
        case CB_GETCOUNT: return GetCount();
        case CB_GETCURSEL: return GetCurSel();
        case CB_SETCURSEL: return SetCurSel(IntParam(wParam));
        // The caller sized the buffer with CB_GETLBTEXTLEN, as the message's contract has it.
        case CB_GETLBTEXT: return list_->SendMessage(LB_GETTEXT, wParam, lParam);
        case CB_GETLBTEXTLEN: return GetLBTextLen(IntParam(wParam));
        case CB_FINDSTRING: return FindString(IntParam(wParam), TextParam(lParam));
        case CB_FINDSTRINGEXACT: return FindStringExact(IntParam(wParam), TextParam(lParam));
        case CB_SELECTSTRING: return SelectString(IntParam(wParam), TextParam(lParam));
        case CB_GETITEMDATA: return static_cast<LRESULT>(list_->GetItemData(IntParam(wParam)));
        case CB_SETITEMDATA: return list_->SetItemData(IntParam(wParam), static_cast<std::uintptr_t>(lParam));
        case CB_GETTOPINDEX: return list_->GetTopIndex();
        case CB_SETTOPINDEX: {
            const int index = IntParam(wParam);
            if (index < 0 || index >= GetCount()) return CB_ERR;
            list_->SetTopIndex(index);
            return CB_OKAY;
        }
        case CB_SHOWDROPDOWN: ShowDropDown(static_cast<BOOL>(wParam)); return TRUE;
        case CB_GETDROPPEDSTATE: return GetDroppedState();
        case CB_GETDROPPEDCONTROLRECT: {
            Rect* rect = reinterpret_cast<Rect*>(lParam);
            if (!rect) return CB_ERR;
            *rect = WindowRect();
            rect->bottom = rect->top + ClosedHeight() + ListRectOnScreen().Height();
            return TRUE;
        }
        case CB_GETITEMHEIGHT: return IntParam(wParam) == -1 ? fieldHeight_ : list_->GetItemHeight();
        case CB_SETITEMHEIGHT: {
            const int height = static_cast<int>(lParam);
            if (height <= 0 || height > 255) return CB_ERR;
            if (IntParam(wParam) != -1) return list_->SendMessage(LB_SETITEMHEIGHT, 0, lParam);
            fieldHeight_ = height;
            FitClosedHeight();
            LayoutParts();
            Invalidate(FALSE);
            return CB_OKAY;
        }
        case CB_LIMITTEXT:
            if (!HasEdit()) return CB_ERR;
            edit_->SendMessage(EM_LIMITTEXT, wParam ? wParam : kLimitForZero);
            return TRUE;
        case CB_GETEDITSEL:
            if (!HasEdit()) return CB_ERR;
            return edit_->SendMessage(EM_GETSEL, wParam, lParam);
        case CB_SETEDITSEL: {
            if (!HasEdit()) return CB_ERR;
            // Each end is a 16-bit value in which -1 means "none" for the start, "the end" for the end.
            const auto start = static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam)));
            const auto end = static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam)));
            edit_->SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(start)), end);
            return TRUE;
        }
        case WM_SETTEXT:
            if (!HasEdit()) return CB_ERR;
            SetFieldText(TextParam(lParam));
            return TRUE;
        case WM_SETFONT: {
            Window::WindowProc(message, wParam, lParam);
            if (edit_) edit_->SendMessage(WM_SETFONT, wParam, lParam);
            list_->SendMessage(WM_SETFONT, wParam, lParam);
            FitClosedHeight();
            LayoutParts();
            return 0;
        }
        case WM_COMMAND:
            if (edit_ && reinterpret_cast<HWND>(lParam) == edit_->GetSafeHwnd()) {
                OnEditNotify(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:
            if (HandleKey(static_cast<UINT>(wParam), true)) return 0;
            break;
        case WM_MOUSEWHEEL:
            // A dropped list scrolls; a closed combo box steps its selection as Up and Down do.
            if (dropped_) return list_->SendMessage(message, wParam, lParam);
            if (const int delta = GET_WHEEL_DELTA_WPARAM(wParam))
                ForwardToList(WM_KEYDOWN, delta < 0 ? VK_DOWN : VK_UP);
            return 0;
        case WM_GETDLGCODE: return DlgCode(reinterpret_cast<const MSG*>(lParam));
        default: break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

UINT ComboBoxControl::DlgCode(const MSG* msg) const {
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (dropped_ && msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

bool ComboBoxControl::Notify(int code) {
    const HWND self = GetSafeHwnd();
    if (Window* parent = GetParent() ? GetParent() : GetOwner())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(self));
    return IsWindow(self) != FALSE;
}

int ComboBoxControl::GetCount() const { return list_->GetCount(); }
int ComboBoxControl::GetCurSel() const { return list_->GetCurSel() >= 0 ? list_->GetCurSel() : CB_ERR; }

int ComboBoxControl::SetCurSel(int index) {
    if (index < 0 || index >= GetCount()) index = -1;
    list_->SetCurSel(index);
    shownLine_ = index;
    ShowLineInField(index);
    return index < 0 ? CB_ERR : index;
}

int ComboBoxControl::AddString(std::string_view text) { return LineInserted(list_->AddString(text)); }
int ComboBoxControl::InsertString(int index, std::string_view text) {
    return LineInserted(list_->InsertString(index, text));
}

int ComboBoxControl::LineInserted(int index) {
    if (index < 0) return index;
    if (shownLine_ >= index) ++shownLine_;
    if (lineBeforeDrop_ >= index) ++lineBeforeDrop_;
    return index;
}

int ComboBoxControl::DeleteString(int index) {
    const int result = list_->DeleteString(index);
    if (result == LB_ERR) return CB_ERR;
    // A deleted line is no longer shown or remembered; the field keeps its text.
    for (int* line : {&shownLine_, &lineBeforeDrop_}) {
        if (*line == index) *line = -1;
        else if (*line > index) --*line;
    }
    if (IsDropList()) ShowLineInField(list_->GetCurSel());
    return result;
}

void ComboBoxControl::ResetContent() {
    list_->ResetContent();
    shownLine_ = lineBeforeDrop_ = -1;
    ShowLineInField(-1);
}

int ComboBoxControl::GetLBTextLen(int index) const { return list_->GetTextLen(index); }
int ComboBoxControl::GetLBText(int index, char* buffer, int size) const { return list_->GetText(index, buffer, size); }
int ComboBoxControl::GetLBText(int index, std::string& text) const { return list_->GetText(index, text); }
int ComboBoxControl::FindString(int startAfter, std::string_view prefix) const {
    return list_->FindString(startAfter, prefix);
}
int ComboBoxControl::FindStringExact(int startAfter, std::string_view text) const {
    return list_->FindStringExact(startAfter, text);
}

int ComboBoxControl::SelectString(int startAfter, std::string_view prefix) {
    const int index = FindString(startAfter, prefix);
    if (index >= 0) SetCurSel(index);
    return index;
}

void ComboBoxControl::ShowLineInField(int index) {
    std::string text;
    if (index >= 0) list_->GetText(index, text);
    if (HasEdit()) {
        SetFieldText(text);
        edit_->SendMessage(EM_SETSEL, 0, -1);
        return;
    }
    // A drop-down list's field shows its window text.
    Window::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    InvalidateRect(nullptr, FALSE);
}

void ComboBoxControl::SetFieldText(std::string_view text) {
    const std::string copy(text);
    settingText_ = true;
    edit_->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    settingText_ = false;
    SyncWindowText();
}

void ComboBoxControl::SyncWindowText() {
    // The window's own copy of the edit field's text answers GetWindowText.
    const std::string text = edit_->GetWindowText();
    if (text != GetWindowText()) Window::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBoxControl::OnEditNotify(UINT code) {
    if (settingText_ || (code != EN_UPDATE && code != EN_CHANGE)) return;
    if (code == EN_UPDATE) {
        SyncWindowText();
        // What the user typed is no line of the list; a dropped list shows the first line it begins.
        const int match = dropped_ ? list_->FindString(-1, GetWindowText()) : -1;
        list_->SetCurSel(match);
        shownLine_ = -1;
        Notify(CBN_EDITUPDATE);
        return;
    }
    Notify(CBN_EDITCHANGE);
}

void ComboBoxControl::FitClosedHeight() {
    const Font* font = TextFont();
    if (font) fieldHeight_ = font->TextMetrics().tmHeight + 4;
    if (!GetSafeHwnd()) return;
    const Rect now = RectInParent();
    if (now.Height() == ClosedHeight()) return;
    resizing_ = true;
    SetWindowPos(nullptr, 0, 0, now.Width(), ClosedHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    resizing_ = false;
}

void ComboBoxControl::OnSize(UINT, int, int) {
    // Sizing the window sets the height it has dropped, as the template's height does.
    if (!resizing_ && RectInParent().Height() != ClosedHeight()) {
        droppedHeight_ = RectInParent().Height();
        FitClosedHeight();
    }
    LayoutParts();
}

Rect ComboBoxControl::ButtonRect() const {
    const Rect client = ClientRect();
    return {std::max(0, client.right - GetSystemMetrics(SM_CXVSCROLL)), 0, client.right, client.bottom};
}

Rect ComboBoxControl::FieldRect() const {
    const Rect client = ClientRect();
    return {0, 0, ButtonRect().left, client.bottom};
}

void ComboBoxControl::LayoutParts() {
    if (!edit_ || !edit_->GetSafeHwnd()) return;
    const Rect field = FieldRect();
    edit_->MoveWindow(Rect{field.left + 1, field.top + 1, std::max(field.left + 1, field.right - 1),
                           std::max(field.top + 1, field.bottom - 1)});
}

Rect ComboBoxControl::ListRectOnScreen() const {
    const Rect combo = WindowRect();
    const int itemHeight = list_->GetItemHeight();
    const int room = std::max(0, droppedHeight_ - combo.Height());
    int height = room;
    if (!(GetStyle() & CBS_NOINTEGRALHEIGHT)) {
        const int fit = std::max(1, (room - 2) / itemHeight);
        height = std::clamp(GetCount(), 1, fit) * itemHeight + 2;
    }
    height = std::max(height, itemHeight + 2);
    const Size screen = WindowSystem::Instance().ScreenSize();
    int top = combo.bottom;
    if (top + height > screen.cy && combo.top - height >= 0) top = combo.top - height;
    int left = combo.left;
    if (left + combo.Width() > screen.cx) left = std::max(0, screen.cx - combo.Width());
    return Rect::FromSize(left, top, combo.Width(), height);
}

void ComboBoxControl::OnEnable(BOOL enable) {
    if (edit_) edit_->EnableWindow(enable);
    if (!enable && dropped_ && !CloseList(Close::Keep)) return;
    Invalidate(FALSE);
}

void ComboBoxControl::OnPaint() {
    PaintDC dc(this);
    const bool enabled = IsWindowEnabled();
    const Rect field = FieldRect();
    dc.FillSolidRect(field, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawArrowButton(dc, ButtonRect(), false, buttonPressed_, enabled);
    if (HasEdit()) return;

    // The drop-down list's field: the selected line, in the selection colours while focused.
    const Rect inner{field.left + 1, field.top + 1, field.right - 1, field.bottom - 1};
    const bool highlight = enabled && focused_;
    if (highlight) dc.FillSolidRect(inner, GetSysColor(COLOR_HIGHLIGHT));
    const Font* font = TextFont();
    const int textHeight = font ? font->TextMetrics().tmHeight : 13;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(!enabled ? COLOR_GRAYTEXT : highlight ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.ExtTextOutA(inner.left + 2, field.top + (field.Height() - textHeight) / 2, ETO_CLIPPED, &inner, GetWindowText());
    if (highlight) dc.DrawFocusRect(inner);
}

}  // namespace win

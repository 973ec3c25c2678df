#include "platform/window/Dialog.h"

#include <algorithm>
#include <cctype>

#include "platform/kernel/LastError.h"
#include "platform/module/Module.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

bool IsPushButton(const Window* w) {
    if (!w || w->ClassName() != "Button") return false;
    DWORD type = w->GetStyle() & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool CanTakeFocus(const Window* w) { return (w->GetStyle() & WS_VISIBLE) && w->IsWindowEnabled(); }

UINT DlgCode(Window* w) { return static_cast<UINT>(w->SendMessage(WM_GETDLGCODE)); }

// Statics and group boxes (DLGC_STATIC) never keep the focus, even with WS_TABSTOP: the
// documentation of group boxes has tabbing to one move on to the first control in its group.
bool IsTabStop(Window* w) {
    return CanTakeFocus(w) && (w->GetStyle() & WS_TABSTOP) && !(DlgCode(w) & DLGC_STATIC);
}

// The direct child of the dialog that contains `w`.
Window* ChildOf(Window* dialog, Window* w) {
    while (w && w->GetParent() != dialog) w = w->GetParent();
    return w;
}

// The dialog manager's way of giving a control the focus: a control that answers DLGC_HASSETSEL
// (an edit) has all its text selected when it is entered by Tab, an arrow, a mnemonic or the
// initial focus, as WM_NEXTDLGCTL's documentation has it for edits.
void SetDialogFocus(Window* control) {
    HWND hwnd = control->GetSafeHwnd();
    control->SetFocus();
    if (IsWindow(hwnd) && (DlgCode(control) & DLGC_HASSETSEL)) control->SendMessage(EM_SETSEL, 0, -1);
}

// The mnemonic of a control's text: the character after a single '&' ("&&" is a literal '&'),
// in lower case; 0 when there is none.
char MnemonicOf(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

// The control whose mnemonic is `ch`, searched from the one after the focus onwards, wrapping: only
// visible, enabled statics, group boxes and buttons carry mnemonics; a static with SS_NOPREFIX
// shows its '&' and has none.
Window* MnemonicTarget(Window* dialog, Window* focus, char ch) {
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (!ch) return nullptr;
    const auto& children = dialog->Children();
    const long n = static_cast<long>(children.size());
    auto it = std::find(children.begin(), children.end(), ChildOf(dialog, focus));
    const long start = it == children.end() ? -1 : it - children.begin();
    for (long step = 1; step <= n; ++step) {
        Window* child = children[static_cast<size_t>((start + step) % n)];
        if (!CanTakeFocus(child)) continue;
        const UINT code = DlgCode(child);
        if (!(code & (DLGC_STATIC | DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) continue;
        if (child->ClassName() == "Static" && (child->GetStyle() & SS_NOPREFIX)) continue;
        if (MnemonicOf(child->GetWindowText()) == ch) return child;
    }
    return nullptr;
}

// A label's mnemonic moves the focus to the next tab stop after it (skipping other labels, disabled
// and hidden controls, and controls without WS_TABSTOP); a button's presses it, after giving it the
// focus, as a click would.
void ActivateMnemonic(Window* dialog, Window* control) {
    if (DlgCode(control) & DLGC_STATIC) {
        if (Window* next = GetNextDlgTabItem(dialog, control, false)) SetDialogFocus(next);
        return;
    }
    HWND hwnd = control->GetSafeHwnd();
    control->SetFocus();
    if (IsWindow(hwnd)) control->SendMessage(BM_CLICK);
}

}  // namespace

Window* GetNextDlgTabItem(Window* dialog, Window* from, bool previous) {
    const auto& children = dialog->Children();
    const long n = static_cast<long>(children.size());
    auto it = std::find(children.begin(), children.end(), ChildOf(dialog, from));
    // Without a starting control the walk begins before the first child (or after the last).
    const long start = it != children.end() ? it - children.begin() : (previous ? n : -1);
    for (long step = 1; step <= n; ++step) {
        const long index = ((start + (previous ? -step : step)) % n + n) % n;
        if (IsTabStop(children[static_cast<size_t>(index)])) return children[static_cast<size_t>(index)];
    }
    return nullptr;
}

Window* GetNextDlgGroupItem(Window* dialog, Window* from, bool previous) {
    const auto& children = dialog->Children();
    Window* current = ChildOf(dialog, from);
    auto it = std::find(children.begin(), children.end(), current);
    if (it == children.end()) return nullptr;
    // The group runs from the last WS_GROUP control at or before `current` up to the next WS_GROUP.
    auto first = it;
    while (first != children.begin() && !((*first)->GetStyle() & WS_GROUP)) --first;
    auto last = it + 1;
    while (last != children.end() && !((*last)->GetStyle() & WS_GROUP)) ++last;
    std::vector<Window*> group;
    for (auto i = first; i != last; ++i)
        if (CanTakeFocus(*i)) group.push_back(*i);
    if (group.empty()) return nullptr;
    auto pos = std::find(group.begin(), group.end(), current);
    long index = pos == group.end() ? 0 : pos - group.begin();
    long n = static_cast<long>(group.size());
    return group[static_cast<size_t>((index + (previous ? n - 1 : 1)) % n)];
}

// Mnemonics come with the characters, as on Windows: Alt+letter as WM_SYSCHAR always, the letter
// alone as WM_CHAR when the focused control does not want characters (DLGC_WANTCHARS).
BOOL IsDialogMessage(Window* dialog, MSG* msg) {
    Window* target = Window::FromHandle(msg->hwnd);
    if (!dialog || !target || !(target == dialog || dialog->IsChild(target))) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_CHAR && msg->message != WM_SYSCHAR) return FALSE;
    const char ch = static_cast<char>(msg->wParam & 0xFF);
    if (msg->message == WM_SYSCHAR) {
        // An Alt+key that names no control is used up all the same.
        if (Window* control = MnemonicTarget(dialog, target, ch)) ActivateMnemonic(dialog, control);
        return TRUE;
    }
    UINT code = static_cast<UINT>(target->SendMessage(WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
    if (code & DLGC_WANTALLKEYS) return FALSE;
    if (msg->message == WM_CHAR) {
        if (code & DLGC_WANTCHARS) return FALSE;
        Window* control = MnemonicTarget(dialog, target, ch);
        if (!control) return FALSE;
        ActivateMnemonic(dialog, control);
        return TRUE;
    }

    const UINT key = static_cast<UINT>(msg->wParam);
    switch (key) {
        case VK_TAB: {
            if (code & DLGC_WANTTAB) return FALSE;
            if (Window* next = GetNextDlgTabItem(dialog, target, GetKeyState(VK_SHIFT) < 0)) SetDialogFocus(next);
            return TRUE;
        }
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
            if (code & DLGC_WANTARROWS) return FALSE;
            if (Window* next = GetNextDlgGroupItem(dialog, target, key == VK_LEFT || key == VK_UP)) SetDialogFocus(next);
            return TRUE;
        }
        case VK_RETURN: {
            int id = IDOK;
            if (IsPushButton(target) && target->IsWindowEnabled()) {
                id = target->GetDlgCtrlID();
            } else {
                LRESULT def = dialog->SendMessage(DM_GETDEFID);
                if (HIWORD(static_cast<std::uintptr_t>(def)) == DC_HASDEFID) id = LOWORD(static_cast<std::uintptr_t>(def));
            }
            Window* button = dialog->GetDlgItem(id);
            if (button && !button->IsWindowEnabled()) return TRUE;
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                reinterpret_cast<LPARAM>(button ? button->GetSafeHwnd() : nullptr));
            return TRUE;
        }
        case VK_ESCAPE: {
            Window* cancel = dialog->GetDlgItem(IDCANCEL);
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                reinterpret_cast<LPARAM>(cancel ? cancel->GetSafeHwnd() : nullptr));
            return TRUE;
        }
        default: return FALSE;
    }
}

Dialog::Dialog(UINT templateId, Window* parent) : templateId_(templateId), requestedParent_(parent) {}

Dialog::Dialog(DialogTemplate dialog, Window* parent)
    : ownTemplate_(std::move(dialog)), hasOwnTemplate_(true), requestedParent_(parent) {}

const DialogTemplate* Dialog::Template() const {
    if (hasOwnTemplate_) return &ownTemplate_;
    Module* module = CurrentModule();
    return module ? module->FindDialog(templateId_) : nullptr;
}

BOOL Dialog::CreateIndirect(Window* owner, bool show) {
    const DialogTemplate* dialog = Template();
    if (!dialog) return FALSE;
    DialogTemplate copy = *dialog;
    const bool visible = (copy.style & WS_VISIBLE) != 0;
    copy.style &= ~WS_VISIBLE;
    if (!CreateFromTemplate(*this, copy, owner, 0)) return FALSE;
    for (Window* child : Children())
        if (child->ClassName() == "Button" && (child->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defaultId_ = child->GetDlgCtrlID();
    const bool popup = !(copy.style & WS_CHILD);
    if (popup && (copy.style & DS_CENTER)) CenterWindow(nullptr, true);

    const Point placed = WindowRect().TopLeft();
    Window* first = GetNextDlgTabItem(this, nullptr, false);
    const HWND firstHandle = first ? first->GetSafeHwnd() : nullptr;
    const HWND self = GetSafeHwnd();
    const BOOL setDefaultFocus = static_cast<BOOL>(SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(firstHandle), 0));
    if (!IsWindow(self)) return FALSE;
    // The framework centres a popup dialog on its owner once it is initialised, unless the
    // initialisation moved it; one that only resized itself is centred with its new size.
    if (popup && WindowRect().TopLeft() == placed) CenterWindow();
    show = show || visible;
    // A dialog that stays hidden takes no focus now (that would activate it): it goes to the first
    // tab stop when the dialog is first activated.
    if (setDefaultFocus && show) {
        // The control named in wParam, unless the initialisation disabled or hid it: then the next
        // tab stop after it.
        Window* focus = FromHandle(firstHandle);
        if (!focus || !IsChild(focus) || !focus->IsWindowEnabled() || !(focus->GetStyle() & WS_VISIBLE))
            focus = GetNextDlgTabItem(this, focus && IsChild(focus) ? focus : nullptr, false);
        if (focus) SetDialogFocus(focus);
    }
    if (show) ShowWindow(SW_SHOW);
    return TRUE;
}

INT_PTR Dialog::DoModal() {
    Window* owner = requestedParent_ ? requestedParent_ : (ownerless_ ? nullptr : Window::GetActiveWindow());
    if (owner) owner = owner->GetTopLevelParent();
    // An owner that was disabled already (by an outer modal loop) is left for that loop to enable.
    const bool ownerWasEnabled = owner && owner->IsWindowEnabled();
    ended_ = false;
    modeless_ = false;
    if (ownerWasEnabled) owner->EnableWindow(FALSE);
    if (!CreateIndirect(owner, true)) {
        // The caller asks GetLastError why: enabling the owner again must not overwrite it.
        const DWORD error = GetLastError();
        if (owner && ownerWasEnabled) owner->EnableWindow(TRUE);
        if (GetSafeHwnd()) DestroyWindow();
        SetLastError(error);
        return -1;
    }
    // The owner may go while the loop runs (its object with it): it is found again by its handle.
    const HWND ownerHandle = owner ? owner->GetSafeHwnd() : nullptr;
    running_ = true;
    RunModalLoop(ended_);
    running_ = false;
    owner = FromHandle(ownerHandle);
    if (owner && ownerWasEnabled) owner->EnableWindow(TRUE);
    // Give the owner back its activation before this window goes, as Windows does.
    if (owner) owner->BringWindowToTop();
    if (GetSafeHwnd()) DestroyWindow();
    return ended_ ? result_ : IDCANCEL;
}

BOOL Dialog::CreateModeless(Window* parent) {
    if (parent) requestedParent_ = parent;
    modeless_ = true;
    return CreateIndirect(requestedParent_, false);
}

void Dialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    // As on Windows, a modeless dialog is only hidden: its owner destroys it.
    if (modeless_) {
        if (GetSafeHwnd()) ShowWindow(SW_HIDE);
        return;
    }
    if (!running_ && GetSafeHwnd()) DestroyWindow();
}

BOOL Dialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void Dialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::DoDataExchange(DataExchange&) {}

BOOL Dialog::UpdateData(BOOL saveAndValidate) {
    DataExchange dx(*this, saveAndValidate != FALSE);
    DoDataExchange(dx);
    if (!dx.Failed()) return TRUE;
    if (Window* control = dx.FailedControl())
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->GetSafeHwnd()), TRUE);
    return FALSE;
}

void Dialog::CenterWindow(Window* alternateOwner, bool onScreen) {
    const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const Rect mine = WindowRect();
    const bool child = (GetStyle() & WS_CHILD) != 0;
    Window* center = onScreen ? nullptr : alternateOwner ? alternateOwner : child ? GetParent() : GetOwner();
    Rect on = screen;
    if (child) {
        if (center) on = center->ClientRect().Offset(center->ClientOriginOnScreen());
    } else if (center && center->IsWindowVisible()) {
        on = center->WindowRect();
    }
    int x = on.left + (on.Width() - mine.Width()) / 2;
    int y = on.top + (on.Height() - mine.Height()) / 2;
    if (!child) {
        // Inside the screen, its top-left corner first when it is larger than the screen.
        x = std::max(screen.left, std::min(x, screen.right - mine.Width()));
        y = std::max(screen.top, std::min(y, screen.bottom - mine.Height()));
    } else if (Window* parent = GetParent()) {
        const Point origin = parent->ClientOriginOnScreen();
        x -= origin.x;
        y -= origin.y;
    }
    MoveWindow(x, y, mine.Width(), mine.Height(), FALSE);
}

void Dialog::SetDefaultId(int id) {
    if (Window* old = GetDlgItem(defaultId_); old && old->ClassName() == "Button")
        old->SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    defaultId_ = id;
    if (Window* button = GetDlgItem(id); button && button->ClassName() == "Button")
        button->SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

BOOL Dialog::PreTranslateMessage(MSG* msg) { return IsDialogMessage(this, msg); }

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case DM_GETDEFID: return static_cast<LRESULT>(MAKELPARAM(defaultId_, DC_HASDEFID));
        case DM_SETDEFID: SetDefaultId(static_cast<int>(wParam)); return TRUE;
        case WM_NCDESTROY:
            // Destroyed while its loop runs (its owner went): the loop ends, as after Cancel.
            if (running_ && !ended_) EndDialog(IDCANCEL);
            return Window::WindowProc(message, wParam, lParam);
        case WM_NEXTDLGCTL: {
            Window* next = LOWORD(static_cast<std::uintptr_t>(lParam))
                               ? FromHandle(reinterpret_cast<HWND>(wParam))
                               : GetNextDlgTabItem(this, GetFocus(), wParam != 0);
            if (next && IsChild(next)) SetDialogFocus(next);
            return 0;
        }
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

BOOL Dialog::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
        case IDOK: OnOK(); return TRUE;
        case IDCANCEL: OnCancel(); return TRUE;
        default: return FALSE;
    }
}

void Dialog::OnClose() { SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

void Dialog::OnActivate(UINT state, Window*, BOOL) {
    // The control that had the focus gets it back when the dialog is active again.
    if (state == WA_INACTIVE) {
        Window* focus = GetFocus();
        lastFocus_ = focus && IsChild(focus) ? focus->GetSafeHwnd() : nullptr;
        return;
    }
    Window* focus = GetFocus();
    if (focus && (focus == this || IsChild(focus))) return;
    if (Window* last = FromHandle(lastFocus_); last && IsChild(last)) last->SetFocus();
    else if (Window* first = GetNextDlgTabItem(this, nullptr, false)) SetDialogFocus(first);
    else SetFocus();
}

long Dialog::BackgroundColor() const { return static_cast<long>(GetSysColor(COLOR_BTNFACE)); }

}  // namespace win

#include "platform/window/Dialog.h"

#include <algorithm>
#include <cctype>

#include "platform/module/Module.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

bool IsPushButton(const Window* w) {
    if (!w || w->ClassName() != "Button") return false;
    DWORD type = w->GetStyle() & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool CanTakeFocus(const Window* w) { return (w->GetStyle() & WS_VISIBLE) && w->IsWindowEnabled(); }

// The control the mnemonic character belongs to: "&Yes" answers to Y.
Window* MnemonicTarget(Window* dialog, char ch) {
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (Window* child : dialog->Children()) {
        if (!CanTakeFocus(child) || child->ClassName() != "Button") continue;
        const std::string& text = child->GetWindowText();
        for (size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != '&') continue;
            if (text[i + 1] == '&') { ++i; continue; }
            if (std::tolower(static_cast<unsigned char>(text[i + 1])) == ch) return child;
            break;
        }
    }
    return nullptr;
}

// The direct child of the dialog that contains `w`.
Window* ChildOf(Window* dialog, Window* w) {
    while (w && w->GetParent() != dialog) w = w->GetParent();
    return w;
}

}  // namespace

Window* GetNextDlgTabItem(Window* dialog, Window* from, bool previous) {
    std::vector<Window*> stops;
    for (Window* child : dialog->Children())
        if (CanTakeFocus(child) && (child->GetStyle() & WS_TABSTOP)) stops.push_back(child);
    if (stops.empty()) return nullptr;
    auto it = std::find(stops.begin(), stops.end(), ChildOf(dialog, from));
    if (it == stops.end()) return previous ? stops.back() : stops.front();
    long index = it - stops.begin();
    long n = static_cast<long>(stops.size());
    return stops[static_cast<size_t>((index + (previous ? n - 1 : 1)) % n)];
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

BOOL IsDialogMessage(Window* dialog, MSG* msg) {
    Window* target = Window::FromHandle(msg->hwnd);
    if (!dialog || !target || !(target == dialog || dialog->IsChild(target))) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_CHAR && msg->message != WM_SYSCHAR) return FALSE;
    UINT code = static_cast<UINT>(target->SendMessage(WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
    if (code & DLGC_WANTALLKEYS) return FALSE;
    if (msg->message != WM_KEYDOWN) return (code & DLGC_WANTCHARS) ? FALSE : (msg->message == WM_CHAR ? FALSE : TRUE);

    const UINT key = static_cast<UINT>(msg->wParam);
    switch (key) {
        case VK_TAB: {
            if (code & DLGC_WANTTAB) return FALSE;
            if (Window* next = GetNextDlgTabItem(dialog, target, GetKeyState(VK_SHIFT) < 0)) next->SetFocus();
            return TRUE;
        }
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
            if (code & DLGC_WANTARROWS) return FALSE;
            if (Window* next = GetNextDlgGroupItem(dialog, target, key == VK_LEFT || key == VK_UP)) next->SetFocus();
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
        default: break;
    }
    if (!(code & DLGC_WANTCHARS) && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) {
        if (Window* button = MnemonicTarget(dialog, static_cast<char>(key))) {
            button->SetFocus();
            button->SendMessage(BM_CLICK);
            return TRUE;
        }
    }
    return FALSE;
}

Dialog::Dialog(UINT templateId, Window* parent) : templateId_(templateId), requestedParent_(parent) {}

Dialog::Dialog(DialogTemplate dialog, Window* parent)
    : ownTemplate_(std::move(dialog)), hasOwnTemplate_(true), requestedParent_(parent) {}

const DialogTemplate* Dialog::Template() const {
    if (hasOwnTemplate_) return &ownTemplate_;
    Module* module = CurrentModule();
    return module ? module->FindDialog(templateId_) : nullptr;
}

BOOL Dialog::CreateIndirect(Window* owner) {
    const DialogTemplate* dialog = Template();
    if (!dialog) return FALSE;
    DialogTemplate copy = *dialog;
    const bool visible = (copy.style & WS_VISIBLE) != 0;
    copy.style &= ~WS_VISIBLE;
    if (!CreateFromTemplate(*this, copy, owner, 0)) return FALSE;
    for (Window* child : Children())
        if (child->ClassName() == "Button" && (child->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defaultId_ = child->GetDlgCtrlID();
    // Dialogs without a position are centred on their owner, or on the screen.
    if (!(copy.style & WS_CHILD) && ((copy.x == 0 && copy.y == 0) || (copy.style & DS_CENTER))) {
        Rect area = owner ? owner->GetTopLevelParent()->WindowRect() : Rect{0, 0, 1024, 768};
        Rect mine = WindowRect();
        MoveWindow(area.left + (area.Width() - mine.Width()) / 2, area.top + (area.Height() - mine.Height()) / 2,
                   mine.Width(), mine.Height(), FALSE);
    }
    HWND self = GetSafeHwnd();
    BOOL setDefaultFocus = static_cast<BOOL>(SendMessage(WM_INITDIALOG, 0, 0));
    if (!IsWindow(self)) return FALSE;
    if (setDefaultFocus)
        if (Window* first = GetNextDlgTabItem(this, nullptr, false)) first->SetFocus();
    (void)visible;
    ShowWindow(SW_SHOW);
    return TRUE;
}

INT_PTR Dialog::DoModal() {
    Window* owner = requestedParent_ ? requestedParent_->GetTopLevelParent()
                                     : (ownerless_ ? nullptr : Window::GetActiveWindow());
    const bool ownerWasEnabled = owner && owner->IsWindowEnabled();
    ended_ = false;
    if (owner) owner->EnableWindow(FALSE);
    if (!CreateIndirect(owner)) {
        if (owner && ownerWasEnabled) owner->EnableWindow(TRUE);
        if (GetSafeHwnd()) DestroyWindow();
        return -1;
    }
    running_ = true;
    RunModalLoop(ended_);
    running_ = false;
    if (owner && ownerWasEnabled && IsWindow(owner->GetSafeHwnd())) owner->EnableWindow(TRUE);
    // Give the owner back its activation before this window goes, as Windows does.
    if (owner && IsWindow(owner->GetSafeHwnd())) owner->BringWindowToTop();
    if (GetSafeHwnd()) DestroyWindow();
    return ended_ ? result_ : IDCANCEL;
}

BOOL Dialog::CreateModeless(Window* parent) {
    if (parent) requestedParent_ = parent;
    return CreateIndirect(requestedParent_);
}

void Dialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    if (!running_ && GetSafeHwnd()) DestroyWindow();
}

BOOL Dialog::OnInitDialog() { return TRUE; }
void Dialog::OnOK() { EndDialog(IDOK); }
void Dialog::OnCancel() { EndDialog(IDCANCEL); }

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
    else if (Window* first = GetNextDlgTabItem(this, nullptr, false)) first->SetFocus();
    else SetFocus();
}

long Dialog::BackgroundColor() const { return static_cast<long>(GetSysColor(COLOR_BTNFACE)); }

}  // namespace win

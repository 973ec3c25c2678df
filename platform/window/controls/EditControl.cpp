// The edit control's messages, its editing operations and its notifications.
#include "platform/window/controls/EditControl.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/Font.h"
#include "platform/window/Clipboard.h"
#include "platform/window/DialogTemplates.h"

namespace win {
namespace {

const bool registered = (RegisterControlClass("Edit", [] { return new EditControl(); }), true);

// EM_SETSEL takes its positions as unsigned: any negative value but a start of -1 is past the end.
std::size_t Position(LPARAM value) { return static_cast<std::size_t>(static_cast<DWORD>(value)); }

}  // namespace

UINT GetCaretBlinkTime() { return 530; }

int EditControl::OnCreate(CREATESTRUCTA* cs) {
    SetClassStyle(ClassStyle() | CS_DBLCLKS);
    SetMargins(EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(EC_USEFONTINFO, EC_USEFONTINFO));
    edit_.Reset(cs && cs->lpszName ? cs->lpszName : "");
    return Window::OnCreate(cs);
}

UINT EditControl::OnGetDlgCode() { return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS; }

LRESULT EditControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            edit_.Reset(lParam ? reinterpret_cast<const char*>(lParam) : "");
            modified_ = false;
            scrollX_ = 0;
            TextChanged();
            return TRUE;
        case WM_SETFONT: {
            LRESULT result = Window::WindowProc(message, wParam, lParam);
            offsetsValid_ = false;
            SetMargins(EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(EC_USEFONTINFO, EC_USEFONTINFO));
            return result;
        }
        case EM_GETSEL: {
            const std::size_t start = edit_.SelStart(), end = edit_.SelEnd();
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
            if (start > 0xFFFF || end > 0xFFFF) return -1;
            return MAKELPARAM(static_cast<int>(start), static_cast<int>(end));
        }
        case EM_SETSEL: SetSel(static_cast<LPARAM>(wParam), lParam); return 0;
        case EM_REPLACESEL:
            Insert(lParam ? reinterpret_cast<const char*>(lParam) : "", EditText::EditKind::Other, wParam != 0);
            return 0;
        case EM_LIMITTEXT: edit_.SetLimit(static_cast<std::size_t>(wParam)); return 0;
        case EM_GETLIMITTEXT: return static_cast<LRESULT>(edit_.Limit());
        case EM_CANUNDO: return edit_.CanUndo() ? TRUE : FALSE;
        case EM_UNDO: case WM_UNDO: Undo(); return TRUE;
        case EM_EMPTYUNDOBUFFER: edit_.ForgetUndo(); return 0;
        case EM_GETMODIFY: return modified_ ? TRUE : FALSE;
        case EM_SETMODIFY: modified_ = wParam != 0; return 0;
        case EM_GETLINECOUNT: return 1;
        case EM_LINELENGTH: return static_cast<LRESULT>(edit_.Length());
        case EM_GETLINE: return GetLine(wParam, lParam);
        case EM_GETFIRSTVISIBLELINE: return static_cast<LRESULT>(FirstVisible());
        case EM_GETRECT:
            if (lParam) *reinterpret_cast<Rect*>(lParam) = FormatRect();
            return 0;
        case EM_SETMARGINS: SetMargins(static_cast<UINT>(wParam), lParam); return 0;
        case EM_GETMARGINS: return MAKELPARAM(leftMargin_, rightMargin_);
        case EM_POSFROMCHAR: {
            const std::size_t index = static_cast<std::size_t>(wParam);
            if (index >= edit_.Length()) return -1;
            return MAKELPARAM(XOfIndex(index), FormatRect().top);
        }
        case EM_CHARFROMPOS: {
            const Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (!ClientRect().Contains(p)) return -1;
            return MAKELPARAM(static_cast<int>(IndexNearest(p.x)), 0);
        }
        case EM_SCROLLCARET: KeepCaretVisible(Scroll::Jump); Invalidate(FALSE); return TRUE;
        case EM_SETREADONLY:
            ModifyStyle(wParam ? 0 : ES_READONLY, wParam ? ES_READONLY : 0);
            Invalidate(FALSE);
            return TRUE;
        case WM_COPY: Copy(); return 0;
        case WM_CUT: Cut(); return 0;
        case WM_PASTE: Paste(); return 0;
        case WM_CLEAR: Clear(); return 0;
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

void EditControl::Notify(UINT code) {
    if (Window* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), static_cast<int>(code)),
                            reinterpret_cast<LPARAM>(GetSafeHwnd()));
}

void EditControl::TextChanged() {
    // The window's own copy of the text answers WM_GETTEXT and GetWindowText.
    Window::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(edit_.Text().c_str()));
    offsetsValid_ = false;
    KeepCaretVisible(Scroll::Jump);
    RestartCaretBlink();
    Invalidate(FALSE);
    const HWND self = GetSafeHwnd();
    Notify(EN_UPDATE);
    if (!IsWindow(self)) return;
    UpdateWindow();
    if (!IsWindow(self)) return;
    Notify(EN_CHANGE);
}

void EditControl::SelectionChanged(Scroll scroll) {
    KeepCaretVisible(scroll);
    RestartCaretBlink();
    Invalidate(FALSE);
}

bool EditControl::Insert(std::string_view insert, EditText::EditKind kind, bool undoable) {
    std::size_t fits = std::min(insert.size(), edit_.Room());
    if (!(GetStyle() & ES_AUTOHSCROLL)) fits = std::min(fits, CharsThatFit(insert.substr(0, fits)));
    if (fits < insert.size()) {
        const HWND self = GetSafeHwnd();
        Notify(EN_MAXTEXT);
        if (!IsWindow(self)) return false;
    }
    if (fits == 0 && !edit_.HasSelection()) return false;
    if (undoable) edit_.BeginEdit(kind);
    else edit_.ForgetUndo();
    edit_.ReplaceSelection(insert.substr(0, fits));
    modified_ = true;
    TextChanged();
    return true;
}

void EditControl::EraseBeforeCaret() {
    const std::size_t caret = edit_.Caret();
    if (!edit_.HasSelection() && caret == 0) return;
    edit_.BeginEdit(EditText::EditKind::Typing);
    if (edit_.HasSelection()) edit_.ReplaceSelection({});
    else edit_.Erase(caret - 1, caret);
    modified_ = true;
    TextChanged();
}

void EditControl::EraseAfterCaret() {
    const std::size_t caret = edit_.Caret();
    if (!edit_.HasSelection() && caret == edit_.Length()) return;
    edit_.BeginEdit(EditText::EditKind::Typing);
    if (edit_.HasSelection()) edit_.ReplaceSelection({});
    else edit_.Erase(caret, caret + 1);
    modified_ = true;
    TextChanged();
}

void EditControl::Copy() {
    if (edit_.HasSelection()) SetClipboardText(edit_.Selection());
}

void EditControl::Cut() {
    Copy();
    Clear();
}

void EditControl::Clear() {
    if (ReadOnly() || !edit_.HasSelection()) return;
    edit_.BeginEdit(EditText::EditKind::Other);
    edit_.ReplaceSelection({});
    modified_ = true;
    TextChanged();
}

void EditControl::Paste() {
    if (ReadOnly()) return;
    std::optional<std::string> text = GetClipboardText();
    if (!text) return;
    std::string_view line(*text);
    line = line.substr(0, line.find_first_of("\r\n"));
    Insert(line, EditText::EditKind::Other, true);
}

void EditControl::Undo() {
    if (!edit_.CanUndo()) return;
    edit_.Undo();
    modified_ = true;
    TextChanged();
}

void EditControl::SetSel(LPARAM start, LPARAM end) {
    if (start == -1) {
        edit_.Select(edit_.Caret(), edit_.Caret());
    } else {
        edit_.Select(Position(start), Position(end));
    }
    SelectionChanged();
}

LRESULT EditControl::GetLine(WPARAM, LPARAM buffer) const {
    // The caller's buffer holds its size in characters in its first word; what is copied carries no
    // terminating NUL, but gets one when there is room, as the compatibility implementation does.
    if (!buffer) return 0;
    char* out = reinterpret_cast<char*>(buffer);
    WORD size;
    std::memcpy(&size, out, sizeof size);
    const std::size_t count = std::min<std::size_t>(size, edit_.Length());
    std::memcpy(out, edit_.Text().data(), count);
    if (count < size) out[count] = '\0';
    return static_cast<LRESULT>(count);
}

void EditControl::SetMargins(UINT which, LPARAM widths) {
    const Font* font = TextFont();
    const int fromFont = font ? font->TextMetrics().tmAveCharWidth / 2 : 0;
    auto width = [&](WORD w) { return w == EC_USEFONTINFO ? fromFont : static_cast<int>(w); };
    const std::uintptr_t value = static_cast<std::uintptr_t>(widths);
    if (which & EC_LEFTMARGIN) leftMargin_ = width(LOWORD(value));
    if (which & EC_RIGHTMARGIN) rightMargin_ = width(HIWORD(value));
    KeepCaretVisible(Scroll::Minimal);
    Invalidate(FALSE);
}

}  // namespace win

#pragma once
// The "ListBox" control: a single-selection list of text lines with Windows' messages (LB_*),
// notifications to its parent (LBN_* in WM_COMMAND), keyboard, mouse and wheel handling,
// type-ahead, integral height and a vertical scroll bar that appears only when the lines do not
// fit. It owns its lines (ListItems) and paints them and its scroll bar (ScrollBarPart) in the
// classic look. Dialog templates make it by class name ("LISTBOX" in any case); a combo box hosts
// one as its dropped list through ListBoxHost.
//
// Windows behaviour it follows ("docs": the Win32 list box documentation; "oracle": Wine through
// win-oracle, where the documentation is silent):
// - Notifications: LBN_SELCHANGE and LBN_DBLCLK need LBS_NOTIFY and come only from the user (mouse,
//   keys, type-ahead), never from LB_SETCURSEL or LB_SELECTSTRING (docs). LBN_SETFOCUS and
//   LBN_KILLFOCUS come with or without LBS_NOTIFY (docs say nothing of a style; oracle).
// - A click selects at once, takes the focus and sends LBN_SELCHANGE when the button is released,
//   also when the line was already selected; a click below the last line selects nothing. While
//   the button is held the selection follows the pointer (by its height alone), and above or
//   below the list it scrolls a line every 50 ms. The second press of a double click sends
//   LBN_DBLCLK alone (oracle). LBN_SELCANCEL is for a combo box's list: a hosted list tells its host.
// - Keys: Up/Left and Down/Right move one line, Page Up/Down one page less a line, Home and End
//   to the ends; with nothing selected the first such key selects the caret line. Every such key
//   sends LBN_SELCHANGE, even at the end of the list (oracle).
// - WM_CHAR selects the next line that begins with the typed text; characters typed within a
//   second of each other are taken together (docs: "a short interval"; one second is what the
//   list-view documentation states for the same feature). Repeating one letter steps through the
//   lines that begin with it. Wine searches for single letters only.
// - LBS_WANTKEYBOARDINPUT: each key-down first goes to the parent as WM_VKEYTOITEM (key, caret):
//   -2 means handled, -1 the default action, an index selects that line (docs; oracle for
//   the index). WM_CHARTOITEM is for owner-drawn lists without strings only (docs).
// - WM_GETDLGCODE answers DLGC_WANTARROWS | DLGC_WANTCHARS (docs).
// - LBS_SORT keeps lines in ListSortOrder's order and LB_ADDSTRING returns where the line went;
//   LB_INSERTSTRING never sorts, -1 appends, beyond the end is LB_ERR (oracle).
// - LB_SETCURSEL out of range: LB_ERR, selection kept; -1 clears and returns LB_ERR (docs,
//   oracle). Deleting the selected line leaves nothing selected; lines added or deleted before
//   it keep the same line selected (oracle). LB_SETTOPINDEX clamps to the last full page (oracle).
// - LB_FINDSTRING / LB_FINDSTRINGEXACT search from the line after the start index and wrap; -1
//   (or an index past the end) searches the whole list; an empty prefix finds nothing (docs,
//   oracle). LB_GETTEXT, LB_GETTEXTLEN, LB_GETITEMDATA of a bad index: LB_ERR, buffer untouched.
// - Item height is the font's height (tmHeight; oracle): 13 pixels for "MS Sans Serif" 8 pt at
//   96 dpi, the same 13 as the font's dialog base unit.
// - Without LBS_NOINTEGRALHEIGHT the window shrinks so that its client area holds whole lines,
//   keeping its borders (docs: "does not display partial items"); a client area lower than one
//   line stays as it is (oracle). A new font refits from the height asked for: Wine keeps the
//   height it fitted to the font the list was created with, which shows partial lines in dialogs.
// - WS_VSCROLL shows the bar only while the lines do not fit, unless LBS_DISABLENOSCROLL (oracle:
//   the style bit comes and goes). The bar scrolls by line, page (whole lines in view) and thumb;
//   an arrow or page area repeats after 200 ms, then every 50 ms, while held (oracle, roughly).
//   Clicking the bar does not take the focus. The wheel scrolls 3 lines a notch (120), keeping
//   fractions of a notch (oracle), and moves no selection.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window/Window.h"
#include "platform/window/controls/ListBoxMessages.h"
#include "platform/window/controls/ListItems.h"
#include "platform/window/controls/ScrollBarPart.h"

namespace win {

// The window that shows a list box as its dropped list (a combo box). While a host is set, the
// list box tells it of the user's moves and choices instead of notifying its parent: the
// selection follows the pointer, a click or Enter chooses, Escape or a click outside cancels.
class ListBoxHost {
public:
    virtual ~ListBoxHost() = default;
    virtual void OnListSelChange(int index) = 0;
    virtual void OnListChoice(int index) = 0;
    virtual void OnListCancel() = 0;
};

class ListBoxControl : public Window {
public:
    ListBoxControl();

    // The operations behind the LB_ messages, in the framework's CListBox shape.
    int GetCount() const { return items_.Count(); }
    int GetCurSel() const { return selection_; }
    int SetCurSel(int index);
    int AddString(std::string_view text);
    int InsertString(int index, std::string_view text);
    int DeleteString(int index);
    void ResetContent();
    int GetTextLen(int index) const;
    // Copies at most size - 1 bytes and a terminating NUL; LB_ERR for a bad index or buffer.
    int GetText(int index, char* buffer, int size) const;
    int GetText(int index, std::string& text) const;
    int FindString(int startAfter, std::string_view prefix) const;
    int FindStringExact(int startAfter, std::string_view text) const;
    int SelectString(int startAfter, std::string_view prefix);
    std::uintptr_t GetItemData(int index) const;
    int SetItemData(int index, std::uintptr_t data);
    int GetTopIndex() const { return top_; }
    int SetTopIndex(int index);
    int GetCaretIndex() const { return caret_; }
    int GetItemHeight() const { return itemHeight_; }
    int GetItemRect(int index, Rect* rect) const;
    // The nearest line in view in the low word; the high word is 1 when the point is outside the
    // client area (docs).
    DWORD ItemFromPoint(Point point) const;

    // Turns the list into a dropped list told to `host` (null: an ordinary list again). The host
    // shows the popup and gives it the capture; the list keeps it until it chooses or cancels.
    void SetHost(ListBoxHost* host) { host_ = host; }

    // Lines in full view.
    int PageSize() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnPaint() override;
    void OnNcPaint() override;
    int OnNcHitTest(Point screenPoint) override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnLButtonUp(UINT flags, Point point) override;
    void OnLButtonDblClk(UINT flags, Point point) override;
    void OnMouseMove(UINT flags, Point point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnTimer(UINT_PTR id) override;
    void OnSetFocus(Window* oldFocus) override;
    void OnKillFocus(Window* newFocus) override;
    void OnCaptureChanged(Window* newCapture) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnEnable(BOOL enable) override;
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

private:
    enum class Tracking { None, Select, ScrollBar };

    bool Sorted() const { return (GetStyle() & LBS_SORT) != 0; }
    int InsertAt(int index, std::string_view text);
    // The line at a client point, or -1 where there is none.
    int LineAt(Point point) const;
    Rect LineRect(int index) const;
    void InvalidateLine(int index);
    // Selects a line and puts the caret on it, scrolling it into view when asked; -1 clears.
    void Select(int index, bool scroll);
    void ScrollIntoView(int index);
    void SetTop(int top);
    void Notify(int code);
    // A move made by the user: selects, tells the host, or notifies LBN_SELCHANGE.
    void UserSelect(int index);
    void TypeAhead(char ch);
    void Wheel(int delta);
    void VScroll(UINT code, int thumbPos);

    // The scroll bar, in client coordinates: right of the client area, inside the borders.
    Rect ScrollBarRect() const;
    ScrollBarPart Bar() const;
    void UpdateScrollBar();
    void RedrawScrollBar();
    void PaintScrollBar();
    void BeginBarTracking(Point point);
    void TrackBar(Point point);
    void StepBar();
    void EndTracking();

    void FitHeight();

    ListItems items_;
    int selection_ = -1;
    int caret_ = 0;
    int top_ = 0;
    int itemHeight_ = 13;
    bool hasScrollBar_ = false;  // created with WS_VSCROLL: show the bar when needed
    int requestedHeight_ = 0;     // window height before the integral-height adjustment
    bool fitting_ = false;

    std::string typed_;
    std::uint64_t lastTypedMs_ = 0;
    int wheelRemainder_ = 0;

    Tracking tracking_ = Tracking::None;
    bool selectedWhileTracking_ = false;
    int autoScroll_ = 0;  // -1 above the list, +1 below, while selecting with the button held
    ScrollPart barPart_ = ScrollPart::None;  // the part held down
    bool barPartUnderPointer_ = false;
    bool firstRepeat_ = false;
    Point lastPointer_;
    int thumbGrab_ = 0;  // pointer's distance from the thumb's top
    int thumbStart_ = 0;
    int thumbPos_ = 0;

    ListBoxHost* host_ = nullptr;
};

}  // namespace win

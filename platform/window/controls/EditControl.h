#pragma once
// The "Edit" control, single-line: the name field of the save dialog and the field of drop-down
// combo boxes. Owns its text (an EditText), the horizontal scroll position, the caret's blink and
// the mouse drag. Notifications go to the parent as WM_COMMAND(MAKEWPARAM(id, code), handle), so a
// combo box that makes an edit its child hears them; a combo box may also derive from this class
// to take the keys it wants (the handlers are virtual).
//
// How Windows' edit behaves, and what this one does after it ([oracle] = checked with the
// compatibility implementation through tools/win-oracle, where the documentation is silent):
// - WM_GETDLGCODE: DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS [oracle: 0x89], so the dialog
//   manager selects all the text when the focus enters by Tab.
// - EN_UPDATE comes after the text is formatted and before it is displayed; EN_CHANGE after the
//   screen shows it (learn.microsoft.com "EN_UPDATE", "EN_CHANGE"). A single-line edit sends both
//   for WM_SETTEXT too, also when the text is the same [oracle]; EM_REPLACESEL sends them [oracle].
//   Nothing that leaves the text as it was (Backspace at the start, an empty replacement) notifies.
// - The text limit cuts what the user enters, pastes and EM_REPLACESEL [oracle], never WM_SETTEXT
//   ("EM_LIMITTEXT"); a cut insertion sends EN_MAXTEXT before EN_UPDATE. Without ES_AUTOHSCROLL an
//   insertion is also cut to what fits the width, with EN_MAXTEXT ("EN_MAXTEXT").
// - EM_SETSEL: start is the anchor, end the active end with the caret; 0, -1 selects all; a start
//   of -1 removes the selection and leaves the caret ("EM_SETSEL"). Other negative values count as
//   past the end [oracle]. The caret is scrolled into view [oracle].
// - WM_SETTEXT puts the caret at the start, scrolls back, clears the modified flag [oracle] and the
//   undo step ("Edit Control Default Message Processing").
// - Keys [oracle]: Ctrl+C, Ctrl+X, Ctrl+V and Ctrl+Z arrive as the characters 3, 0x18, 0x16, 0x1A
//   and act there (a WM_KEYDOWN of Ctrl+C does nothing); other control characters are ignored, so
//   Ctrl+A does nothing, as on classic Windows; Backspace is the character 8. Shift+Delete cuts,
//   Shift+Insert pastes, Ctrl+Insert copies. Up and Down move like Left and Right; Left and Right
//   move from the caret even when text is selected; Ctrl+Left/Right go by words, which only
//   blanks separate. Pasting stops at the first line break.
// - Mouse: a click puts the caret at the nearest character boundary, Shift+click extends; a double
//   click selects the word and the blanks after it [oracle]. Dragging past an edge scrolls.
// - ES_READONLY: typing, pasting and clearing do nothing, cutting only copies; the program's
//   WM_SETTEXT and EM_REPLACESEL still change the text [oracle]. Read-only and disabled fields are
//   drawn on COLOR_BTNFACE (they are coloured as statics, "WM_CTLCOLORSTATIC").
// - The selection shows only while focused unless ES_NOHIDESEL ("EM_SETSEL").
// - Margins: with a font set (EC_USEFONTINFO) each is half the font's average character width,
//   and the formatting rectangle is inset one pixel more at the left and top [oracle: 3 and 3 for
//   a 6-pixel average, 6 for 12; EM_GETRECT 4,1]. EM_POSFROMCHAR gives -1 at and after the end.
// - WS_BORDER in a dialog becomes WS_EX_CLIENTEDGE [oracle]; the dialog manager does that for every
//   template control. Outside a dialog WS_BORDER stays a flat 1-pixel border.
//
// Choices where Windows is not documented: the text scrolls by a third of the width when the
// caret leaves the visible part (the compatibility implementation scrolls by a character or a
// quarter; users of classic Windows saw jumps); undo brings back the whole state before the edit,
// including its selection.
#include <vector>

#include "platform/window/Window.h"
#include "platform/window/controls/EditMessages.h"
#include "platform/window/controls/EditText.h"

namespace win {

// The caret's blink: its pixels invert every this many milliseconds (GetCaretBlinkTime returns
// the user's setting; 530 ms is Windows' default).
UINT GetCaretBlinkTime();

class EditControl : public Window {
public:
    const EditText& Content() const { return edit_; }
    // Whether the caret shows at this moment of its blink, and where it is drawn (client
    // coordinates); how far the text is scrolled to the left, in pixels.
    bool CaretVisible() const { return caretShown_; }
    Rect CaretRect() const;
    int ScrollOffset() const { return scrollX_; }

    static constexpr UINT_PTR kCaretTimer = 1;
    static constexpr UINT_PTR kDragScrollTimer = 2;
    static constexpr UINT kDragScrollPeriod = 100;

protected:
    int OnCreate(CREATESTRUCTA* cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(DC*) override { return TRUE; }
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
    UINT OnGetDlgCode() override;

    // Editing as the user does it, for derived controls too.
    void Copy();
    void Cut();
    void Paste();
    void Clear();
    void Undo();

private:
    enum class Scroll { Jump, Minimal };

    bool ReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
    void Notify(UINT code);
    // Puts `insert` in place of the selection, cut to the limit and, without ES_AUTOHSCROLL, to the
    // width (EN_MAXTEXT when cut). False when the text stayed as it was.
    bool Insert(std::string_view insert, EditText::EditKind kind, bool undoable);
    void EraseBeforeCaret();
    void EraseAfterCaret();
    // After every change of the text: scroll to the caret, EN_UPDATE, repaint now, EN_CHANGE.
    void TextChanged();
    // After a caret move or a new selection.
    void SelectionChanged(Scroll scroll = Scroll::Jump);
    void SetSel(LPARAM start, LPARAM end);
    LRESULT GetLine(WPARAM index, LPARAM buffer) const;
    void SetMargins(UINT which, LPARAM widths);

    // Layout (EditView.cpp).
    Rect FormatRect() const;
    int TextWidth(std::size_t from, std::size_t to) const;
    int CharWidth(unsigned char c) const;
    const std::vector<int>& Offsets() const;  // x of each character boundary from the text's start
    int XOfIndex(std::size_t index) const;    // client coordinates
    std::size_t IndexNearest(int x) const;    // the boundary nearest a client x
    std::size_t IndexUnder(int x) const;      // the character a client x falls on
    std::size_t FirstVisible() const;
    std::size_t CharsThatFit(std::string_view insert) const;
    void KeepCaretVisible(Scroll scroll);
    void RestartCaretBlink();
    void DragTo(Point point);
    void DrawRun(DC& dc, int x, int y, std::size_t from, std::size_t to) const;

    EditText edit_;
    bool modified_ = false;
    int leftMargin_ = 0;
    int rightMargin_ = 0;
    int scrollX_ = 0;
    bool caretShown_ = false;
    bool tracking_ = false;
    Point dragPoint_;
    mutable std::vector<int> offsets_;
    mutable bool offsetsValid_ = false;
    mutable const Font* measuredFont_ = nullptr;
    mutable int charWidths_[256] = {};
};

}  // namespace win

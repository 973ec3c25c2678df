#pragma once
// The "ComboBox" control in its drop-down forms: CBS_DROPDOWN (an edit field, the drop button and
// a dropped list) and CBS_DROPDOWNLIST (a selection field drawn by the combo box, and the button).
// CBS_SIMPLE is taken as CBS_DROPDOWN. It owns its edit field (a child EditControl) and its dropped
// list: a ListBoxControl shown as a top-level popup ("ComboLBox", owned by the combo box's
// top-level window) that tells the combo box of the user's moves through ListBoxHost. The list
// keeps the lines; the CB_ messages go to it. Dialog templates make it by class name.
//
// Windows behaviour it follows ("docs": Microsoft's combo box documentation; "oracle": Wine through
// win-oracle, where the documentation is silent; platform/README.md lists the sources):
// - Layout: the template's height is the height with the list dropped (docs); the closed height
//   follows the font: selection field (CB_GETITEMHEIGHT of -1) = tmHeight + 4, window = field + a
//   2-pixel sunken edge above and below (oracle). The button is SM_CXVSCROLL wide and as high as the
//   field; the edit sits 1 pixel inside the field, 1 pixel left of the button (oracle).
// - The dropped list is as wide as the combo box, directly below it (above when the screen has no
//   room below), as high as the template allows in whole lines but no higher than its lines need,
//   at least one line (oracle); it shows its scroll bar only when the lines do not fit. Dropping
//   puts the selected line at the top, as far as the list allows (oracle).
// - Opening: a click on the button (anywhere on a drop-down list), F4, Alt+Down or Alt+Up, and
//   CB_SHOWDROPDOWN; F4, Alt+Down and Alt+Up close it again (docs: "the F4 key opens or closes the
//   list"). While dropped the list follows the pointer without notifying; Up, Down, Page Up/Down
//   (and Home and End in a drop-down list) move its selection with CBN_SELCHANGE and put the line
//   into the field (oracle). A letter in a dropped drop-down list moves the selection the same way
//   and leaves the list open (Wine chooses the line and closes the list, which no user expects).
// - Notifications, in the order Wine sends them for the same user actions (oracle), none of them
//   for the program's own CB_SETCURSEL, CB_SELECTSTRING or WM_SETTEXT (docs):
//   dropping: CBN_DROPDOWN before the list shows. A click on a line or Enter: CBN_SELENDOK,
//   CBN_CLOSEUP, then CBN_SELCHANGE when the chosen line is not the one the field showed. Escape,
//   a click outside the list, F4, Alt+Up/Down or CB_SHOWDROPDOWN(FALSE): CBN_SELENDCANCEL,
//   CBN_CLOSEUP. Losing the focus: CBN_SELENDCANCEL, (CBN_CLOSEUP when dropped,) CBN_KILLFOCUS.
//   Arrows or a letter on a closed combo box: CBN_SELENDOK, CBN_SELCHANGE (docs: "CBN_SELENDOK is
//   sent before every CBN_SELCHANGE"). Typing: CBN_EDITUPDATE before the field shows the text,
//   CBN_EDITCHANGE after (docs).
// - A line the pointer merely passed over is never chosen by closing: the list goes back to the
//   line the field shows (Wine leaves the field and CB_GETCURSEL disagreeing). Escape goes back to
//   the line selected before dropping, and says CBN_SELCHANGE after CBN_CLOSEUP when that differs
//   from what the parent was last told.
// - Typing into the edit field of a closed combo box leaves no selection (CB_GETCURSEL is CB_ERR;
//   docs: "there is no current selection ... if the user has edited the contents"); while dropped,
//   the list selects the first line that begins with the text, or none (oracle), and Enter then
//   puts that line into the field.
// - WM_GETDLGCODE: DLGC_WANTARROWS | DLGC_WANTCHARS, with DLGC_WANTMESSAGE for Enter and Escape
//   while dropped, so the dialog's default and cancel buttons do not see them; the edit field
//   answers the same with DLGC_HASSETSEL (oracle: 0x81, 0x85; 0x89, 0x8D). Focus given to the combo
//   box goes to its edit field with all its text selected (oracle).
// - CB_SETCURSEL beyond the end or -1 clears the selection and the field and returns CB_ERR (docs).
//   WM_SETTEXT sets the edit field and keeps the selection (docs); without an edit field it is
//   CB_ERR (docs), and WM_GETTEXT gives the selected line. CB_LIMITTEXT always answers TRUE, 0 means
//   0x7FFFFFFE, and the field's default limit is 30,000 (docs). Deleting the selected line leaves
//   the field's text; CB_RESETCONTENT empties it (oracle).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/window/Window.h"
#include "platform/window/controls/ComboBoxMessages.h"
#include "platform/window/controls/ListBoxControl.h"

namespace win {

class ComboEdit;
class ComboListBox;

class ComboBoxControl : public Window, private ListBoxHost {
public:
    ComboBoxControl();
    ~ComboBoxControl() override;

    // The operations behind the CB_ messages, in the framework's CComboBox shape.
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int AddString(std::string_view text);
    int InsertString(int index, std::string_view text);
    int DeleteString(int index);
    void ResetContent();
    int GetLBTextLen(int index) const;
    // Copies at most size - 1 bytes and a terminating NUL; CB_ERR for a bad index or buffer.
    int GetLBText(int index, char* buffer, int size) const;
    int GetLBText(int index, std::string& text) const;
    int FindString(int startAfter, std::string_view prefix) const;
    int FindStringExact(int startAfter, std::string_view text) const;
    int SelectString(int startAfter, std::string_view prefix);
    BOOL GetDroppedState() const { return dropped_ ? TRUE : FALSE; }
    void ShowDropDown(BOOL show = TRUE);

    // The parts, for tests and for the code that lays them out: the edit field (null in a
    // drop-down list) and the dropped list, a top-level window that is hidden while closed.
    Window* EditField() const;
    ListBoxControl* DroppedList() const;
    // In client coordinates.
    Rect ButtonRect() const;
    Rect FieldRect() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(DC*) override { return TRUE; }
    void OnLButtonDown(UINT flags, Point point) override;
    void OnLButtonUp(UINT flags, Point point) override;
    void OnMouseMove(UINT flags, Point point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnSetFocus(Window* oldFocus) override;
    void OnKillFocus(Window* newFocus) override;
    void OnCaptureChanged(Window* newCapture) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnEnable(BOOL enable) override;

private:
    friend class ComboEdit;
    friend class ComboListBox;

    // How a dropped list goes away: with the list's line, back to the line the field shows, or back
    // to the line selected before dropping.
    enum class Close { Choose, Keep, Restore };

    bool HasEdit() const { return edit_ != nullptr; }
    // Keeps the remembered lines on their lines when one goes in before them.
    int LineInserted(int index);
    bool IsDropList() const { return (GetStyle() & CBS_TYPEMASK) == CBS_DROPDOWNLIST; }
    // False when the parent's handler destroyed the combo box (the object may be gone too).
    bool Notify(int code);
    UINT DlgCode(const MSG* msg) const;

    // Heights (ComboBoxControl.cpp).
    int ClosedHeight() const { return fieldHeight_ + 4; }
    void FitClosedHeight();
    void LayoutParts();
    Rect ListRectOnScreen() const;

    // The field: shows `index`'s line (or nothing) without telling the parent of it.
    void ShowLineInField(int index);
    void SetFieldText(std::string_view text);
    void SyncWindowText();
    void OnEditNotify(UINT code);

    // Dropping and closing, keys and focus (ComboBoxInput.cpp).
    bool Drop();
    bool CloseList(Close how);
    // A key meant for the combo box; false when it is not one (the edit field handles it then).
    bool HandleKey(UINT key, bool alt);
    void ForwardToList(UINT message, WPARAM wParam);
    void FocusEntered();
    void FocusLeaving(Window* newFocus);
    void EndButtonTracking();
    bool OwnsWindow(const Window* window) const;

    // ListBoxHost: the dropped list's moves and choices.
    void OnListSelChange(int index) override;
    void OnListChoice(int index) override;
    void OnListCancel() override;

    std::unique_ptr<ComboEdit> edit_;
    std::unique_ptr<ComboListBox> list_;
    int fieldHeight_ = 17;
    int droppedHeight_ = 0;  // the whole control with its list dropped, as created
    bool listScrollBar_ = false;  // created with WS_VSCROLL: the dropped list's
    bool resizing_ = false;
    bool dropped_ = false;
    bool focused_ = false;
    bool settingText_ = false;  // the combo box itself is writing the edit field
    bool fromKeyboard_ = false;  // a key handed to the list is moving its selection
    int shownLine_ = -1;         // the line the field shows, as the parent was last told
    int lineBeforeDrop_ = -1;
    std::string textBeforeDrop_;
    bool trackingButton_ = false;
    bool buttonPressed_ = false;
};

}  // namespace win

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "platform/window/controls/ComboBoxControl.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

constexpr int kPortId = 1031;     // drop-down with edit field
constexpr int kChannelId = 1032;  // drop-down list

using Notes = std::vector<int>;
constexpr int kOk = -100;  // the dialog's own commands, among the notifications
constexpr int kCancel = -101;

// A modeless dialog shaped like the automation dialog: it logs its combo boxes' notifications with
// the selection CB_GETCURSEL gives at that moment, and its OK and Cancel commands, without closing.
class ComboDialog : public Dialog {
public:
    explicit ComboDialog(DialogTemplate t, Window* owner) : Dialog(std::move(t), owner) {}
    Notes notes;
    std::vector<int> selections;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        const int id = LOWORD(wParam);
        if (id == kPortId || id == kChannelId) {
            notes.push_back(static_cast<std::int16_t>(HIWORD(wParam)));
            selections.push_back(static_cast<int>(GetDlgItem(id)->SendMessage(CB_GETCURSEL)));
            return TRUE;
        }
        if (id == IDOK || id == IDCANCEL) notes.push_back(id == IDOK ? kOk : kCancel);
        return TRUE;
    }
};

DialogTemplate ComboTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.caption = "Combo boxes";
    t.fontFace = "MS Sans Serif";
    t.x = 10;
    t.y = 10;
    t.cx = 172;
    t.cy = 120;
    t.items.push_back({"Static", "MIDI Port", 0xFFFF, WS_VISIBLE, 0, 5, 45, 31, 8});
    constexpr DWORD kStyle = WS_VISIBLE | WS_VSCROLL | WS_TABSTOP;
    t.items.push_back({"COMBOBOX", "", kPortId, kStyle | CBS_DROPDOWN, 0, 58, 43, 98, 88});
    t.items.push_back({"Static", "MIDI Channel", 0xFFFF, WS_VISIBLE, 0, 5, 77, 44, 8});
    t.items.push_back({"ComboBox", "", kChannelId, kStyle | CBS_DROPDOWNLIST, 0, 58, 75, 98, 80});
    t.items.push_back({"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 117, 100, 39, 14});
    return t;
}

class ComboBoxTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        owner.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 640, 480}, nullptr, 0);
        dialog = std::make_unique<ComboDialog>(ComboTemplate(), &owner);
        ASSERT_TRUE(dialog->CreateModeless());
        port = static_cast<ComboBoxControl*>(dialog->GetDlgItem(kPortId));
        channel = static_cast<ComboBoxControl*>(dialog->GetDlgItem(kChannelId));
        for (const char* name : {"Port 1", "Port 2", "Port 3", "Port 4", "Alpha", "Beta", "Bravo"}) {
            port->AddString(name);
            channel->AddString(name);
        }
        Pump();
        Clear();
    }
    void Clear() {
        dialog->notes.clear();
        dialog->selections.clear();
    }
    const Notes& notes() const { return dialog->notes; }

    static Point ButtonPoint(const ComboBoxControl* combo) {
        const Rect r = combo->ButtonRect();
        Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        combo->ClientToScreen(&p);
        return p;
    }
    static Point LinePoint(const ComboBoxControl* combo, int index) {
        Rect r;
        combo->DroppedList()->GetItemRect(index, &r);
        Point p{r.left + 20, (r.top + r.bottom) / 2};
        combo->DroppedList()->ClientToScreen(&p);
        return p;
    }
    void MoveTo(Point p) {
        InjectMouseMove(p);
        Pump();
    }
    bool ListShown(const ComboBoxControl* combo) const { return combo->DroppedList()->IsWindowVisible() != FALSE; }

    Window owner;
    std::unique_ptr<ComboDialog> dialog;
    ComboBoxControl* port = nullptr;
    ComboBoxControl* channel = nullptr;
};

TEST_F(ComboBoxTest, ButtonAltArrowsAndF4OpenAndCloseTheList) {
    ASSERT_EQ(Window::GetFocus(), port->EditField());
    ClickAt(ButtonPoint(port));
    EXPECT_TRUE(port->GetDroppedState());
    EXPECT_TRUE(ListShown(port));
    EXPECT_EQ(Window::GetCapture(), port->DroppedList());
    EXPECT_EQ(Window::GetFocus(), port->EditField());  // the focus stays in the field
    EXPECT_EQ(notes(), (Notes{CBN_DROPDOWN}));
    Press(VK_F4);
    EXPECT_FALSE(ListShown(port));
    EXPECT_EQ(Window::GetCapture(), nullptr);
    AltPress(VK_DOWN);
    EXPECT_TRUE(port->SendMessage(CB_GETDROPPEDSTATE));
    AltPress(VK_UP);
    Press(VK_F4);
    Press(VK_F4);
    port->SendMessage(CB_SHOWDROPDOWN, TRUE);
    port->SendMessage(CB_SHOWDROPDOWN, FALSE);
    EXPECT_FALSE(port->GetDroppedState());
    const Notes cycle{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP};
    Notes expected;
    for (int i = 0; i < 4; ++i) expected.insert(expected.end(), cycle.begin(), cycle.end());
    EXPECT_EQ(notes(), expected);
}

TEST_F(ComboBoxTest, ChoosingALineWithTheMouse) {
    port->SetCurSel(1);
    ClickAt(ButtonPoint(port));
    // Passing over lines selects them in the list only: nothing is said, the field stays.
    MoveTo(LinePoint(port, 4));
    MoveTo(LinePoint(port, 2));
    EXPECT_EQ(port->GetCurSel(), 2);
    EXPECT_EQ(port->GetWindowText(), "Port 2");
    ClickAt(LinePoint(port, 2));
    EXPECT_FALSE(ListShown(port));
    EXPECT_EQ(port->GetWindowText(), "Port 3");
    EXPECT_EQ(notes(), (Notes{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(dialog->selections, (std::vector<int>{1, 2, 2, 2}));

    // Pressing the button and letting go over a line chooses it in one stroke.
    Clear();
    InjectMouseMove(ButtonPoint(port));
    InjectMouseButton(ButtonPoint(port), 0, true);
    Pump();
    MoveTo(LinePoint(port, 5));
    InjectMouseButton(LinePoint(port, 5), 0, false);
    Pump();
    EXPECT_EQ(port->GetWindowText(), "Beta");
    EXPECT_EQ(notes(), (Notes{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(Window::GetCapture(), nullptr);
}

TEST_F(ComboBoxTest, KeysWhileDroppedAndEnterStayWithTheCombo) {
    port->SetCurSel(0);
    Press(VK_F4);
    Press(VK_DOWN);
    EXPECT_EQ(port->GetWindowText(), "Port 2");  // each key puts its line into the field
    Press(VK_DOWN);
    Press(VK_END);  // the edit field's: the caret goes to the end
    EXPECT_EQ(port->GetCurSel(), 2);
    Press(VK_RETURN);
    EXPECT_FALSE(port->GetDroppedState());
    EXPECT_EQ(port->GetWindowText(), "Port 3");
    EXPECT_EQ(notes(), (Notes{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    // Closed, Enter is the dialog's again.
    Clear();
    Press(VK_RETURN);
    EXPECT_EQ(notes(), (Notes{kOk}));
    EXPECT_EQ(port->SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS));
}

TEST_F(ComboBoxTest, EscapeAndOutsideClicksCancel) {
    port->SetCurSel(1);
    Press(VK_F4);
    Press(VK_DOWN);
    Press(VK_DOWN);
    Press(VK_ESCAPE);
    EXPECT_EQ(port->GetCurSel(), 1);
    EXPECT_EQ(port->GetWindowText(), "Port 2");
    EXPECT_EQ(notes(),
              (Notes{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_SELCHANGE}));
    Clear();
    Press(VK_ESCAPE);
    EXPECT_EQ(notes(), (Notes{kCancel}));

    // A click outside closes the list and is used up; the line under the pointer is not taken.
    Clear();
    ClickAt(ButtonPoint(port));
    MoveTo(LinePoint(port, 5));
    ClickAt({port->WindowRect().left - 20, port->WindowRect().top + 5});
    EXPECT_FALSE(ListShown(port));
    EXPECT_EQ(port->GetCurSel(), 1);
    EXPECT_EQ(notes(), (Notes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(Window::GetFocus(), port->EditField());

    // Leaving by Tab while dropped closes it too.
    Clear();
    Press(VK_F4);
    Press(VK_TAB);
    EXPECT_FALSE(ListShown(port));
    EXPECT_EQ(notes(), (Notes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS, CBN_SETFOCUS}));
}

TEST_F(ComboBoxTest, TypingLeavesNoSelectionAndTheProgramsChangesSayNothing) {
    port->SetCurSel(2);
    port->SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("al"));
    EXPECT_EQ(port->GetWindowText(), "Alpha");
    port->SetWindowText("Port 9");
    EXPECT_EQ(port->GetCurSel(), 4);  // WM_SETTEXT keeps the selection
    EXPECT_EQ(port->SendMessage(CB_SETCURSEL, 7), CB_ERR);  // beyond the end: none, and an empty field
    EXPECT_EQ(port->GetCurSel(), CB_ERR);
    EXPECT_EQ(port->GetWindowText(), "");
    EXPECT_EQ(port->SendMessage(CB_SETCURSEL, 3), 3);
    EXPECT_TRUE(notes().empty());

    Press('P');  // even text that begins a line is no selection
    EXPECT_EQ(port->GetWindowText(), "p");
    EXPECT_EQ(port->GetCurSel(), CB_ERR);
    EXPECT_EQ(notes(), (Notes{CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(dialog->selections, (std::vector<int>{CB_ERR, CB_ERR}));

    // While dropped the list shows the first line the text begins; Enter takes it.
    Clear();
    Press(VK_F4);
    Press('O');
    EXPECT_EQ(port->GetCurSel(), 0);
    Press(VK_RETURN);
    EXPECT_EQ(port->GetWindowText(), "Port 1");
    EXPECT_EQ(notes(), (Notes{CBN_DROPDOWN, CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));

    // Up and Down on the closed combo box step through the lines, as does the wheel.
    Clear();
    Press(VK_DOWN);
    EXPECT_EQ(port->GetWindowText(), "Port 2");
    port->EditField()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA));
    EXPECT_EQ(port->GetWindowText(), "Port 3");
    EXPECT_EQ(notes(), (Notes{CBN_SELENDOK, CBN_SELCHANGE, CBN_SELENDOK, CBN_SELCHANGE}));
}

TEST_F(ComboBoxTest, DropDownListSelectsByLetterAndArrowWithoutDropping) {
    channel->SetFocus();
    channel->SetCurSel(0);
    Clear();
    Press(VK_DOWN);
    EXPECT_EQ(channel->GetCurSel(), 1);
    EXPECT_EQ(channel->GetWindowText(), "Port 2");
    Press('B');
    EXPECT_EQ(channel->GetWindowText(), "Beta");
    Advance(1500);
    Press('B');
    EXPECT_EQ(channel->GetWindowText(), "Bravo");
    Press(VK_HOME);
    EXPECT_FALSE(channel->GetDroppedState());
    EXPECT_EQ(notes(), (Notes{CBN_SELENDOK, CBN_SELCHANGE, CBN_SELENDOK, CBN_SELCHANGE, CBN_SELENDOK, CBN_SELCHANGE,
                              CBN_SELENDOK, CBN_SELCHANGE}));
    EXPECT_EQ(channel->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")), CB_ERR);
    EXPECT_EQ(channel->SendMessage(CB_GETEDITSEL), CB_ERR);

    // A click anywhere on it drops it; while dropped End moves the list's selection.
    Clear();
    Point field{10, 8};
    channel->ClientToScreen(&field);
    ClickAt(field);
    EXPECT_TRUE(channel->GetDroppedState());
    MoveTo(LinePoint(channel, 3));
    EXPECT_EQ(channel->GetWindowText(), "Port 1");  // the field does not follow the pointer
    Press(VK_END);
    Press(VK_RETURN);
    EXPECT_EQ(channel->GetWindowText(), "Bravo");
    EXPECT_EQ(notes(), (Notes{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, HeightsFollowTheFontAndTheTemplate) {
    // 98 x 88 dialog units with "MS Sans Serif" 8 pt (6 x 13 base units): 147 x 143 pixels dropped.
    EXPECT_EQ(port->SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), 17);
    EXPECT_EQ(port->SendMessage(CB_GETITEMHEIGHT, 0), 13);
    EXPECT_EQ(port->WindowRect().Height(), 21);
    EXPECT_EQ(port->WindowRect().Width(), 147);
    Press(VK_F4);
    const Rect list = port->DroppedList()->WindowRect();
    EXPECT_EQ(list.TopLeft(), (Point{port->WindowRect().left, port->WindowRect().bottom}));
    EXPECT_EQ(list.Width(), 147);
    EXPECT_EQ(list.Height(), 7 * 13 + 2);  // no higher than its seven lines need
    EXPECT_FALSE(port->DroppedList()->GetStyle() & WS_VSCROLL);
    Press(VK_F4);

    // Fifty lines: whole lines within the 143 - 21 pixels below the field, and a scroll bar.
    for (int i = 0; i < 43; ++i) port->AddString("Line " + std::to_string(i));
    port->SetCurSel(40);
    Press(VK_F4);
    ListBoxControl* dropped = port->DroppedList();
    EXPECT_EQ(dropped->WindowRect().Height(), 9 * 13 + 2);
    EXPECT_TRUE(dropped->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(dropped->GetTopIndex(), 40);  // the selected line at the top, as far as it goes
    EXPECT_EQ(dropped->ClassName(), "ComboLBox");
    EXPECT_EQ(dropped->GetOwner(), dialog.get());
    Press(VK_ESCAPE);

    // Without room below on the screen the list opens above the field.
    dialog->MoveWindow(10, 768 - 140, dialog->WindowRect().Width(), dialog->WindowRect().Height());
    Press(VK_F4);
    EXPECT_EQ(dropped->WindowRect().bottom, port->WindowRect().top);
    Press(VK_F4);
}

TEST_F(ComboBoxTest, TextCopiesStayInsideTheirBuffers) {
    const std::string line = "Bravo";
    const int index = port->FindStringExact(-1, line);
    ASSERT_EQ(port->GetLBTextLen(index), 5);
    const int len = static_cast<int>(line.size());
    for (int size : {len - 1, len, len + 1}) {
        std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '#');  // the last byte is the canary
        const int copied = port->GetLBText(index, buffer.data(), size);
        EXPECT_EQ(copied, std::min(len, size - 1));
        EXPECT_EQ(std::string(buffer.data()), line.substr(0, static_cast<std::size_t>(copied)));
        EXPECT_EQ(buffer.back(), '#') << size;
    }
    std::vector<char> exact(static_cast<std::size_t>(len) + 2, '#');
    EXPECT_EQ(port->SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(exact.data())), len);
    EXPECT_STREQ(exact.data(), "Bravo");
    EXPECT_EQ(exact.back(), '#');
    EXPECT_EQ(port->SendMessage(CB_GETLBTEXT, 7, reinterpret_cast<LPARAM>(exact.data())), CB_ERR);
    EXPECT_EQ(port->SendMessage(CB_GETLBTEXTLEN, 7), CB_ERR);

    // WM_GETTEXT of the edit field and of a drop-down list's selected line.
    port->SetCurSel(index);
    channel->SetCurSel(index);
    for (ComboBoxControl* combo : {port, channel}) {
        ASSERT_EQ(combo->SendMessage(WM_GETTEXTLENGTH), len);
        for (int size : {len - 1, len, len + 1}) {
            std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '#');
            const LRESULT copied =
                combo->SendMessage(WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer.data()));
            EXPECT_EQ(copied, std::min(len, size - 1));
            EXPECT_EQ(buffer[static_cast<std::size_t>(copied)], '\0');
            EXPECT_EQ(buffer.back(), '#') << size;
        }
    }
}

TEST_F(ComboBoxTest, FocusTabAndDialogCodes) {
    port->SetCurSel(3);
    channel->SetFocus();
    Clear();
    InjectKey(VK_SHIFT, true);
    InjectKeyPress(VK_TAB);
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(Window::GetFocus(), port->EditField());
    EXPECT_EQ(port->SendMessage(CB_GETEDITSEL), MAKELPARAM(0, 6));  // all of "Port 4"
    Press(VK_TAB);
    EXPECT_EQ(notes(),
              (Notes{CBN_SELENDCANCEL, CBN_KILLFOCUS, CBN_SETFOCUS, CBN_SELENDCANCEL, CBN_KILLFOCUS, CBN_SETFOCUS}));

    MSG enter{port->EditField()->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    Window* edit = port->EditField();
    EXPECT_EQ(edit->SendMessage(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), 0x89);
    port->ShowDropDown();
    EXPECT_EQ(edit->SendMessage(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), 0x8D);
    EXPECT_EQ(port->SendMessage(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), 0x85);
    port->ShowDropDown(FALSE);

    // Disabled: the field goes grey, the button does nothing.
    port->EnableWindow(FALSE);
    EXPECT_FALSE(edit->IsWindowEnabled());
    Pump();
    const Point inField = edit->ClientOriginOnScreen() + Point{edit->ClientRect().right - 2, 2};
    EXPECT_EQ(FromDisplay(Desktop::Instance().Compose().GetPixel(inField.x, inField.y)), GetSysColor(COLOR_BTNFACE));
    ClickAt(ButtonPoint(port));
    EXPECT_FALSE(port->GetDroppedState());
}

// A parent may destroy the combo box from any notification (a dialog that closes on a choice); the
// combo box, deleting itself with its window as template controls do, must not touch itself again.
TEST_F(ComboBoxTest, AParentMayDestroyTheComboFromEveryNotification) {
    class Destroyer : public Window {
    public:
        int code = 0;
        Window* combo = nullptr;

    protected:
        BOOL OnCommand(WPARAM wParam, LPARAM) override {
            if (combo && static_cast<std::int16_t>(HIWORD(wParam)) == code) combo->DestroyWindow();
            return TRUE;
        }
    };
    for (int code : {CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP, CBN_EDITUPDATE,
                     CBN_EDITCHANGE, CBN_SELENDCANCEL, CBN_KILLFOCUS}) {
        for (DWORD type : {CBS_DROPDOWN, CBS_DROPDOWNLIST}) {
            if (type == CBS_DROPDOWNLIST && (code == CBN_EDITUPDATE || code == CBN_EDITCHANGE)) continue;
            Destroyer parent;
            parent.code = code;
            parent.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 300, 200}, nullptr, 0);
            auto* combo = new ComboBoxControl();
            combo->SetAutoDelete(true);
            const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | type;
            ASSERT_TRUE(combo->Create("ComboBox", "", style, {10, 10, 110, 150}, &parent, 7));
            for (const char* line : {"one", "two", "three"}) combo->AddString(line);
            const HWND handle = combo->GetSafeHwnd();
            parent.combo = combo;
            const Point button = ButtonPoint(combo);
            combo->SetFocus();
            for (UINT key : {VK_F4, VK_DOWN, VK_RETURN, VK_DOWN, UINT('T'), VK_F4, VK_ESCAPE}) Press(key);
            if (IsWindow(handle)) ClickAt(button);
            if (IsWindow(handle)) ClickAt({button.x, button.y + 30});
            if (IsWindow(handle)) owner.SetFocus();
            Pump();
            EXPECT_FALSE(IsWindow(handle)) << code;
        }
    }
}

// The picture to look at: the automation dialog's two combo boxes, the channel list focused and
// dropped with its scroll bar, the pointer over one of its lines.
TEST_F(ComboBoxTest, Screenshot) {
    Desktop::Instance().SetSize({400, 300});
    dialog->MoveWindow(10, 10, dialog->WindowRect().Width(), dialog->WindowRect().Height());
    channel->ResetContent();
    for (int i = 1; i <= 16; ++i) channel->AddString(std::to_string(i));
    channel->SetCurSel(4);
    port->SetCurSel(1);
    channel->SetFocus();
    Pump();
    const Bitmap& screen = Desktop::Instance().Compose();
    Rect button = channel->ButtonRect();
    channel->ClientToScreen(&button);
    EXPECT_EQ(FromDisplay(screen.GetPixel((button.left + button.right) / 2 - 1, (button.top + button.bottom) / 2 - 1)),
              GetSysColor(COLOR_BTNTEXT));  // the arrow
    Rect field = channel->FieldRect();
    channel->ClientToScreen(&field);
    EXPECT_EQ(FromDisplay(screen.GetPixel(field.right - 3, field.top + 3)), GetSysColor(COLOR_HIGHLIGHT));

    Press(VK_F4);
    MoveTo(LinePoint(channel, 6));
    Desktop::Instance().Compose();
    const Rect list = channel->DroppedList()->WindowRect();
    EXPECT_TRUE(channel->DroppedList()->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(FromDisplay(screen.GetPixel(list.left, list.bottom - 1)), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(FromDisplay(screen.GetPixel(list.left + 30, LinePoint(channel, 6).y)), GetSysColor(COLOR_HIGHLIGHT));
    auto path = std::filesystem::path(KVX4_BIN_DIR) / "combobox-screenshot.png";
    ASSERT_TRUE(Desktop::Instance().SaveScreenshot(path.string()));
}

}  // namespace

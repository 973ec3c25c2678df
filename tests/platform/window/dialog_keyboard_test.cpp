// The dialog manager's keyboard: mnemonics on labels, group boxes and buttons (with Alt, or alone
// where the focus does not take characters), tab order past statics and group boxes, and the whole
// text of an edit selected when the focus enters it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/ControlMessages.h"
#include "platform/window/Dialog.h"
#include "tests/support/DialogTestControls.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;
using testsupport::kEditClass;
using testsupport::SelectingEdit;

namespace {

constexpr UINT kStatic = 0xFFFF;

// Records the buttons that report BN_CLICKED.
class RecordingDialog : public Dialog {
public:
    using Dialog::Dialog;
    std::vector<int> clicked;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == BN_CLICKED && lParam) clicked.push_back(LOWORD(wParam));
        return Dialog::OnCommand(wParam, lParam);
    }
};

class DialogKeyboardTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        testsupport::RegisterDialogTestControls();
        owner.Create(nullptr, "Owner", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {0, 0, 600, 400}, nullptr, 0);
        Pump();
    }

    // A shown modeless dialog from these controls, with the keyboard through its PreTranslateMessage.
    RecordingDialog& Open(std::vector<DialogItemTemplate> items) {
        DialogTemplate t;
        t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE;
        t.caption = "Keys";
        t.fontFace = "MS Sans Serif";
        t.cx = 200;
        t.cy = 160;
        int y = 4;
        for (DialogItemTemplate& item : items) {
            item.style |= WS_VISIBLE;
            item.x = 4;
            item.y = y;
            item.cx = 90;
            item.cy = 10;
            y += 12;
        }
        t.items = std::move(items);
        dialog = std::make_unique<RecordingDialog>(t, &owner);
        EXPECT_TRUE(dialog->CreateModeless());
        Pump();
        return *dialog;
    }

    int FocusId() const { return Window::GetFocus() ? Window::GetFocus()->GetDlgCtrlID() : 0; }
    SelectingEdit& Edit(int id) { return *dynamic_cast<SelectingEdit*>(dialog->GetDlgItem(id)); }

    Window owner;
    std::unique_ptr<RecordingDialog> dialog;
};

const std::pair<WPARAM, LPARAM> kSelectAll{0, -1};

TEST_F(DialogKeyboardTest, LabelMnemonicMovesTheFocusToTheNextTabStopAfterTheLabel) {
    Open({
        {"Static", "&Alpha", kStatic, 0},
        {kEditClass, "a", 10, WS_TABSTOP},
        {"Static", "&Beta", kStatic, 0},
        {"Static", "Plain", kStatic, 0},
        {kEditClass, "off", 11, WS_TABSTOP | WS_DISABLED},
        {kEditClass, "hidden", 12, WS_TABSTOP},
        {"Button", "No tab stop", 14, BS_PUSHBUTTON},
        {kEditClass, "b", 13, WS_TABSTOP},
        {"Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON},
        {"Static", "&Zed", kStatic, 0},
    });
    dialog->GetDlgItem(12)->ShowWindow(SW_HIDE);
    ASSERT_EQ(FocusId(), 10);

    AltPress('B');
    EXPECT_EQ(FocusId(), 13);
    EXPECT_EQ(Edit(13).selections.back(), kSelectAll);
    AltPress('A');
    EXPECT_EQ(FocusId(), 10);
    // The last label has nothing after it: the search wraps to the first tab stop.
    dialog->GetDlgItem(IDOK)->SetFocus();
    AltPress('Z');
    EXPECT_EQ(FocusId(), 10);

    // Without Alt the letter is a mnemonic only where the focus takes no characters.
    dialog->GetDlgItem(IDOK)->SetFocus();
    Press('B');
    EXPECT_EQ(FocusId(), 13);
    Press('A');
    EXPECT_EQ(FocusId(), 13);
    EXPECT_EQ(dialog->GetDlgItem(13)->GetWindowText(), "ba");
    // An Alt+letter that names nothing changes nothing and types nothing.
    AltPress('Q');
    EXPECT_EQ(FocusId(), 13);
    EXPECT_EQ(dialog->GetDlgItem(13)->GetWindowText(), "ba");
}

TEST_F(DialogKeyboardTest, GroupBoxIsNeverATabStopAndItsMnemonicEntersTheGroup) {
    Open({
        {kEditClass, "before", 10, WS_TABSTOP},
        {"Button", "&Group", 20, BS_GROUPBOX | WS_TABSTOP | WS_GROUP},
        {"Static", "&Inner label", kStatic, 0},
        {kEditClass, "inside", 21, WS_TABSTOP},
        {"Static", "&Tabbed label", 22, WS_TABSTOP},
        {"Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON | WS_GROUP},
    });
    EXPECT_EQ(GetNextDlgTabItem(dialog.get(), nullptr, false), dialog->GetDlgItem(10));
    std::vector<int> order;
    for (int i = 0; i < 4; ++i) {
        Press(VK_TAB);
        order.push_back(FocusId());
    }
    EXPECT_EQ(order, (std::vector<int>{21, IDOK, 10, 21}));
    InjectKey(VK_SHIFT, true);
    InjectKeyPress(VK_TAB);
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(FocusId(), 10);

    AltPress('G');
    EXPECT_EQ(FocusId(), 21);
    EXPECT_EQ(Edit(21).selections.back(), kSelectAll);
    dialog->GetDlgItem(IDOK)->SetFocus();
    AltPress('I');
    EXPECT_EQ(FocusId(), 21);
}

TEST_F(DialogKeyboardTest, ButtonMnemonicsPressTheButton) {
    Open({
        {kEditClass, "text", 10, WS_TABSTOP},
        {"Button", "Reset A&ll", 1027, WS_TABSTOP | BS_PUSHBUTTON},
        {"Button", "&Check", 30, WS_TABSTOP | BS_AUTOCHECKBOX},
        {"Button", "&Radio one", 31, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
        {"Button", "Radio &two", 32, BS_AUTORADIOBUTTON},
    });
    AltPress('L');
    EXPECT_EQ(dialog->clicked, (std::vector<int>{1027}));
    EXPECT_EQ(FocusId(), 1027);
    Press('C');  // the focus is on a button: the letter alone is enough
    EXPECT_EQ(dialog->GetDlgItem(30)->SendMessage(BM_GETCHECK), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(FocusId(), 30);
    AltPress('T');
    AltPress('R');
    EXPECT_EQ(dialog->GetDlgItem(31)->SendMessage(BM_GETCHECK), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(dialog->GetDlgItem(32)->SendMessage(BM_GETCHECK), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(dialog->clicked, (std::vector<int>{1027, 30, 32, 31}));
}

TEST_F(DialogKeyboardTest, DoubledAmpersandsAndNoPrefixLabelsAreNoMnemonics) {
    Open({
        {kEditClass, "start", 10, WS_TABSTOP},
        {"Static", "Salt && &Pepper", kStatic, 0},
        {kEditClass, "p", 11, WS_TABSTOP},
        {"Static", "a&&b", kStatic, 0},
        {kEditClass, "ab", 12, WS_TABSTOP},
        {"Static", "&Noprefix", kStatic, SS_NOPREFIX},
        {kEditClass, "n", 13, WS_TABSTOP},
    });
    AltPress('S');
    EXPECT_EQ(FocusId(), 10);
    AltPress('B');
    EXPECT_EQ(FocusId(), 10);
    AltPress('N');
    EXPECT_EQ(FocusId(), 10);
    AltPress('P');
    EXPECT_EQ(FocusId(), 11);
}

TEST_F(DialogKeyboardTest, EnteringAnEditSelectsAllOfItsText) {
    Open({
        {kEditClass, "first", 10, WS_TABSTOP},
        {"Button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON},
        {kEditClass, "second", 11, WS_TABSTOP},
    });
    // The initial focus of an initialisation that returns TRUE.
    EXPECT_EQ(FocusId(), 10);
    EXPECT_EQ(Edit(10).selections, (std::vector<std::pair<WPARAM, LPARAM>>{kSelectAll}));
    Press(VK_TAB);
    Press(VK_TAB);
    EXPECT_EQ(FocusId(), 11);
    EXPECT_EQ(Edit(11).selections, (std::vector<std::pair<WPARAM, LPARAM>>{kSelectAll}));
    InjectKey(VK_SHIFT, true);
    InjectKeyPress(VK_TAB);
    InjectKeyPress(VK_TAB);
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(FocusId(), 10);
    EXPECT_EQ(Edit(10).selections.size(), 2u);
    // A focus set by the program selects nothing; WM_NEXTDLGCTL does.
    dialog->GetDlgItem(11)->SetFocus();
    EXPECT_EQ(Edit(11).selections.size(), 1u);
    dialog->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(FocusId(), 10);
    EXPECT_EQ(Edit(10).selections.size(), 3u);
    // Enter in an edit presses the default button, whose OK ends the modeless dialog: hidden, not
    // destroyed, as on Windows.
    Press(VK_RETURN);
    ASSERT_NE(dialog->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(dialog->IsWindowVisible());
}

}  // namespace

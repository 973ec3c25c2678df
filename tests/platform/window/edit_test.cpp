#include <gtest/gtest.h>

#include <cstring>

#include "platform/window/Clipboard.h"
#include "platform/window/Dialog.h"
#include "tests/platform/window/EditFixture.h"

using namespace win;
using testsupport::EditTest;
using testsupport::Range;

namespace {

using Codes = std::vector<UINT>;

TEST_F(EditTest, TypingAndTheEditingKeys) {
    Type("Hello world");
    EXPECT_EQ(Sel(), Range(11, 11));
    Press(VK_BACK);
    Press(VK_HOME);
    Press(VK_DELETE);
    Press(VK_RIGHT);
    Type("E");
    Press(VK_END);
    Press(VK_LEFT);
    Press(VK_UP);  // Up and Down move as Left and Right do
    Type("_");
    Press(VK_DOWN);
    Type("!");
    EXPECT_EQ(Text(), "eEllo wo_r!l");

    // Windows-1252 bytes are characters; Enter, Tab, Escape, Ctrl+A and DEL insert nothing.
    Type("\xE9\x80");
    const Range before = Sel();
    Press(VK_RETURN);
    Press(VK_TAB);
    Press(VK_ESCAPE);
    PressWith(VK_CONTROL, 'A');
    PressWith(VK_CONTROL, VK_BACK);
    EXPECT_EQ(Text(), "eEllo wo_r!\xE9\x80l");
    EXPECT_EQ(Sel(), before);
}

TEST_F(EditTest, SelectionByShiftKeysWordsAndSetSel) {
    SetText("one two  three.four");
    Select(5, 2);  // anchor 5, caret 2
    EXPECT_EQ(Sel(), Range(2, 5));
    PressWith(VK_SHIFT, VK_RIGHT);
    EXPECT_EQ(Sel(), Range(3, 5));
    PressWith(VK_SHIFT, VK_END);
    EXPECT_EQ(Sel(), Range(5, 19));
    PressWith(VK_SHIFT, VK_HOME);
    EXPECT_EQ(Sel(), Range(0, 5));
    Select(2, 5);
    Press(VK_RIGHT);  // from the caret, not from the selection's edge
    EXPECT_EQ(Sel(), Range(6, 6));

    Press(VK_HOME);
    std::vector<DWORD> stops;
    for (int i = 0; i < 4; ++i) {
        PressWith(VK_CONTROL, VK_RIGHT);
        stops.push_back(Sel().first);
    }
    EXPECT_EQ(stops, (std::vector<DWORD>{4, 9, 19, 19}));  // only blanks end a word
    PressWith(VK_CONTROL, VK_LEFT);
    InjectKey(VK_SHIFT, true);
    PressWith(VK_CONTROL, VK_LEFT);
    InjectKey(VK_SHIFT, false);
    EXPECT_EQ(Sel(), Range(4, 9));

    Select(0, -1);
    EXPECT_EQ(edit->SendMessage(EM_GETSEL), MAKELPARAM(0, 19));
    Select(1, 3);
    Select(-1, 7);  // deselects; the caret stays
    EXPECT_EQ(Sel(), Range(3, 3));
    Select(2, 100);
    EXPECT_EQ(Sel(), Range(2, 19));
    Select(4, -2);
    EXPECT_EQ(Sel(), Range(4, 19));
    EXPECT_EQ(edit->SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS));
}

TEST_F(EditTest, ClicksDragsAndDoubleClicks) {
    SetText("one two  three.four, five");
    ClickAt(ScreenPointAt(XOf(5) + 1));
    EXPECT_EQ(Sel(), Range(5, 5));
    InjectMouseButton(ScreenPointAt(XOf(1) + 1), 0, true);
    InjectMouseMove(ScreenPointAt(XOf(3) + 1));
    Pump();
    EXPECT_EQ(Window::GetCapture(), edit.get());
    InjectMouseButton(ScreenPointAt(XOf(3) + 1), 0, false);
    Pump();
    EXPECT_EQ(Window::GetCapture(), nullptr);
    EXPECT_EQ(Sel(), Range(1, 3));
    InjectKey(VK_SHIFT, true);
    ClickAt(ScreenPointAt(XOf(6) + 1));
    InjectKey(VK_SHIFT, false);
    EXPECT_EQ(Sel(), Range(1, 6));

    // The word under the pointer with the blanks after it; punctuation belongs to the word.
    for (auto [at, word] : {std::pair{8, Range(4, 9)}, std::pair{12, Range(9, 21)}}) {
        Advance(1000);
        ClickAt(ScreenPointAt(XOf(at) + 1));
        ClickAt(ScreenPointAt(XOf(at) + 1));
        EXPECT_EQ(Sel(), word);
    }
}

TEST_F(EditTest, NotificationsFollowWindowsRules) {
    Type("a");
    ASSERT_EQ(owner.codes, (Codes{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(owner.editPainted, (std::vector<bool>{false, true}));  // update before the repaint, change after

    // What leaves the text as it was tells nothing.
    owner.Clear();
    Press(VK_HOME);
    Press(VK_BACK);
    Press(VK_END);
    Press(VK_DELETE);
    edit->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(""));
    EXPECT_TRUE(owner.codes.empty());

    edit->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("bc"));
    EXPECT_EQ(edit->SendMessage(EM_GETMODIFY), TRUE);
    edit->SetWindowText("hello");
    edit->SetWindowText("hello");  // the same text notifies again
    EXPECT_EQ(owner.codes, (Codes{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(Sel(), Range(0, 0));
    EXPECT_EQ(edit->SendMessage(EM_GETMODIFY), FALSE);
    EXPECT_EQ(edit->SendMessage(EM_CANUNDO), FALSE);

    owner.Clear();
    Window other;
    other.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {200, 10, 250, 30}, &owner, 7);
    other.SetFocus();
    edit->SetFocus();
    EXPECT_EQ(owner.codes, (Codes{EN_KILLFOCUS, EN_SETFOCUS}));
}

TEST_F(EditTest, TextLimitCutsWhatTheUserEntersWithMaxText) {
    EXPECT_EQ(edit->SendMessage(EM_GETLIMITTEXT), static_cast<LRESULT>(EditText::kDefaultLimit));
    SetText("abc");
    edit->SendMessage(EM_SETLIMITTEXT, 5);
    Press(VK_END);
    Type("def");
    EXPECT_EQ(Text(), "abcde");
    EXPECT_EQ(owner.codes, (Codes{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_MAXTEXT}));

    owner.Clear();
    SetClipboardText("123");
    Select(0, 1);
    PressWith(VK_CONTROL, 'V');
    EXPECT_EQ(Text(), "1bcde");
    EXPECT_EQ(owner.codes, (Codes{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
    Select(0, 1);
    edit->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("XYZ"));
    EXPECT_EQ(Text(), "Xbcde");
    SetText("0123456789");  // the program is not limited
    EXPECT_EQ(Text(), "0123456789");
    edit->SendMessage(EM_SETLIMITTEXT, 0);
    EXPECT_EQ(edit->SendMessage(EM_GETLIMITTEXT), static_cast<LRESULT>(EditText::kMaximumLimit));

    // Without ES_AUTOHSCROLL the width is a limit too.
    MakeEdit(0, 60);
    Type(std::string(20, 'W'));
    EXPECT_GT(Text().size(), 0u);
    EXPECT_LT(Text().size(), 20u);
    EXPECT_EQ(owner.codes.back(), EN_MAXTEXT);
}

TEST_F(EditTest, UndoTakesBackATypingRunAndUndoingAgainRedoes) {
    SetText("ab");
    Press(VK_END);
    Type("cde");
    Press(VK_BACK);
    Type("X");
    PressWith(VK_CONTROL, 'Z');
    EXPECT_EQ(Text(), "ab");
    edit->SendMessage(WM_UNDO);
    EXPECT_EQ(Text(), "abcdX");
    Press(VK_LEFT);  // a caret move ends the run
    Type("Y");
    PressWith(VK_CONTROL, 'Z');
    EXPECT_EQ(Text(), "abcdX");
}

TEST_F(EditTest, TextCopiesIntoCallersBuffersWithinTheirSize) {
    SetText("abcdef");
    for (int size : {5, 6, 7}) {
        char buffer[10];
        std::memset(buffer, '#', sizeof buffer);
        const LRESULT copied = edit->SendMessage(WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer));
        EXPECT_EQ(copied, std::min(size - 1, 6));
        EXPECT_EQ(std::string(buffer), std::string("abcdef").substr(0, copied));
        EXPECT_EQ(buffer[size], '#') << "size " << size;
    }
    char untouched = '#';
    EXPECT_EQ(edit->SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&untouched)), 0);
    EXPECT_EQ(untouched, '#');

    char line[8];
    std::memset(line, '#', sizeof line);
    const WORD size = 3;
    std::memcpy(line, &size, sizeof size);
    EXPECT_EQ(edit->SendMessage(EM_GETLINE, 0, reinterpret_cast<LPARAM>(line)), 3);
    EXPECT_EQ(std::string(line, 4), "abc#");
}

TEST_F(EditTest, ReadOnlyFieldTakesTheProgramsTextButNotTheUsers) {
    MakeEdit(ES_AUTOHSCROLL | ES_READONLY);
    SetText("fixed");
    Select(0, 2);
    Type("x");
    Press(VK_BACK);
    Press(VK_DELETE);
    PressWith(VK_CONTROL, 'X');
    EXPECT_EQ(GetClipboardText(), "fi");
    PressWith(VK_CONTROL, 'V');
    edit->SendMessage(WM_CLEAR);
    EXPECT_EQ(Text(), "fixed");
    EXPECT_TRUE(owner.codes.empty());
    edit->SendMessage(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("Q"));
    EXPECT_EQ(Text(), "Qxed");
}

TEST_F(EditTest, TemplateEditGetsTheSunkenEdgeForItsBorder) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME;
    t.cx = 135;
    t.cy = 50;
    t.fontFace = "MS Sans Serif";
    t.items.push_back({"Edit", "name", 1002, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 9, 20, 115, 14});
    Dialog dialog(t);
    ASSERT_TRUE(dialog.CreateModeless());
    Window* field = dialog.GetDlgItem(1002);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetStyle() & WS_BORDER, 0u);
    EXPECT_NE(field->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_EQ(field->SendMessage(WM_GETTEXTLENGTH), 4);
    dialog.DestroyWindow();
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Font.h"
#include "platform/window/Dialog.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/controls/ListBoxControl.h"
#include "platform/window/controls/ListSortOrder.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

constexpr UINT kListId = 1036;
constexpr LRESULT kPassOn = 12345;  // the parent leaves WM_VKEYTOITEM to the default

// The list's parent: keeps the notifications and answers WM_VKEYTOITEM as told.
class ListParent : public Window {
public:
    std::vector<int> notes;
    std::vector<std::pair<int, int>> keysAsked;  // key, caret
    LRESULT keyAnswer = kPassOn;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == kListId) {
            notes.push_back(static_cast<std::int16_t>(HIWORD(wParam)));
            return 0;
        }
        if (message == WM_VKEYTOITEM) {
            keysAsked.push_back({LOWORD(wParam), static_cast<std::int16_t>(HIWORD(wParam))});
            if (keyAnswer != kPassOn) return keyAnswer;
        }
        return Window::WindowProc(message, wParam, lParam);
    }
    long BackgroundColor() const override { return static_cast<long>(GetSysColor(COLOR_DESKTOP)); }
};

class ListBoxTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
        parent.Create(nullptr, "Parent", WS_POPUP | WS_VISIBLE, {0, 0, 400, 300}, nullptr, 0);
        Pump();
    }

    // A list box of `lines` lines, `height` pixels high including its border.
    void Make(DWORD style, int lines = 0, int height = 106, DWORD exStyle = 0) {
        list.CreateEx(exStyle, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_BORDER | style, Rect::FromSize(20, 20, 150, height),
                      &parent, kListId);
        list.SetFont(font.get());
        for (int i = 0; i < lines; ++i) {
            char text[16];
            std::snprintf(text, sizeof text, "Line %03d", i);
            list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        Pump();
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return list.SendMessage(message, wParam, lParam); }
    LRESULT Send(UINT message, int index, const char* text) { return Send(message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)); }
    std::string Text(int index) { return Text(list, index); }
    static std::string Text(const ListBoxControl& box, int index) {
        std::string text;
        box.GetText(index, text);
        return text;
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int i = 0; i < list.GetCount(); ++i) lines.push_back(Text(i));
        return lines;
    }
    // A point in the middle of line `index` as shown now, in screen coordinates.
    Point LinePoint(int index) {
        Rect r;
        list.GetItemRect(index, &r);
        Point p{r.left + 20, r.top + r.Height() / 2};
        list.ClientToScreen(&p);
        return p;
    }
    // A point of the scroll bar at `y` pixels from the client area's top, on the screen.
    Point BarPoint(int y) {
        Point p{list.ClientRect().right + 8, y};
        list.ClientToScreen(&p);
        return p;
    }
    void Press(Point screen) {
        InjectMouseMove(screen);
        InjectMouseButton(screen, 0, true);
        HeadlessDesktopTest::Pump();
    }
    void Release(Point screen) {
        InjectMouseButton(screen, 0, false);
        HeadlessDesktopTest::Pump();
    }
    void MoveTo(Point screen) {
        InjectMouseMove(screen);
        HeadlessDesktopTest::Pump();
    }
    void Type(char letter) { HeadlessDesktopTest::Press(static_cast<UINT>(std::toupper(letter))); }

    std::shared_ptr<Font> font;
    ListParent parent;
    ListBoxControl list;
};

TEST_F(ListBoxTest, SortedListsKeepWindowsOrderAndSayWhereEachLineWent) {
    Make(LBS_SORT | LBS_NOTIFY);
    EXPECT_EQ(Send(LB_ADDSTRING, 0, "b"), 0);
    EXPECT_EQ(Send(LB_ADDSTRING, 0, "B"), 0);  // equal ignoring case: goes before
    EXPECT_EQ(Send(LB_ADDSTRING, 0, "a"), 0);
    EXPECT_EQ(Send(LB_ADDSTRING, 0, "zeta"), 3);
    for (const char* word : {"Zeta", "_x", "10", "9", "~t", "a b", "aa", "co-op", "coop", "cop", "co op", "\xe9t\xe9", "eu",
                             "Apple", "apple", "APPLE", "+"})
        list.AddString(word);
    // The order CompareString gives: punctuation in its own order, then digits one by one, then
    // letters; blanks count, hyphens only break ties; accents after the plain letter.
    EXPECT_EQ(Lines(), (std::vector<std::string>{"_x", "~t", "+", "10", "9", "a", "a b", "aa", "APPLE", "apple", "Apple",
                                                 "B", "b", "co op", "coop", "co-op", "cop", "\xe9t\xe9", "eu", "Zeta", "zeta"}));

    // The selected line stays selected as lines go in before it; inserting never sorts.
    list.SetCurSel(list.FindStringExact(-1, "coop"));
    EXPECT_EQ(Send(LB_ADDSTRING, 0, "0"), 3);
    EXPECT_EQ(Text(list.GetCurSel()), "coop");
    EXPECT_EQ(Send(LB_INSERTSTRING, 0, "zz first"), 0);
    EXPECT_EQ(Text(list.GetCurSel()), "coop");
    const int count = list.GetCount();
    EXPECT_EQ(Send(LB_INSERTSTRING, -1, "aaa last"), count);
    EXPECT_EQ(Send(LB_INSERTSTRING, count + 2, "beyond"), LB_ERR);
    EXPECT_EQ(Text(count), "aaa last");
    EXPECT_TRUE(parent.notes.empty());
}

TEST_F(ListBoxTest, SortKeysReadUtf8AndWindows1252Alike) {
    EXPECT_EQ(ListSortKey("\xc3\xa9t\xc3\xa9"), ListSortKey("\xe9t\xe9"));
    EXPECT_EQ(CompareListText("\xc9T\xc9", "\xe9t\xe9"), 0);
    EXPECT_LT(CompareListText("\xc9TE", "\xe9t\xe9"), 0);
    EXPECT_LT(CompareListText("ea", "\xe9" "a"), 0);
    EXPECT_LT(CompareListText("\xe9" "a", "eb"), 0);
    EXPECT_EQ(CompareListText("\xe6", "AE"), 0);
    EXPECT_GT(CompareListText("zulu", "\xe2\x82\xac"), 0);  // € in UTF-8 is Windows-1252's 0x80, a symbol
    EXPECT_GT(CompareListText("\xe4\xb8\xad", "zulu"), 0);  // outside the code page: after everything
    EXPECT_TRUE(StartsWithIgnoringCase("\xc3\x89t\xc3\xa9 vocal", "\xe9T"));
    EXPECT_FALSE(StartsWithIgnoringCase("Hall", ""));
}

TEST_F(ListBoxTest, SearchesIgnoreCaseStartAfterTheIndexAndWrap) {
    Make(LBS_NOTIFY);
    for (const char* word : {"Hall", "Plate", "hallway", "Room", "HALL"}) list.AddString(word);
    EXPECT_EQ(Send(LB_FINDSTRING, -1, "hall"), 0);
    EXPECT_EQ(Send(LB_FINDSTRING, 0, "hall"), 2);
    EXPECT_EQ(Send(LB_FINDSTRING, 2, "hall"), 4);
    EXPECT_EQ(Send(LB_FINDSTRING, 4, "hall"), 0);  // wraps
    EXPECT_EQ(Send(LB_FINDSTRING, 99, "ro"), 3);   // past the end: the whole list
    EXPECT_EQ(Send(LB_FINDSTRING, -1, ""), LB_ERR);
    EXPECT_EQ(Send(LB_FINDSTRING, -1, "Halls"), LB_ERR);
    EXPECT_EQ(Send(LB_FINDSTRINGEXACT, -1, "hall"), 0);
    EXPECT_EQ(Send(LB_FINDSTRINGEXACT, 0, "hall"), 4);
    EXPECT_EQ(Send(LB_FINDSTRINGEXACT, -1, "hal"), LB_ERR);

    EXPECT_EQ(Send(LB_SELECTSTRING, 0, "HALL"), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(Send(LB_SELECTSTRING, -1, "Organ"), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_TRUE(parent.notes.empty());
}

TEST_F(ListBoxTest, BadIndexesGiveLbErrAndLeaveStateAlone) {
    Make(LBS_NOTIFY, 5);
    EXPECT_EQ(Send(LB_SETCURSEL, 3), 3);
    EXPECT_EQ(Send(LB_SETCURSEL, 99), LB_ERR);
    EXPECT_EQ(Send(LB_GETCURSEL), 3);
    EXPECT_EQ(Send(LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);  // clears, and still says LB_ERR
    EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);

    char buffer[16] = "untouched";
    EXPECT_EQ(Send(LB_GETTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buffer)), LB_ERR);
    EXPECT_EQ(Send(LB_GETTEXT, 5, reinterpret_cast<LPARAM>(buffer)), LB_ERR);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(Send(LB_GETTEXTLEN, 5), LB_ERR);
    EXPECT_EQ(Send(LB_GETITEMDATA, 5), LB_ERR);
    EXPECT_EQ(Send(LB_SETITEMDATA, 5, 7), LB_ERR);
    EXPECT_EQ(Send(LB_DELETESTRING, 5), LB_ERR);
    EXPECT_NE(Send(LB_SETITEMDATA, 2, 0xBEEF), LB_ERR);
    EXPECT_EQ(Send(LB_GETITEMDATA, 2), 0xBEEF);
    EXPECT_EQ(Send(LB_GETITEMDATA, 1), 0);

    // Deleting before the selection keeps the line selected; deleting it leaves none.
    Send(LB_SETCURSEL, 3);
    EXPECT_EQ(Send(LB_DELETESTRING, 0), 4);
    EXPECT_EQ(Text(list.GetCurSel()), "Line 003");
    EXPECT_EQ(Send(LB_DELETESTRING, 2), 3);
    EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Send(LB_GETITEMDATA, 1), 0xBEEF);  // the data moved with its line

    EXPECT_EQ(Send(LB_RESETCONTENT), LB_OKAY);
    EXPECT_EQ(Send(LB_GETCOUNT), 0);
    EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Send(LB_SETCURSEL, 0), LB_ERR);
    EXPECT_TRUE(parent.notes.empty());
}

TEST_F(ListBoxTest, GetTextNeverWritesPastTheBuffer) {
    Make(0);
    list.AddString("Cathedral");
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(list.GetText(0, buffer, 5), 4);
    EXPECT_STREQ(buffer, "Cath");
    EXPECT_EQ(buffer[5], '#');
    EXPECT_EQ(list.GetText(0, buffer, 0), LB_ERR);
    EXPECT_EQ(list.GetText(0, nullptr, 8), LB_ERR);

    // The message writes exactly LB_GETTEXTLEN bytes and a NUL, as its callers size for.
    const auto length = static_cast<std::size_t>(Send(LB_GETTEXTLEN, 0));
    std::vector<char> sized(length + 2, '#');
    EXPECT_EQ(Send(LB_GETTEXT, 0, reinterpret_cast<LPARAM>(sized.data())), static_cast<LRESULT>(length));
    EXPECT_STREQ(sized.data(), "Cathedral");
    EXPECT_EQ(sized[length + 1], '#');
    EXPECT_EQ(Send(LB_GETTEXT, 0, 0), LB_ERR);
}

TEST_F(ListBoxTest, SelChangeComesFromTheUserOnlyAndFocusNotesAlways) {
    Make(LBS_NOTIFY, 10);
    list.SetCurSel(2);
    list.SelectString(-1, "Line 004");
    EXPECT_TRUE(parent.notes.empty());

    // A click takes the focus, selects at once and notifies on release, even on the same line.
    InjectMouseMove(LinePoint(1));
    InjectMouseButton(LinePoint(1), 0, true);
    Pump();
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(parent.notes, (std::vector<int>{LBN_SETFOCUS}));
    Release(LinePoint(1));
    Advance(1000);
    ClickAt(LinePoint(1));
    EXPECT_EQ(parent.notes, (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE}));

    parent.notes.clear();
    HeadlessDesktopTest::Press(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 2);
    parent.SetFocus();
    EXPECT_EQ(parent.notes, (std::vector<int>{LBN_SELCHANGE, LBN_KILLFOCUS}));

    // Without LBS_NOTIFY only the focus notifications remain.
    list.DestroyWindow();
    parent.notes.clear();
    Make(0, 10);
    ClickAt(LinePoint(3));
    HeadlessDesktopTest::Press(VK_DOWN);
    parent.SetFocus();
    EXPECT_EQ(list.GetCurSel(), 4);
    EXPECT_EQ(parent.notes, (std::vector<int>{LBN_SETFOCUS, LBN_KILLFOCUS}));
}

TEST_F(ListBoxTest, DoubleClickSendsDblClkAfterTheFirstClicksSelChange) {
    Make(LBS_NOTIFY, 10);
    list.SetFocus();
    parent.notes.clear();
    ClickAt(LinePoint(2));
    ClickAt(LinePoint(2));
    EXPECT_EQ(parent.notes, (std::vector<int>{LBN_SELCHANGE, LBN_DBLCLK}));
    EXPECT_EQ(list.GetCurSel(), 2);
    // Below the last line a click selects nothing and says nothing.
    Advance(1000);
    parent.notes.clear();
    list.DestroyWindow();
    Make(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 2);
    list.SetFocus();
    parent.notes.clear();
    Point below{40, 80};
    list.ClientToScreen(&below);
    ClickAt(below);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_TRUE(parent.notes.empty());
}

TEST_F(ListBoxTest, KeyboardWalksLinesAndPages) {
    Make(LBS_NOTIFY, 200);
    list.SetFocus();
    const int page = list.PageSize();
    ASSERT_EQ(page, 8);  // 106 pixels less the border hold 8 lines of 13
    HeadlessDesktopTest::Press(VK_DOWN);  // nothing selected: the caret line
    EXPECT_EQ(list.GetCurSel(), 0);
    HeadlessDesktopTest::Press(VK_DOWN);
    HeadlessDesktopTest::Press(VK_RIGHT);
    EXPECT_EQ(list.GetCurSel(), 2);
    HeadlessDesktopTest::Press(VK_NEXT);
    EXPECT_EQ(list.GetCurSel(), 2 + page - 1);
    EXPECT_EQ(list.GetTopIndex(), 2);
    HeadlessDesktopTest::Press(VK_PRIOR);
    EXPECT_EQ(list.GetCurSel(), 2);
    HeadlessDesktopTest::Press(VK_END);
    EXPECT_EQ(list.GetCurSel(), 199);
    EXPECT_EQ(list.GetTopIndex(), 200 - page);
    parent.notes.clear();
    HeadlessDesktopTest::Press(VK_DOWN);  // at the end: no move, still a notification
    EXPECT_EQ(list.GetCurSel(), 199);
    EXPECT_EQ(parent.notes, (std::vector<int>{LBN_SELCHANGE}));
    HeadlessDesktopTest::Press(VK_HOME);
    HeadlessDesktopTest::Press(VK_UP);
    HeadlessDesktopTest::Press(VK_LEFT);
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_EQ(list.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS));
}

TEST_F(ListBoxTest, WantKeyboardInputAsksTheParentFirst) {
    Make(LBS_NOTIFY | LBS_WANTKEYBOARDINPUT, 20);
    list.SetFocus();
    list.SetCurSel(2);
    parent.notes.clear();

    parent.keyAnswer = -2;  // handled: nothing moves
    HeadlessDesktopTest::Press(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_TRUE(parent.notes.empty());
    ASSERT_EQ(parent.keysAsked.size(), 1u);
    EXPECT_EQ(parent.keysAsked[0], (std::pair<int, int>{static_cast<int>(VK_DOWN), 2}));

    parent.keyAnswer = -1;  // the default action
    HeadlessDesktopTest::Press(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 3);

    parent.keyAnswer = 12;  // that line
    HeadlessDesktopTest::Press(VK_HOME);
    EXPECT_EQ(list.GetCurSel(), 12);
    EXPECT_EQ(parent.keysAsked.back(), (std::pair<int, int>{static_cast<int>(VK_HOME), 3}));

    parent.keyAnswer = kPassOn;  // a parent that does not answer gets the default window procedure's -1
    HeadlessDesktopTest::Press(VK_UP);
    EXPECT_EQ(list.GetCurSel(), 11);
    EXPECT_EQ(parent.notes, (std::vector<int>{LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE}));
}

TEST_F(ListBoxTest, TypingSelectsByPrefixGroupingQuickLetters) {
    Make(LBS_NOTIFY | LBS_SORT);
    for (const char* word : {"Alpha", "Beta", "Bravo", "Bzz", "Charlie", "Delta", "Romeo"}) list.AddString(word);
    list.SetFocus();
    list.SetCurSel(0);
    parent.notes.clear();
    Type('b');
    EXPECT_EQ(Text(list.GetCurSel()), "Beta");
    Type('b');  // the same letter again steps on
    EXPECT_EQ(Text(list.GetCurSel()), "Bravo");
    Advance(1500);
    Type('b');
    EXPECT_EQ(Text(list.GetCurSel()), "Bzz");
    Type('b');
    EXPECT_EQ(Text(list.GetCurSel()), "Beta");  // wraps
    Advance(1500);
    list.SetCurSel(0);
    Type('b');
    EXPECT_EQ(Text(list.GetCurSel()), "Beta");
    Advance(300);
    Type('r');  // within a second: "br", not "r"
    EXPECT_EQ(Text(list.GetCurSel()), "Bravo");
    Advance(1500);
    Type('r');  // after a pause a new search
    EXPECT_EQ(Text(list.GetCurSel()), "Romeo");
    Type('x');  // "rx" matches nothing: the selection stays
    EXPECT_EQ(Text(list.GetCurSel()), "Romeo");
    EXPECT_EQ(parent.notes.size(), 7u);
}

TEST_F(ListBoxTest, ScrollBarAppearsWhenNeededAndScrollsByLinePageThumbAndWheel) {
    Make(LBS_NOTIFY | WS_VSCROLL, 3);
    const int fullWidth = list.ClientRect().Width();
    EXPECT_FALSE(list.GetStyle() & WS_VSCROLL);
    for (int i = 3; i < 200; ++i) list.AddString("More");
    Pump();
    ASSERT_TRUE(list.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(list.ClientRect().Width(), fullWidth - GetSystemMetrics(SM_CXVSCROLL));
    const int page = list.PageSize();
    const int height = list.ClientRect().Height();

    // The down arrow: one line at once, then again after 200 ms and every 50 ms while held.
    Press(BarPoint(height - 4));
    EXPECT_EQ(list.GetTopIndex(), 1);
    Advance(199);
    EXPECT_EQ(list.GetTopIndex(), 1);
    Advance(1 + 50 * 3);
    EXPECT_EQ(list.GetTopIndex(), 5);
    Release(BarPoint(height - 4));
    Advance(500);
    EXPECT_EQ(list.GetTopIndex(), 5);
    ClickAt(BarPoint(4));  // the up arrow
    EXPECT_EQ(list.GetTopIndex(), 4);

    // The page area below the thumb: a page of whole lines.
    ClickAt(BarPoint(height - 20));
    EXPECT_EQ(list.GetTopIndex(), 4 + page);

    // Dragging the thumb to the bottom of the track shows the last page.
    list.SetTopIndex(0);
    Pump();
    Press(BarPoint(GetSystemMetrics(SM_CYVSCROLL) + 2));
    MoveTo(BarPoint(height - 1));
    EXPECT_EQ(list.GetTopIndex(), 200 - page);
    MoveTo(BarPoint(height / 2));
    const int middle = list.GetTopIndex();
    EXPECT_GT(middle, 70);
    EXPECT_LT(middle, 130);
    Release(BarPoint(height / 2));
    EXPECT_EQ(list.GetTopIndex(), middle);
    EXPECT_EQ(Window::GetCapture(), nullptr);

    // The wheel: three lines a notch, half notches add up; the selection stays.
    list.SetTopIndex(10);
    list.SetCurSel(12);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA));
    EXPECT_EQ(list.GetTopIndex(), 13);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA / 2));
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA / 2));
    EXPECT_EQ(list.GetTopIndex(), 16);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA));
    EXPECT_EQ(list.GetTopIndex(), 10);
    EXPECT_EQ(list.GetCurSel(), 12);
    EXPECT_EQ(Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 2 * list.GetItemHeight() + 1)), 12);
    EXPECT_EQ(Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(5, height + 500)), static_cast<LRESULT>(MAKELPARAM(10 + page - 1, 1)));
    EXPECT_EQ(Send(LB_SETTOPINDEX, 500), LB_OKAY);  // clamped to the last full page
    EXPECT_EQ(list.GetTopIndex(), 200 - page);
    EXPECT_TRUE(parent.notes.empty());  // the bar never takes the focus

    list.ResetContent();
    EXPECT_FALSE(list.GetStyle() & WS_VSCROLL);
}

TEST_F(ListBoxTest, DraggingSelectsAndScrollsBeyondTheEnds) {
    Make(LBS_NOTIFY | WS_VSCROLL, 50);
    list.SetFocus();
    parent.notes.clear();
    Press(LinePoint(1));
    MoveTo(LinePoint(4));
    EXPECT_EQ(list.GetCurSel(), 4);
    Point below = LinePoint(0);
    below.y = list.WindowRect().bottom + 30;
    MoveTo(below);
    const int reached = list.GetCurSel();
    Advance(50 * 10);
    EXPECT_EQ(list.GetCurSel(), reached + 10);
    EXPECT_EQ(list.GetTopIndex(), reached + 10 - list.PageSize() + 1);
    EXPECT_TRUE(parent.notes.empty());
    Release(below);
    EXPECT_EQ(parent.notes, (std::vector<int>{LBN_SELCHANGE}));
    Advance(500);
    EXPECT_EQ(list.GetCurSel(), reached + 10);
}

TEST_F(ListBoxTest, IntegralHeightKeepsTheBorderAndWholeLines) {
    Make(0, 0, 100);
    const int lineHeight = list.GetItemHeight();
    EXPECT_EQ(lineHeight, font->TextMetrics().tmHeight);
    EXPECT_EQ(lineHeight, 13);  // "MS Sans Serif" 8 pt at 96 dpi
    EXPECT_EQ(list.ClientRect().Height() % lineHeight, 0);
    EXPECT_EQ(list.RectInParent().Height(), 7 * lineHeight + 2);
    list.MoveWindow(20, 20, 150, 60);
    EXPECT_EQ(list.RectInParent().Height(), 4 * lineHeight + 2);
    list.DestroyWindow();

    Make(LBS_NOINTEGRALHEIGHT, 0, 100);
    EXPECT_EQ(list.RectInParent().Height(), 100);
    list.DestroyWindow();

    // A client area lower than one line stays as it is.
    Make(0, 0, 10);
    EXPECT_EQ(list.RectInParent().Height(), 10);
    list.DestroyWindow();

    // The controller selections dialog's one-line lists: 12 dialog units show one whole line.
    DialogTemplate t;
    t.style = WS_POPUP | DS_SETFONT;
    t.fontFace = "MS Sans Serif";
    t.cx = 100;
    t.cy = 40;
    t.items.push_back({"LISTBOX", "", 1023, WS_VISIBLE | WS_BORDER | WS_TABSTOP | LBS_SORT | LBS_NOTIFY, 0, 10, 10, 86, 12});
    Dialog dialog(t, &parent);
    ASSERT_TRUE(dialog.CreateModeless());
    auto* oneLine = dynamic_cast<ListBoxControl*>(dialog.GetDlgItem(1023));
    ASSERT_NE(oneLine, nullptr);
    EXPECT_EQ(oneLine->ClassName(), "ListBox");
    EXPECT_EQ(oneLine->ClientRect().Height(), oneLine->GetItemHeight());
    EXPECT_EQ(oneLine->PageSize(), 1);
}

TEST_F(ListBoxTest, InADialogArrowsAndLettersGoToTheListAndEnterToTheDialog) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME;
    t.fontFace = "MS Sans Serif";
    t.cx = 120;
    t.cy = 126;
    t.items.push_back({"LISTBOX", "", 1005, WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_SORT | LBS_NOTIFY, 0, 7, 24, 104, 77});
    t.items.push_back({"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 61, 105, 50, 14});
    Dialog dialog(t, &parent);
    std::string chosen;
    WhenModal([&] {
        auto* names = static_cast<ListBoxControl*>(dialog.GetDlgItem(1005));
        for (const char* name : {"Hall", "Plate", "Room", "Chamber"}) names->AddString(name);
        ASSERT_EQ(Window::GetFocus(), names);
        InjectKeyPress(VK_DOWN);
        InjectKeyPress(VK_DOWN);
        InjectKeyPress('P');
        SetIdleHook([&, names] {
            chosen = Text(*names, names->GetCurSel());
            SetIdleHook(nullptr);
            InjectKeyPress(VK_RETURN);
        });
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(chosen, "Plate");
}

// Stands in for a combo box: shows a list box as a popup and keeps what it is told.
class DroppedListHost : public ListBoxHost {
public:
    std::vector<std::string> events;
    void OnListSelChange(int index) override { events.push_back("sel " + std::to_string(index)); }
    void OnListChoice(int index) override { events.push_back("choice " + std::to_string(index)); }
    void OnListCancel() override { events.push_back("cancel"); }
};

TEST_F(ListBoxTest, DroppedListFollowsThePointerAndTellsItsHost) {
    DroppedListHost host;
    list.SetHost(&host);
    list.CreateEx(WS_EX_TOPMOST, "ListBox", "", WS_POPUP | WS_BORDER | WS_VSCROLL, Rect::FromSize(50, 100, 120, 80), &parent, 0);
    list.SetFont(font.get());
    for (int i = 0; i < 20; ++i) list.AddString("Port " + std::to_string(i + 1));
    list.ShowWindow(SW_SHOWNA);
    list.SetCapture();
    Pump();
    MoveTo(LinePoint(2));
    MoveTo(LinePoint(3));
    EXPECT_EQ(list.GetCurSel(), 3);
    ClickAt(LinePoint(3));
    // The combo box keeps the focus and hands its keys on.
    list.SendMessage(WM_KEYDOWN, VK_DOWN);
    list.SendMessage(WM_KEYDOWN, VK_ESCAPE);
    ClickAt({5, 5});  // outside the list
    EXPECT_EQ(host.events, (std::vector<std::string>{"sel 2", "sel 3", "choice 3", "sel 4", "cancel", "cancel"}));
    EXPECT_EQ(Window::GetCapture(), &list);  // the host decides when the list goes
    EXPECT_TRUE(parent.notes.empty());
    list.SetHost(nullptr);
    Window::ReleaseCapture();
}

// The picture to look at: the preset chooser's list (scroll bar, selected line with the focus
// frame), a sorted list and a one-line list as the dialogs lay them out.
TEST_F(ListBoxTest, Screenshot) {
    Desktop::Instance().SetSize({400, 240});
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE;
    t.caption = "List boxes";
    t.fontFace = "MS Sans Serif";
    t.x = 10;
    t.y = 10;
    t.cx = 250;
    t.cy = 110;
    t.items.push_back({"LISTBOX", "", 1036, 0x50A10501, 0x20200, 5, 5, 110, 84});
    t.items.push_back({"ListBox", "", 1005, WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_SORT | LBS_NOTIFY, 0, 125, 5, 104, 40});
    t.items.push_back({"listbox", "", 1023, WS_VISIBLE | WS_BORDER | WS_TABSTOP | LBS_SORT | LBS_NOTIFY, 0, 125, 60, 86, 12});
    Dialog dialog(t, &parent);
    ASSERT_TRUE(dialog.CreateModeless());
    Window* presets = dialog.GetDlgItem(1036);
    for (int i = 0; i < 30; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "Preset %d: Hall %c", i + 1, 'A' + i % 26);
        presets->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    presets->SendMessage(LB_SETCURSEL, 3);
    for (const char* name : {"Vocal Plate", "Big Room", "ambience", "Cathedral", "drum booth"})
        dialog.GetDlgItem(1005)->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    dialog.GetDlgItem(1023)->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("NOT SELECTED"));
    presets->SetFocus();
    Pump();
    const Bitmap& screen = Desktop::Instance().Compose();
    Rect selected;
    presets->SendMessage(LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&selected));
    presets->ClientToScreen(&selected);
    EXPECT_EQ(FromDisplay(screen.GetPixel(selected.right - 2, selected.top + 2)), GetSysColor(COLOR_HIGHLIGHT));
    const Point barTop = presets->ClientOriginOnScreen() + Point{presets->ClientRect().right, 0};
    EXPECT_EQ(FromDisplay(screen.GetPixel(barTop.x + 8, barTop.y + 8)), GetSysColor(COLOR_BTNTEXT));  // the arrow
    auto path = std::filesystem::path(KVX4_BIN_DIR) / "listbox-screenshot.png";
    ASSERT_TRUE(Desktop::Instance().SaveScreenshot(path.string()));
}

}  // namespace

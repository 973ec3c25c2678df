#include <gtest/gtest.h>

#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Font.h"
#include "tests/platform/window/EditFixture.h"

using namespace win;
using testsupport::EditTest;
using testsupport::Range;

namespace {

class EditViewTest : public EditTest {
protected:
    COLORREF PixelAt(int clientX, int clientY) {
        Point p{clientX, clientY};
        edit->ClientToScreen(&p);
        return FromDisplay(Desktop::Instance().Compose().GetPixel(p.x, p.y));
    }
    Rect FormatRect() {
        Rect r;
        edit->SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void ExpectCaretInView() {
        EXPECT_GE(edit->CaretRect().left, FormatRect().left);
        EXPECT_LE(edit->CaretRect().left, FormatRect().right);
    }
    void FocusElsewhere() {
        other.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {200, 10, 250, 30}, &owner, 7);
        other.SetFocus();
    }
    Window other;
};

TEST_F(EditViewTest, CaretBlinksOnTheClockOnlyWhileFocused) {
    SetText("a   b");
    Select(2, 2);
    const int x = XOf(2), y = FormatRect().top + 2;
    EXPECT_EQ(PixelAt(x, y), RGB(0, 0, 0));
    Advance(GetCaretBlinkTime());
    EXPECT_FALSE(edit->CaretVisible());
    EXPECT_EQ(PixelAt(x, y), GetSysColor(COLOR_WINDOW));
    Advance(GetCaretBlinkTime());
    EXPECT_TRUE(edit->CaretVisible());

    // A caret move shows it at once and starts the period again.
    Advance(GetCaretBlinkTime());
    Press(VK_LEFT);
    Advance(GetCaretBlinkTime() - 10);
    EXPECT_TRUE(edit->CaretVisible());

    FocusElsewhere();
    EXPECT_FALSE(edit->CaretVisible());
    EXPECT_FALSE(WindowSystem::Instance().HasTimer(edit.get(), EditControl::kCaretTimer));
}

TEST_F(EditViewTest, ColoursOfSelectionReadOnlyAndDisabledFields) {
    SetText("WWWW");
    Select(1, 3);
    const int x = (XOf(1) + XOf(2)) / 2, y = FormatRect().top + 1;
    EXPECT_EQ(PixelAt(x, y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(PixelAt(1, 1), GetSysColor(COLOR_WINDOW));
    FocusElsewhere();  // the selection hides without the focus, unless ES_NOHIDESEL
    EXPECT_EQ(PixelAt(x, y), GetSysColor(COLOR_WINDOW));
    edit->ModifyStyle(0, ES_NOHIDESEL);
    edit->Invalidate();
    EXPECT_EQ(PixelAt(x, y), GetSysColor(COLOR_HIGHLIGHT));

    edit->SendMessage(EM_SETREADONLY, TRUE);
    EXPECT_EQ(PixelAt(1, 1), GetSysColor(COLOR_BTNFACE));
    edit->SendMessage(EM_SETREADONLY, FALSE);
    edit->EnableWindow(FALSE);
    EXPECT_EQ(PixelAt(1, 1), GetSysColor(COLOR_BTNFACE));
}

TEST_F(EditViewTest, MarginsComeFromTheFont) {
    const int margin = edit->TextFont()->TextMetrics().tmAveCharWidth / 2;
    EXPECT_EQ(edit->SendMessage(EM_GETMARGINS), MAKELPARAM(margin, margin));
    SetText("abc");
    EXPECT_EQ(XOf(0), 1 + margin);
    EXPECT_EQ(edit->SendMessage(EM_POSFROMCHAR, 3), -1);
    edit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(7, 0));
    EXPECT_EQ(XOf(0), 8);
}

TEST_F(EditViewTest, TheTextScrollsByAThirdToKeepTheCaretInView) {
    std::vector<int> offsets{0};
    for (int i = 0; i < 80; ++i) {
        Type(std::string(1, static_cast<char>('a' + i % 26)));
        ExpectCaretInView();
        if (edit->ScrollOffset() != offsets.back()) offsets.push_back(edit->ScrollOffset());
    }
    ASSERT_GE(offsets.size(), 3u);
    EXPECT_LT(offsets.size(), 20u);  // jumps, not a scroll at every character
    EXPECT_GE(offsets[2] - offsets[1], FormatRect().Width() / 3 - 1);
    EXPECT_EQ(edit->SendMessage(EM_POSFROMCHAR, edit->SendMessage(EM_GETFIRSTVISIBLELINE)), MAKELPARAM(FormatRect().left, FormatRect().top));

    Press(VK_HOME);
    EXPECT_EQ(edit->ScrollOffset(), 0);
    Select(40, 40);
    ExpectCaretInView();
    SetText("abc");
    EXPECT_EQ(edit->ScrollOffset(), 0);
}

TEST_F(EditViewTest, DraggingPastAnEdgeScrollsOnTheClock) {
    SetText("abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz");
    InjectMouseButton(ScreenPointAt(XOf(2)), 0, true);
    InjectMouseMove(ScreenPointAt(edit->ClientRect().right + 20));
    Pump();
    const int first = edit->ScrollOffset();
    Advance(10 * EditControl::kDragScrollPeriod);
    EXPECT_GT(edit->ScrollOffset(), first);
    EXPECT_EQ(Sel().first, 2u);
    EXPECT_GT(Sel().second, 20u);
    ExpectCaretInView();

    InjectMouseMove(ScreenPointAt(-20));
    Advance(100 * EditControl::kDragScrollPeriod);
    EXPECT_EQ(Sel(), Range(0, 2));
    InjectMouseButton(ScreenPointAt(-20), 0, false);
    Pump();
    EXPECT_FALSE(WindowSystem::Instance().HasTimer(edit.get(), EditControl::kDragScrollTimer));
}

// The save dialog's name field as a person sees it: text with a selection and the caret, a long
// text scrolled to its end, a disabled field. The pictures are left in the build folder.
TEST_F(EditViewTest, Screenshot) {
    Desktop::Instance().SetSize({200, 120});
    owner.MoveWindow(0, 0, 200, 120);
    SetText("Warm Bass Lead");
    Select(5, 9);
    EditControl scrolled, disabled;
    scrolled.CreateEx(WS_EX_CLIENTEDGE, "Edit", "A rather long preset name that does not fit the field",
                      WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, {10, 50, 182, 73}, &owner, 1003);
    scrolled.SendMessage(EM_SETSEL, 60, 60);
    disabled.CreateEx(WS_EX_CLIENTEDGE, "Edit", "Disabled", WS_CHILD | WS_VISIBLE | WS_DISABLED, {10, 85, 182, 108},
                      &owner, 1004);
    EXPECT_TRUE(Desktop::Instance().SaveScreenshot(KVX4_BIN_DIR "/edit-field.png"));
    scrolled.SetFocus();
    EXPECT_GT(scrolled.ScrollOffset(), 0);
    EXPECT_TRUE(Desktop::Instance().SaveScreenshot(KVX4_BIN_DIR "/edit-field-scrolled.png"));
}

}  // namespace

#include <gtest/gtest.h>

#include <memory>

#include "platform/window/SystemMetrics.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;
using testsupport::RecordingWindow;

namespace {

class WindowTreeTest : public HeadlessDesktopTest {};

TEST_F(WindowTreeTest, ChildrenKeepCreationOrderIdsTextsAndStyles) {
    Window top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {100, 50, 500, 350}, nullptr, 0));
    Window a, b;
    ASSERT_TRUE(a.Create(nullptr, "A", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &top, 11));
    ASSERT_TRUE(b.Create(nullptr, "B", WS_CHILD, {20, 0, 30, 10}, &top, 12));

    EXPECT_EQ(top.GetWindow(GW_CHILD), &a);
    EXPECT_EQ(a.GetWindow(GW_HWNDNEXT), &b);
    EXPECT_EQ(b.GetWindow(GW_HWNDNEXT), nullptr);
    EXPECT_EQ(top.GetDlgItem(12), &b);
    EXPECT_EQ(b.GetDlgCtrlID(), 12);
    EXPECT_EQ(a.GetWindowText(), "A");
    EXPECT_TRUE(a.IsWindowVisible());
    EXPECT_FALSE(b.IsWindowVisible());
    EXPECT_TRUE(top.IsChild(&b));
    EXPECT_EQ(b.GetTopLevelParent(), &top);
    EXPECT_EQ(Window::FromHandle(b.GetSafeHwnd()), &b);

    b.SetWindowText("Renamed");
    char buffer[4];
    EXPECT_EQ(b.GetWindowTextA(buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "Ren");
    EXPECT_EQ(b.SendMessage(WM_GETTEXTLENGTH), 7);
}

TEST_F(WindowTreeTest, ChildStyleNeedsAParent) {
    Window orphan;
    EXPECT_FALSE(orphan.Create(nullptr, "", WS_CHILD, {0, 0, 10, 10}, nullptr, 1));
    EXPECT_EQ(orphan.GetSafeHwnd(), nullptr);
}

TEST_F(WindowTreeTest, DestroyOrderAndLiveness) {
    std::vector<std::string> log;
    RecordingWindow top, child, grandchild;
    top.name = "top";
    child.name = "child";
    grandchild.name = "grand";
    top.Create(nullptr, "", WS_OVERLAPPED, {0, 0, 100, 100}, nullptr, 0);
    child.Create(nullptr, "", WS_CHILD, {0, 0, 50, 50}, &top, 1);
    grandchild.Create(nullptr, "", WS_CHILD, {0, 0, 10, 10}, &child, 2);
    HWND childHandle = child.GetSafeHwnd();
    top.log = child.log = grandchild.log = &log;

    top.DestroyWindow();
    std::vector<std::string> expected{"top:DESTROY", "child:DESTROY", "grand:DESTROY",
                                      "grand:NCDESTROY", "child:NCDESTROY", "top:NCDESTROY"};
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_EQ(child.GetSafeHwnd(), nullptr);
}

// Losing the focus on the way out, a window may ask to be destroyed again: only the first request
// destroys it, once, and a self-deleting window is deleted after the work is done.
TEST_F(WindowTreeTest, DestroyingAgainWhileBeingDestroyedDoesNothing) {
    class Impatient : public RecordingWindow {
    public:
        BOOL nested = TRUE;
        void OnKillFocus(Window*) override { nested = DestroyWindow(); }
    };
    std::vector<std::string> log;
    Window top;
    top.Create(nullptr, "", WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
    Impatient child;
    child.log = &log;
    child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &top, 1);
    child.SetFocus();
    log.clear();
    EXPECT_TRUE(child.DestroyWindow());
    EXPECT_FALSE(child.nested);
    EXPECT_EQ(log, (std::vector<std::string>{"w:KILLFOCUS", "w:DESTROY", "w:NCDESTROY"}));

    auto* selfDeleting = new Impatient();
    selfDeleting->Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &top, 2);
    selfDeleting->SetAutoDelete(true);
    selfDeleting->SetFocus();
    selfDeleting->DestroyWindow();
    EXPECT_EQ(top.GetDlgItem(2), nullptr);
}

TEST_F(WindowTreeTest, DeletingTheObjectDestroysItsWindow) {
    Window top;
    top.Create(nullptr, "", WS_OVERLAPPED, {0, 0, 100, 100}, nullptr, 0);
    auto child = std::make_unique<Window>();
    child->Create(nullptr, "", WS_CHILD, {0, 0, 10, 10}, &top, 5);
    HWND handle = child->GetSafeHwnd();
    child.reset();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(top.GetDlgItem(5), nullptr);
}

TEST_F(WindowTreeTest, ShowSendsShowWindowBeforeTheWindowBecomesVisible) {
    std::vector<std::string> log;
    RecordingWindow top;
    top.Create(nullptr, "", WS_OVERLAPPED, {0, 0, 100, 100}, nullptr, 0);
    top.log = &log;
    top.ShowWindow(SW_SHOW);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "w:SHOWWINDOW(hidden)");
    EXPECT_TRUE(top.IsWindowVisible());
    log.clear();
    top.ShowWindow(SW_SHOW);  // already visible: nothing
    EXPECT_TRUE(std::find(log.begin(), log.end(), "w:SHOWWINDOW(visible)") == log.end());
    top.ShowWindow(SW_HIDE);
    EXPECT_EQ(log.front(), "w:SHOWWINDOW(visible)");
    EXPECT_FALSE(top.IsWindowVisible());
}

TEST_F(WindowTreeTest, ClientScreenAndWindowRectangles) {
    Window top, child;
    top.Create(nullptr, "Framed", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {100, 50, 500, 350}, nullptr, 0);
    child.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, {10, 20, 110, 70}, &top, 1);

    // A fixed frame of 3 and the caption bar with the line below it (SM_CYCAPTION, 19).
    const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    const int clientTop = frame + GetSystemMetrics(SM_CYCAPTION);
    Rect insets = top.NonClientInsets();
    EXPECT_EQ(insets, (Rect{frame, clientTop, frame, frame}));
    EXPECT_EQ(top.ClientRect(), (Rect{0, 0, 400 - 2 * frame, 300 - clientTop - frame}));
    EXPECT_EQ(child.ClientRect(), (Rect{0, 0, 98, 48}));
    EXPECT_EQ(child.WindowRect(), (Rect{110 + frame, 70 + clientTop, 210 + frame, 120 + clientTop}));

    Point p{0, 0};
    child.ClientToScreen(&p);
    EXPECT_EQ(p, (Point{111 + frame, 71 + clientTop}));
    child.ScreenToClient(&p);
    EXPECT_EQ(p, (Point{0, 0}));

    std::vector<std::string> log;
    RecordingWindow moved;
    moved.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &top, 2);
    moved.log = &log;
    moved.MoveWindow(5, 6, 40, 30);
    EXPECT_EQ(moved.RectInParent(), (Rect{5, 6, 45, 36}));
    EXPECT_NE(std::find(log.begin(), log.end(), "w:SIZE"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "w:MOVE"), log.end());
}

TEST_F(WindowTreeTest, HidingTheFocusWindowMovesTheFocusToItsParent) {
    Window top, child;
    top.Create(nullptr, "", WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
    child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &top, 1);
    child.SetFocus();
    EXPECT_EQ(Window::GetFocus(), &child);
    child.ShowWindow(SW_HIDE);
    EXPECT_EQ(Window::GetFocus(), &top);
}

TEST_F(WindowTreeTest, HidingAnAncestorOfTheFocusLeavesTheFocusWhereItIs) {
    Window top, pane, control;
    top.Create(nullptr, "", WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
    pane.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, &top, 1);
    control.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &pane, 2);
    control.SetFocus();
    pane.ShowWindow(SW_HIDE);
    EXPECT_EQ(Window::GetFocus(), &control);
    pane.ShowWindow(SW_SHOW);
    EXPECT_EQ(Window::GetFocus(), &control);
    pane.DestroyWindow();
    EXPECT_EQ(Window::GetFocus(), &top);
}

}  // namespace

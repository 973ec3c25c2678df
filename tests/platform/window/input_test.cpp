#include <gtest/gtest.h>

#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;
using testsupport::RecordingWindow;

namespace {

class PointRecorder : public Window {
public:
    std::vector<std::pair<UINT, Point>> events;
    bool captureOnDown = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP)
            events.push_back({message, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
        if (message == WM_LBUTTONDOWN && captureOnDown) SetCapture();
        if (message == WM_LBUTTONUP && captureOnDown) ReleaseCapture();
        return Window::WindowProc(message, wParam, lParam);
    }
};

class InputTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        top.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {100, 100, 400, 300}, nullptr, 0);
        child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {50, 40, 150, 140}, &top, 1);
        Pump();
    }
    PointRecorder top, child;
};

TEST_F(InputTest, ButtonsGoToTheDeepestChildInClientCoordinates) {
    ClickAt({160, 150});
    ASSERT_EQ(child.events.size(), 3u);
    EXPECT_EQ(child.events[1].first, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(child.events[1].second, (Point{10, 10}));
    EXPECT_EQ(child.events[2].first, static_cast<UINT>(WM_LBUTTONUP));
    ClickAt({110, 110});
    ASSERT_FALSE(top.events.empty());
    EXPECT_EQ(top.events.back().second, (Point{10, 10}));
}

TEST_F(InputTest, APressFromANativeWindowGoesToTheWindowItShowsWhateverLiesAbove) {
    // On a real screen the windows need not overlap as they do here: the press came through the
    // lower window's own native window.
    PointRecorder above;
    above.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {100, 100, 400, 300}, nullptr, 0);
    Pump();
    // A window that does not hold the point (here a child) leaves it to the z-order.
    InjectMouseButton({390, 290}, 0, true, child.GetSafeHwnd());
    InjectMouseButton({390, 290}, 0, false, child.GetSafeHwnd());
    Pump();
    EXPECT_EQ(above.events.size(), 2u);
    EXPECT_TRUE(top.events.empty());

    InjectMouseButton({120, 120}, 0, true, top.GetSafeHwnd());
    InjectMouseButton({120, 120}, 0, false, top.GetSafeHwnd());
    Pump();
    ASSERT_EQ(top.events.size(), 2u);
    EXPECT_EQ(top.events[0].second, (Point{20, 20}));
    EXPECT_EQ(above.events.size(), 2u);
}

TEST_F(InputTest, CaptureRoutesMovesOutsideTheWindowAndReleaseTellsTheLoser) {
    child.captureOnDown = true;
    InjectMouseButton({160, 150}, 0, true);
    InjectMouseMove({500, 20});
    InjectMouseButton({500, 20}, 0, false);
    Pump();
    ASSERT_EQ(child.events.size(), 3u);
    EXPECT_EQ(child.events[1].second, (Point{500 - 150, 20 - 140}));
    EXPECT_EQ(child.events[2].first, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(Window::GetCapture(), nullptr);

    std::vector<std::string> log;
    RecordingWindow other;
    other.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &top, 2);
    other.log = &log;
    other.SetCapture();
    child.SetCapture();
    EXPECT_EQ(log.back(), "w:CAPTURECHANGED");
    Window::ReleaseCapture();
}

TEST_F(InputTest, FocusChangeSendsKillFocusThenSetFocus) {
    std::vector<std::string> log;
    RecordingWindow a, b;
    a.name = "a";
    b.name = "b";
    a.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &top, 3);
    b.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {20, 0, 30, 10}, &top, 4);
    a.SetFocus();
    a.log = b.log = &log;
    Window* previous = b.SetFocus();
    EXPECT_EQ(previous, &a);
    EXPECT_EQ(log, (std::vector<std::string>{"a:KILLFOCUS", "b:SETFOCUS"}));
    EXPECT_EQ(Window::GetFocus(), &b);

    log.clear();
    Press(VK_UP);
    EXPECT_EQ(std::count(log.begin(), log.end(), "b:KEYDOWN"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "a:KEYDOWN"), 0);
}

// An in-place editor that goes away when it loses the focus: the focus change carries on without it.
TEST_F(InputTest, AWindowMayDeleteItselfWhenItLosesTheFocus) {
    class InPlaceEditor : public Window {
    protected:
        void OnKillFocus(Window*) override { DestroyWindow(); }
    };
    class FocusTaker : public Window {
    public:
        std::vector<HWND> previous;

    protected:
        void OnSetFocus(Window* old) override { previous.push_back(old ? old->GetSafeHwnd() : nullptr); }
    };
    auto* editor = new InPlaceEditor();
    editor->SetAutoDelete(true);
    editor->Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &top, 3);
    FocusTaker other;
    other.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {20, 0, 30, 10}, &top, 4);
    const HWND editorHandle = editor->GetSafeHwnd();
    editor->SetFocus();
    EXPECT_EQ(other.SetFocus(), nullptr);  // the window that had the focus is gone
    EXPECT_FALSE(IsWindow(editorHandle));
    EXPECT_EQ(other.previous, (std::vector<HWND>{nullptr}));
    EXPECT_EQ(Window::GetFocus(), &other);
}

TEST_F(InputTest, KeyStateFollowsTheMessagesAlreadyRead) {
    InjectKey(VK_SHIFT, true);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // not read yet
    Pump();
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(InputTest, DoubleClicksOnlyForWindowsThatAskForThem) {
    ClickAt({160, 150});
    ClickAt({161, 150});
    EXPECT_EQ(std::count_if(child.events.begin(), child.events.end(),
                            [](auto& e) { return e.first == static_cast<UINT>(WM_LBUTTONDBLCLK); }), 0);
    child.events.clear();
    clock.Advance(1000);
    child.SetClassStyle(CS_DBLCLKS);
    ClickAt({160, 150});
    ClickAt({161, 150});
    EXPECT_EQ(std::count_if(child.events.begin(), child.events.end(),
                            [](auto& e) { return e.first == static_cast<UINT>(WM_LBUTTONDBLCLK); }), 1);
    // Too slow is two single clicks.
    child.events.clear();
    clock.Advance(1000);
    ClickAt({160, 150});
    clock.Advance(600);
    ClickAt({160, 150});
    EXPECT_EQ(std::count_if(child.events.begin(), child.events.end(),
                            [](auto& e) { return e.first == static_cast<UINT>(WM_LBUTTONDOWN); }), 2);
}

TEST_F(InputTest, DisabledAndHiddenWindowsGetNoClicks) {
    child.EnableWindow(FALSE);
    ClickAt({160, 150});
    EXPECT_TRUE(child.events.empty());
    child.EnableWindow(TRUE);
    child.ShowWindow(SW_HIDE);
    ClickAt({160, 150});
    EXPECT_TRUE(child.events.empty());
    ASSERT_FALSE(top.events.empty());
    EXPECT_EQ(top.events.back().second, (Point{60, 50}));
}

TEST_F(InputTest, ClickingACaptionDragsTheWindow) {
    Window framed;
    framed.Create(nullptr, "Drag me", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {500, 400, 700, 500}, nullptr, 0);
    Pump();
    InjectMouseButton({550, 410}, 0, true);
    InjectMouseMove({560, 430});
    InjectMouseButton({560, 430}, 0, false);
    Pump();
    EXPECT_EQ(framed.WindowRect(), (Rect{510, 420, 710, 520}));
    EXPECT_EQ(Window::GetActiveWindow(), &framed);
}

}  // namespace

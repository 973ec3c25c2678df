#include <gtest/gtest.h>

#include "platform/module/Module.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;
using testsupport::RecordingWindow;

namespace {

class MessagesTest : public HeadlessDesktopTest {};

class SelfDestroyingWindow : public Window {
protected:
    void OnLButtonDown(UINT, Point) override { delete this; }
};

TEST_F(MessagesTest, SentMessagesRunAtOncePostedOnesInOrderWhenPumped) {
    std::vector<std::string> log;
    RecordingWindow w;
    w.Create(nullptr, "", WS_OVERLAPPED, {0, 0, 50, 50}, nullptr, 0);
    Pump();
    w.log = &log;
    w.PostMessage(WM_USER + 1);
    w.SendMessage(WM_USER + 2);
    w.PostMessage(WM_USER + 3);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "w:0x" + std::to_string(WM_USER + 2));
    Pump();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], "w:0x" + std::to_string(WM_USER + 1));
    EXPECT_EQ(log[2], "w:0x" + std::to_string(WM_USER + 3));
}

TEST_F(MessagesTest, PreTranslationWalksFromTheTargetUpThroughItsParents) {
    std::vector<std::string> log;
    RecordingWindow top, mid, leaf;
    top.name = "top";
    mid.name = "mid";
    leaf.name = "leaf";
    top.Create(nullptr, "", WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
    mid.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, &top, 1);
    leaf.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &mid, 2);
    leaf.SetFocus();
    Pump();
    top.log = mid.log = leaf.log = &log;

    Press('A');
    std::vector<std::string> keyDown(log.begin(), log.begin() + 4);
    EXPECT_EQ(keyDown, (std::vector<std::string>{"leaf:pre", "mid:pre", "top:pre", "leaf:KEYDOWN"}));

    // A window that claims the message ends the walk and the message is not dispatched.
    log.clear();
    mid.preTranslate = [](MSG* msg) { return msg->message == WM_KEYDOWN; };
    Press('B');
    EXPECT_EQ(std::count(log.begin(), log.end(), "leaf:KEYDOWN"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "top:pre"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "leaf:pre"), 1);
}

TEST_F(MessagesTest, CloseDestroysByDefaultAndQuitEndsTheLoop) {
    Window w;
    w.Create(nullptr, "", WS_OVERLAPPED | WS_VISIBLE, {0, 0, 50, 50}, nullptr, 0);
    w.PostMessage(WM_CLOSE);
    PostQuitMessage(7);
    EXPECT_EQ(RunMessageLoop(), 7);
    EXPECT_EQ(w.GetSafeHwnd(), nullptr);
}

TEST_F(MessagesTest, AHandlerMayDestroyItsOwnWindow) {
    Window top;
    top.Create(nullptr, "", WS_OVERLAPPED | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
    auto* doomed = new SelfDestroyingWindow();
    doomed->Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 40, 40}, &top, 3);
    HWND handle = doomed->GetSafeHwnd();
    ClickClient(top, {5, 5});
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(top.GetDlgItem(3), nullptr);
}

TEST_F(MessagesTest, MessagesForDestroyedWindowsAreDropped) {
    std::vector<std::string> log;
    auto w = std::make_unique<RecordingWindow>();
    w->Create(nullptr, "", WS_OVERLAPPED, {0, 0, 50, 50}, nullptr, 0);
    HWND handle = w->GetSafeHwnd();
    PostMessage(handle, WM_USER, 0, 0);
    w.reset();
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_FALSE(PostMessage(handle, WM_USER, 0, 0));
}

TEST_F(MessagesTest, AWindowHandlesItsMessagesWithItsOwnLibraryCurrent) {
    static int anchorHost, anchorPlugin;
    Module hostModule("host", &anchorHost), pluginModule("plugin", &anchorPlugin);
    ModuleStateScope hostScope(hostModule);
    class ModuleProbe : public Window {
    public:
        std::vector<Module*> seen;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_USER) seen.push_back(CurrentModule());
            return Window::WindowProc(message, wParam, lParam);
        }
        BOOL PreTranslateMessage(MSG*) override {
            seen.push_back(CurrentModule());
            return FALSE;
        }
    } probe;
    {
        ModuleStateScope pluginScope(pluginModule);
        probe.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, nullptr, 0);
    }
    probe.SendMessage(WM_USER);
    probe.PostMessage(WM_USER);
    Pump();
    ASSERT_GE(probe.seen.size(), 3u);  // sent, posted, and the posted one's pre-translation
    EXPECT_TRUE(std::all_of(probe.seen.begin(), probe.seen.end(), [&](Module* m) { return m == &pluginModule; }));
    EXPECT_EQ(CurrentModule(), &hostModule);
}

TEST_F(MessagesTest, TimersFireOnTheClockWithoutPilingUp) {
    std::vector<std::string> log;
    RecordingWindow w;
    w.Create(nullptr, "", WS_OVERLAPPED, {0, 0, 50, 50}, nullptr, 0);
    Pump();
    w.log = &log;
    EXPECT_EQ(w.SetTimer(4, 300), 4u);
    Advance(299);
    EXPECT_EQ(std::count(log.begin(), log.end(), "w:TIMER"), 0);
    Advance(1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "w:TIMER"), 1);

    // Late by ten periods: still one message.
    clock.Advance(3000);
    Pump();
    EXPECT_EQ(std::count(log.begin(), log.end(), "w:TIMER"), 2);

    // Setting it again restarts the period.
    Advance(200);
    w.SetTimer(4, 300);
    Advance(200);
    EXPECT_EQ(std::count(log.begin(), log.end(), "w:TIMER"), 2);
    Advance(100);
    EXPECT_EQ(std::count(log.begin(), log.end(), "w:TIMER"), 3);

    EXPECT_TRUE(w.KillTimer(4));
    EXPECT_FALSE(w.KillTimer(4));
    Advance(1000);
    EXPECT_EQ(std::count(log.begin(), log.end(), "w:TIMER"), 3);
}

TEST_F(MessagesTest, TimerLimitsAndSleep) {
    Window w;
    w.Create(nullptr, "", WS_OVERLAPPED, {0, 0, 50, 50}, nullptr, 0);
    w.SetTimer(1, 1);  // raised to the 10 ms minimum
    EXPECT_EQ(*WindowSystem::Instance().NextTimerDue(), clock.NowMs() + 10);
    WindowSystem::Instance().SetTimerLimit(1);
    EXPECT_EQ(w.SetTimer(2, 100), 0u);
    EXPECT_EQ(w.SetTimer(1, 100), 1u);  // replacing is not a new timer

    Window never;
    EXPECT_EQ(never.SetTimer(1, 100), 0u);

    const std::uint64_t before = clock.NowMs();
    Sleep(250);
    Sleep(500);
    EXPECT_EQ(clock.Sleeps(), (std::vector<DWORD>{250, 500}));
    EXPECT_EQ(clock.NowMs(), before + 750);
}

}  // namespace

// The script player on a virtual clock: commands in order with their timing, input that lands in
// the editor's coordinates, host actions, and the ways a script ends.
#include <gtest/gtest.h>

#include "host/app/ScriptPlayer.h"
#include "platform/window/MessageBox.h"
#include "tests/support/HeadlessDesktop.h"

namespace {

class FakeActions : public ScriptActions {
public:
    win::Point origin{100, 50};  // the editor's top-left corner on the screen

    win::Point EditorToScreen(win::Point p) override { return origin + p; }
    win::Point HostButtonOnScreen(HostButton button) override {
        log.push_back(std::string("button ") + HostButtonName(button));
        return {5, 5};
    }
    void SetField(BlockField field, unsigned long value) override {
        log.push_back(std::string("set ") + FieldName(field) + " " + std::to_string(value) + " @" + Now());
    }
    int ControllerChange(int port, int channel, int controller, int value) override {
        log.push_back("cc " + std::to_string(port) + " " + std::to_string(channel) + " " + std::to_string(controller) +
                      " " + std::to_string(value));
        return 1;
    }
    bool RestoreAutomation(BlockField field, int, int, int) override {
        log.push_back(std::string("automate ") + FieldName(field));
        return acceptAutomation;
    }
    void ShowEditor(bool show) override { log.push_back(show ? "show" : "hide"); }
    bool SaveScreenshot(const std::string& path, std::string* error) override {
        log.push_back("screenshot " + path);
        if (!screenshotsWork) *error = "cannot write screenshot " + path;
        return screenshotsWork;
    }
    void ScriptEnded(bool quitRequested, const std::string& error) override {
        ++ends;
        endedByQuit = quitRequested;
        endError = error;
    }

    std::string Now() const { return std::to_string(win::GetClock().NowMs()); }

    std::vector<std::string> log;
    bool acceptAutomation = true;
    bool screenshotsWork = true;
    int ends = 0;
    bool endedByQuit = false;
    std::string endError;
};

// Records where clicks and keys land, in its own client coordinates.
class Target : public win::Window {
public:
    std::vector<std::string> events;

    bool asks = false;  // a click asks a question in a message box

protected:
    void OnLButtonDown(win::UINT, win::Point p) override {
        Add("down", p);
        if (asks) events.push_back("answer " + std::to_string(win::MessageBoxA(GetSafeHwnd(), "Sure?", "Q", win::MB_OKCANCEL)));
    }
    void OnLButtonUp(win::UINT, win::Point p) override { Add("up", p); }
    void OnRButtonDown(win::UINT, win::Point p) override { Add("rdown", p); }
    void OnKeyDown(win::UINT key, win::UINT, win::UINT) override {
        events.push_back("key " + std::to_string(key) + (win::GetKeyState(win::VK_SHIFT) < 0 ? " shift" : ""));
    }

private:
    void Add(const char* what, win::Point p) {
        events.push_back(std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
};

class ScriptPlayerTest : public testsupport::HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        ASSERT_TRUE(target.CreateEx(0, nullptr, "Target", win::WS_POPUP | win::WS_VISIBLE,
                                    win::Rect::FromSize(100, 50, 400, 300), nullptr, 0));
        target.SetFocus();
        Pump();
    }

    // Plays a script to its end (or at most ten virtual seconds).
    void Play(const std::string& text) {
        script::ParseResult parsed = script::Parse(text, "t");
        ASSERT_TRUE(parsed.Ok()) << parsed.errors.front();
        player = std::make_unique<ScriptPlayer>(std::move(parsed.commands), "t", actions);
        ASSERT_TRUE(player->Start());
        for (int i = 0; i < 1000 && !player->Finished(); ++i) Advance(10);
    }

    FakeActions actions;
    Target target;
    std::unique_ptr<ScriptPlayer> player;
};

TEST_F(ScriptPlayerTest, PointerCommandsLandInEditorCoordinates) {
    Play("click 10 20\nrclick 30 40\ndrag 0 0 60 0\n");
    EXPECT_EQ(target.events, (std::vector<std::string>{"down 10,20", "up 10,20", "rdown 30,40", "down 0,0", "up 60,0"}));
    EXPECT_EQ(actions.ends, 1);
    EXPECT_FALSE(actions.endedByQuit);
}

TEST_F(ScriptPlayerTest, KeysAndTextGoToTheFocusWithModifiers) {
    Play("key Shift+Tab\ntype aB\n");
    EXPECT_EQ(target.events,
              (std::vector<std::string>{"key 16 shift", "key 9 shift", "key 65", "key 16 shift", "key 66 shift"}));
}

TEST_F(ScriptPlayerTest, WaitsLetVirtualTimePassBetweenCommands) {
    const std::uint64_t start = clock.NowMs();
    Play("set lowFreq 1\nwait 500\nset lowFreq 2\n");
    ASSERT_EQ(actions.log.size(), 2u);
    const auto at = [&](size_t i) { return std::stoull(actions.log[i].substr(actions.log[i].find('@') + 1)); };
    // The first set takes its own 10 ms tick, then the wait its 500 ms.
    EXPECT_EQ(at(1) - at(0), 510u);
    EXPECT_GE(at(0), start + 10);
}

TEST_F(ScriptPlayerTest, HostCommandsReachTheActionsInOrder) {
    Play("automate effect 0 0 7\ncc 0 0 7 90\nshow 0\npress presets\nscreenshot a.png\nshow 1\n");
    EXPECT_EQ(actions.log, (std::vector<std::string>{"automate effect", "cc 0 0 7 90", "hide", "button presets",
                                                     "screenshot a.png", "show"}));
}

TEST_F(ScriptPlayerTest, QuitStopsTheScriptThere) {
    Play("show 0\nquit\nshow 1\n");
    EXPECT_EQ(actions.log, (std::vector<std::string>{"hide"}));
    EXPECT_EQ(actions.ends, 1);
    EXPECT_TRUE(actions.endedByQuit);
    EXPECT_TRUE(actions.endError.empty());
}

TEST_F(ScriptPlayerTest, FailingCommandEndsTheScriptWithItsLine) {
    actions.screenshotsWork = false;
    Play("show 0\n\nscreenshot x/y.png\nshow 1\n");
    EXPECT_EQ(actions.ends, 1);
    EXPECT_EQ(actions.endError, "t:3: cannot write screenshot x/y.png");
    EXPECT_EQ(actions.log.back(), "screenshot x/y.png");

    actions = FakeActions();
    actions.acceptAutomation = false;
    Play("automate lowFreq 3 15 127\n");
    EXPECT_EQ(actions.endError, "t:1: the slot refused the registration");
}

TEST_F(ScriptPlayerTest, ScriptAnswersAModalMessageBoxItOpened) {
    target.asks = true;
    Play("click 10 10\nwait 100\nkey Escape\nset effect 1\n");
    ASSERT_EQ(actions.ends, 1);
    ASSERT_EQ(target.events.size(), 2u);
    EXPECT_EQ(target.events[1], "answer " + std::to_string(win::IDCANCEL));
    EXPECT_EQ(actions.log.size(), 1u);
}

TEST_F(ScriptPlayerTest, EmptyScriptEndsAtOnce) {
    Play("");
    EXPECT_EQ(actions.ends, 1);
    EXPECT_EQ(player->CommandsRun(), 0u);
}

}  // namespace

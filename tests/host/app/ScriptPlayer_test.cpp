// The script player on a virtual clock: commands in order with their timing, input that lands in
// the editor's coordinates, host actions, and the ways a script ends.
#include <gtest/gtest.h>

#include "host/app/ScriptPlayer.h"
#include "platform/gdi/Font.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/controls/ComboBoxMessages.h"
#include "platform/window/controls/EditMessages.h"
#include "platform/window/MessageBox.h"
#include "platform/window/controls/ListBoxControl.h"
#include "platform/window/controls/ListBoxMessages.h"
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
    const CEffectsPlugin& Slot() override { return *slot; }
    std::string BindEffect(bool bind) override {
        log.push_back(bind ? "seteffect slot" : "seteffect none");
        return {};
    }
    std::string RefreshEffectAutomation() override {
        log.push_back("refresh");
        return {};
    }
    std::string SetEditorAlive(bool alive) override {
        log.push_back(alive ? "editor create" : "editor destroy");
        return alive ? "no component" : "";
    }
    bool SaveScreenshot(const std::string& path, std::string* error) override {
        log.push_back("screenshot " + path);
        if (!screenshotsWork) *error = "cannot write screenshot " + path;
        return screenshotsWork;
    }
    void Print(const std::string& line) override { log.push_back("print " + line); }
    void ScriptEnded(bool quitRequested, const std::string& error) override {
        ++ends;
        endedByQuit = quitRequested;
        endError = error;
    }

    std::string Now() const { return std::to_string(win::GetClock().NowMs()); }

    std::vector<std::string> log;
    std::shared_ptr<CEffectsPlugin> slot = std::make_shared<CEffectsPlugin>();
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
    std::function<void()> onClick;

protected:
    void OnLButtonDown(win::UINT, win::Point p) override {
        Add("down", p);
        if (asks) events.push_back("answer " + std::to_string(win::MessageBoxA(GetSafeHwnd(), "Sure?", "Q", win::MB_OKCANCEL)));
        if (onClick) onClick();
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

// A patch name dialog with an edit field and a list, exchanging both with its members.
class NameDialog : public win::Dialog {
public:
    static win::DialogTemplate Template() {
        win::DialogTemplate t;
        t.style = win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU | win::DS_MODALFRAME | win::DS_SETFONT;
        t.caption = "Save Patch";
        t.fontFace = "MS Sans Serif";
        t.pointSize = 8;
        t.cx = 180;
        t.cy = 110;
        const win::DWORD field = win::WS_VISIBLE | win::WS_TABSTOP | win::WS_BORDER;
        t.items = {{"Edit", "", 10, field | win::ES_AUTOHSCROLL, 0, 7, 7, 110, 14},
                   {"ListBox", "", 11, field | win::WS_VSCROLL | win::LBS_NOTIFY, 0, 7, 26, 110, 60},
                   {"ComboBox", "", 12, field | win::WS_VSCROLL | win::CBS_DROPDOWNLIST, 0, 7, 90, 110, 40},
                   {"Button", "OK", win::IDOK, win::WS_VISIBLE | win::WS_TABSTOP | win::BS_DEFPUSHBUTTON, 0, 125, 7, 50, 14}};
        return t;
    }
    NameDialog() : win::Dialog(Template()) {}

    std::string name = "Init";
    std::string chosen;
    int port = -1;

protected:
    win::BOOL OnInitDialog() override {
        for (const char* line : {"Hall", "Cathedral", "Plat\xE9", "Room"})
            GetDlgItem(11)->SendMessage(win::LB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(line));
        for (const char* port : {"Port 1", "Port 2", "Port 3", "Port 4"})
            GetDlgItem(12)->SendMessage(win::CB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(port));
        GetDlgItem(12)->SendMessage(win::CB_SETCURSEL, 0);
        return win::Dialog::OnInitDialog();
    }
    void OnOK() override {
        port = static_cast<int>(GetDlgItem(12)->SendMessage(win::CB_GETCURSEL));
        win::Dialog::OnOK();
    }
    void DoDataExchange(win::DataExchange& dx) override {
        win::DDX_Text(dx, 10, name);
        win::DDX_LBString(dx, 11, chosen);
    }
};

// A script drives a modal dialog opened by a click as a user would: it types into the field that
// has the focus, picks a line by its UTF-8 text and one in a combo box's dropped list, reads the
// field and the combo back and presses OK by its id.
TEST_F(ScriptPlayerTest, ScriptFillsInAModalDialogAndPressesOk) {
    NameDialog dialog;
    win::INT_PTR result = 0;
    target.onClick = [&] { result = dialog.DoModal(); };
    Play("click 10 10\nwait 50\nkey End\nkey Space\ntype Warm \xC3\xA9\nselect 11 Plat\xC3\xA9\nprint 10\nselect 12 Port 3\nprint 12\nclickid 1\nshow 0\n");
    EXPECT_EQ(result, win::IDOK);
    EXPECT_EQ(dialog.name, "Init Warm \xE9") << "typed after the initial text, in Windows-1252";
    EXPECT_EQ(dialog.chosen, "Plat\xE9");
    EXPECT_EQ(dialog.port, 2);
    EXPECT_EQ(actions.log, (std::vector<std::string>{"print Init Warm \xC3\xA9", "print Port 3", "print   Port 1",
                                                     "print   Port 2", "print > Port 3", "print   Port 4", "hide"}));
}

// A window above the target, placed where a script cannot know it, with a list of 40 lines and a
// child button: the window commands find it, its controls by id and its lines by text.
TEST_F(ScriptPlayerTest, WindowCommandsActOnTheTopMostWindowAndItsControls) {
    Target top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Choose", win::WS_POPUP | win::WS_VISIBLE, win::Rect::FromSize(321, 123, 200, 150),
                             nullptr, 0));
    win::ListBoxControl list;
    auto font = win::CreateFontA(-11, 0, 0, 0, win::FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    ASSERT_TRUE(list.CreateEx(0, "ListBox", "", win::WS_CHILD | win::WS_VISIBLE | win::WS_VSCROLL | win::LBS_NOTIFY,
                              win::Rect::FromSize(10, 10, 120, 60), &top, 1000));
    list.SetFont(font.get());
    for (int i = 0; i < 40; ++i)
        list.SendMessage(win::LB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(("Line " + std::to_string(i)).c_str()));
    Target button;
    ASSERT_TRUE(button.CreateEx(0, nullptr, "Go", win::WS_CHILD | win::WS_VISIBLE, win::Rect::FromSize(140, 100, 40, 20),
                                &top, 7));
    Pump();

    Play("wclick 5 6\nclickid 7\nselect 1000 line 33\nprint\nprint 7\nprint 1000\n");
    EXPECT_EQ(top.events, (std::vector<std::string>{"down 5,6", "up 5,6"}));
    EXPECT_EQ(button.events, (std::vector<std::string>{"down 20,10", "up 20,10"}));
    EXPECT_EQ(list.SendMessage(win::LB_GETCURSEL), 33) << "the line clicked after scrolling it into view";
    ASSERT_EQ(actions.log.size(), 42u);
    EXPECT_EQ(actions.log[0], "print Choose");
    EXPECT_EQ(actions.log[1], "print Go");
    EXPECT_EQ(actions.log[2], "print   Line 0");
    EXPECT_EQ(actions.log[35], "print > Line 33");
    EXPECT_TRUE(target.events.empty()) << "nothing reaches the window underneath";

    for (const auto& [script, error] : std::vector<std::pair<std::string, std::string>>{
             {"clickid 99\n", "t:1: \"Choose\" has no control 99"},
             {"select 1000 Line 99\n", "t:1: list 1000 of \"Choose\" has no line \"Line 99\""},
             {"select 7 Go\n", "t:1: control 7 of \"Choose\" is not a list box or a combo box"}}) {
        actions = FakeActions();
        Play(script);
        EXPECT_EQ(actions.endError, error);
    }
}

TEST_F(ScriptPlayerTest, EmptyScriptEndsAtOnce) {
    Play("");
    EXPECT_EQ(actions.ends, 1);
    EXPECT_EQ(player->CommandsRun(), 0u);
}

TEST_F(ScriptPlayerTest, ChecksPrintTheSlotAndStopAtTheFirstThatFails) {
    tagEffectParams* block = actions.slot->GetInterface();
    block->lowFreq.value = 70;
    actions.slot->AddAutomation(&block->lowFreq, 1, 2, 7);
    Play("print lowFreq\nexpect lowFreq 70\nexpect-call AddAutomation(lowFreq, 1, 2, 7)\ndump\n"
         "expect statusFlags 0x10\nprint effect\n");
    EXPECT_EQ(actions.log, (std::vector<std::string>{
                               "print lowFreq = 70",
                               "print {\"effect\":0,\"lowFreq\":70,\"midFreq\":0,\"highFreq\":0,\"midCutoff\":0,"
                               "\"programNumber\":0,\"optionFlags\":0,\"statusFlags\":0,\"presetsAvailable\":1,"
                               "\"bypass\":false,\"registrations\":[{\"field\":\"lowFreq\",\"port\":1,\"channel\":2,"
                               "\"controller\":7}]}"}));
    EXPECT_EQ(actions.endError, "t:5: expected statusFlags = 16, found 0");
    EXPECT_TRUE(actions.endedByQuit);
}

TEST_F(ScriptPlayerTest, ExpectCallLooksOnlyAtCallsAfterTheLastOneItFound) {
    tagEffectParams* block = actions.slot->GetInterface();
    actions.slot->IsAutomated(&block->midFreq);
    actions.slot->SetBypassMode(true);
    Play("expect-call SetBypassMode(1)\nexpect-call IsAutomated(midFreq)\n");
    EXPECT_EQ(actions.endError,
              "t:2: expected the call IsAutomated(midFreq), but the editor made no call since the last expect-call");

    actions.endError.clear();
    Play("expect-call GetBypassMode()\n");
    EXPECT_EQ(actions.endError, "t:1: expected the call GetBypassMode(), but the editor made IsAutomated(midFreq), "
                                "SetBypassMode(1) since the last expect-call");
}

TEST_F(ScriptPlayerTest, ExpectOnASlotWithoutABlockFails) {
    actions.slot = std::make_shared<CEffectsPlugin>(CEffectsPlugin::Block::Absent);
    Play("expect bypass 0\nprint midCutoff\nexpect midCutoff 0\n");
    EXPECT_EQ(actions.log, (std::vector<std::string>{"print midCutoff = none"}));
    EXPECT_EQ(actions.endError, "t:3: expected midCutoff = 0, found no parameter block");
}

TEST_F(ScriptPlayerTest, ButtonStaysDownAcrossCommandsAndHostOperationsReachTheActions) {
    Play("down 5 6\nmove 40 6\nseteffect none\nup 40 6\nrefresh-automation\nseteffect slot\neditor destroy\n"
         "editor create\nshow 1\n");
    EXPECT_EQ(target.events, (std::vector<std::string>{"down 5,6", "up 40,6"}));
    EXPECT_EQ(actions.log, (std::vector<std::string>{"seteffect none", "refresh", "seteffect slot", "editor destroy",
                                                     "editor create"}));
    EXPECT_EQ(actions.endError, "t:8: no component");
}

}  // namespace


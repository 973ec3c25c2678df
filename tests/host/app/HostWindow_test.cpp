// The host window on a headless desktop: its buttons reach the session, hand the keyboard back to
// the editor, and the readout follows the slot.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/app/HostWindow.h"
#include "tests/support/HeadlessDesktop.h"

namespace {

class FakeListener : public HostWindow::Listener {
public:
    void OnHostButton(HostButton button) override { buttons.push_back(button); }
    void OnHostWindowClose() override { ++closes; }
    void OnEditorCloseRequest() override { ++editorCloses; }

    std::vector<HostButton> buttons;
    int closes = 0;
    int editorCloses = 0;
};

// Stands in for the component's editor: a child of the editor area that keeps the keyboard and,
// like the editor's controls, would drop its selection whenever it lost it.
class FakeEditor : public win::Window {
public:
    int focusLosses = 0;

protected:
    win::UINT OnGetDlgCode() override { return win::DLGC_WANTALLKEYS; }
    void OnKillFocus(win::Window*) override { ++focusLosses; }
};

class HostWindowTest : public testsupport::HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        ASSERT_TRUE(window.Create("Host", {0, 0}, &listener));
        ASSERT_TRUE(editor.Create(nullptr, "Editor", win::WS_CHILD | win::WS_VISIBLE,
                                  win::Rect::FromSize(0, 0, EditorArea::kSize.cx, EditorArea::kSize.cy),
                                  &window.Editor(), 200));
        Pump();
    }

    CEffectsPlugin slot;
    FakeListener listener;
    HostWindow window{slot};
    FakeEditor editor;
};

TEST_F(HostWindowTest, LayoutHoldsTheWholeEditorBesideTheReadout) {
    const win::Rect area = window.Editor().WindowRect();
    EXPECT_EQ(area.Width(), 582);
    EXPECT_EQ(area.Height(), 408);
    const win::Rect readout = window.Readout().WindowRect();
    EXPECT_GE(readout.left, area.right);
    EXPECT_TRUE(window.WindowRect().Intersect(readout) == readout);
    const win::Size outer = HostWindow::OuterSize();
    EXPECT_EQ(window.WindowRect().Width(), outer.cx);
    EXPECT_EQ(window.WindowRect().Height(), outer.cy);
}

TEST_F(HostWindowTest, ButtonClicksReachTheListenerAndNeverTakeTheKeyboardFromTheEditor) {
    editor.SetFocus();
    ClickAt(window.ButtonCenterOnScreen(HostButton::MidiCc));
    ClickAt(window.ButtonCenterOnScreen(HostButton::Clip));
    EXPECT_EQ(listener.buttons, (std::vector<HostButton>{HostButton::MidiCc, HostButton::Clip}));
    EXPECT_EQ(win::Window::GetFocus(), &editor);
    EXPECT_EQ(editor.focusLosses, 0);
}

TEST_F(HostWindowTest, APressReleasedOutsideTheButtonClicksNothing) {
    editor.SetFocus();
    const win::Point center = window.ButtonCenterOnScreen(HostButton::Presets);
    win::InjectMouseButton(center, 0, true);
    win::InjectMouseMove({center.x + 200, center.y});
    win::InjectMouseButton({center.x + 200, center.y}, 0, false);
    Pump();
    EXPECT_TRUE(listener.buttons.empty());
    EXPECT_EQ(editor.focusLosses, 0);
}

TEST_F(HostWindowTest, AHiddenEditorKeepsTheKeyboardForWhenItShowsAgain) {
    editor.SetFocus();
    window.Editor().ShowWindow(win::SW_HIDE);
    window.Editor().ShowWindow(win::SW_SHOW);
    EXPECT_EQ(win::Window::GetFocus(), &editor);
    EXPECT_EQ(editor.focusLosses, 0);
    // Destroyed is another matter: the focus cannot stay in a window that is gone.
    editor.DestroyWindow();
    EXPECT_NE(win::Window::GetFocus(), &editor);
}

TEST_F(HostWindowTest, FocusFromOutsideTheEditorStaysOnTheButton) {
    window.SetFocus();
    ClickAt(window.ButtonCenterOnScreen(HostButton::Presets));
    ASSERT_EQ(listener.buttons.size(), 1u);
    win::Window* focus = win::Window::GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->GetDlgCtrlID(), HostButtonId(HostButton::Presets));
}

TEST_F(HostWindowTest, EditorAreaReturnsToItsPlaceAfterTheEditorDragsIt) {
    EditorArea& area = window.Editor();
    const win::Rect docked = area.RectInParent();
    // What the panel does on a press on an empty spot: it moves the window that holds the editor.
    for (int dy = -5; dy >= -40; dy -= 5) area.MoveWindow(docked.left + 3, docked.top + dy, 582, 408);
    EXPECT_NE(area.RectInParent(), docked);
    Pump();
    EXPECT_EQ(area.RectInParent(), docked);
}

TEST_F(HostWindowTest, EditorCloseRequestArrivesThroughTheQueue) {
    window.PostEditorCloseRequest();
    EXPECT_EQ(listener.editorCloses, 0);
    Pump();
    EXPECT_EQ(listener.editorCloses, 1);
}

TEST_F(HostWindowTest, CloseBoxAsksTheListenerAndKeepsTheWindow) {
    window.SendMessage(win::WM_CLOSE);
    EXPECT_EQ(listener.closes, 1);
    EXPECT_TRUE(win::IsWindow(window.GetSafeHwnd()));
}

TEST_F(HostWindowTest, ReadoutFollowsTheSlotOnItsTimer) {
    slot.SetValueFromHost(&slot.GetInterface()->midFreq, 17);
    EXPECT_NE(window.Readout().Shown().values[2], 17);
    Advance(ReadoutPanel::kRefreshMs);
    EXPECT_EQ(window.Readout().Shown().values[2], 17);
}

TEST_F(HostWindowTest, ButtonTextAndStatusCanBeChanged) {
    window.SetButtonText(HostButton::Editor, "Show editor");
    window.SetStatus("Ready.");
    EXPECT_EQ(window.Status(), "Ready.");
    win::Window* button = window.GetDlgItem(HostButtonId(HostButton::Editor));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetWindowText(), "Show editor");
}

TEST_F(HostWindowTest, ReadoutMetersShowTheEnginesPeaksFallingBackAndTheClipHold) {
    tagEffectParams block{};
    block.effect.value = 127;
    block.lowFreq.value = block.midFreq.value = block.highFreq.value = block.midCutoff.value = 64;
    block.optionFlags = OPTION_LEFT_OUT | OPTION_RIGHT_OUT;
    eq::EqualiserEngine engine(48000, eq::SettingsFromBlock(block, false));
    window.Readout().SetEngine(&engine);
    std::size_t played = 0;
    auto play = [&](float left, float right) {
        std::vector<float> stereo(2 * 4800);
        for (std::size_t i = 0; i < 4800; ++i, ++played) {
            stereo[2 * i] = left * float(std::sin(0.05 * double(played)));
            stereo[2 * i + 1] = right * float(std::sin(0.05 * double(played)));
        }
        engine.Process(stereo.data(), 4800);
    };
    // The tone's onset rings over its peak for a moment; then it is steady.
    play(0.5f, 0.25f);
    Advance(60 * ReadoutPanel::kRefreshMs);
    play(0.5f, 0.25f);
    Advance(ReadoutPanel::kRefreshMs);
    EXPECT_NEAR(window.Readout().Meter().LevelDb(0), -6.0, 0.2);
    EXPECT_NEAR(window.Readout().Meter().LevelDb(1), -12.0, 0.2);
    EXPECT_FALSE(window.Readout().Meter().ClipHeld());

    // Silence: the meters fall back at their rate instead of dropping at once.
    Advance(5 * ReadoutPanel::kRefreshMs);
    EXPECT_NEAR(window.Readout().Meter().LevelDb(0), -6.0 - 0.5 * OutputMeter::kFallDbPerSecond, 0.3);

    play(2.0f, 0.1f);
    Advance(ReadoutPanel::kRefreshMs);
    EXPECT_TRUE(window.Readout().Meter().ClipHeld());
    EXPECT_GT(window.Readout().Meter().LevelDb(0), 5.5);
    EXPECT_EQ(OutputMeter::FormatDb(window.Readout().Meter().LevelDb(0)).front(), '+');
    EXPECT_EQ(OutputMeter::FormatDb(OutputMeter::kFloorDb), "-inf");
    window.Readout().SetEngine(nullptr);
}

}  // namespace

namespace {

class FloatingEditorTest : public testsupport::HeadlessDesktopTest {};

TEST_F(FloatingEditorTest, TheEditorFloatsInAWindowOfItsOwnThatItsDragMoves) {
    CEffectsPlugin slot;
    FakeListener listener;
    HostWindow window{slot};
    win::Desktop::Instance().SetSize({1600, 900});
    ASSERT_TRUE(window.Create("Host", {10, 20}, &listener, true));
    EditorArea& area = window.Editor();
    EXPECT_EQ(area.GetParent(), nullptr);
    EXPECT_EQ(area.GetOwner(), &window);
    EXPECT_TRUE(area.GetExStyle() & win::WS_EX_APPWINDOW);
    EXPECT_TRUE(area.IsWindowVisible());
    EXPECT_EQ(area.WindowRect().GetSize(), EditorArea::kSize);
    // Beside the host window, which keeps the readout and the buttons without the editor's room.
    EXPECT_GE(area.WindowRect().left, window.WindowRect().right);
    EXPECT_EQ(window.WindowRect().GetSize(), HostWindow::OuterSize(true));
    EXPECT_LT(HostWindow::OuterSize(true).cx, HostWindow::OuterSize().cx / 2);
    for (HostButton button : AllHostButtons())
        EXPECT_TRUE(window.WindowRect().Contains(window.ButtonCenterOnScreen(button)));

    const win::Rect before = area.WindowRect();
    area.MoveWindow(before.left - 30, before.top + 40, 582, 408);
    Pump();
    EXPECT_EQ(area.WindowRect(), before.Offset(-30, 40));
    window.DestroyWindow();
    EXPECT_FALSE(win::IsWindow(area.GetSafeHwnd()));
}

}  // namespace

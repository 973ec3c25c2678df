// The host window on a headless desktop: its buttons reach the session, hand the keyboard back to
// the editor, and the readout follows the slot.
#include <gtest/gtest.h>

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

// Stands in for the component's editor: a child of the editor area that keeps the keyboard.
class FakeEditor : public win::Window {
protected:
    win::UINT OnGetDlgCode() override { return win::DLGC_WANTALLKEYS; }
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

TEST_F(HostWindowTest, ButtonClicksReachTheListenerAndGiveTheKeyboardBackToTheEditor) {
    editor.SetFocus();
    ClickAt(window.ButtonCenterOnScreen(HostButton::MidiCc));
    ClickAt(window.ButtonCenterOnScreen(HostButton::Clip));
    EXPECT_EQ(listener.buttons, (std::vector<HostButton>{HostButton::MidiCc, HostButton::Clip}));
    EXPECT_EQ(win::Window::GetFocus(), &editor);
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

// The editor host window that CreateEditor puts into the host's window: its shape, its font, its
// visibility with the panel's poll timer, its tooltips and its dialog-style keyboard handling.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/gdi/DrawTrace.h"
#include "platform/gdi/Font.h"
#include "platform/window/Dialog.h"
#include "tests/component/shell/ComponentShellTest.h"

using namespace win;
using shelltest::ComponentShellTest;

namespace {

constexpr int kPanelId = 61446;

class EditorHostTest : public ComponentShellTest {
protected:
    void SetUp() override {
        ComponentShellTest::SetUp();
        component = NewComponent();
        ASSERT_NE(component, nullptr);
        component->SetEffect(&slot);
    }

    // Creates the editor in the host's window; null when that failed.
    Window* MakeEditor() {
        HWND hwnd = component->CreateEditor(hostWindow.GetSafeHwnd());
        Pump();
        return Window::FromHandle(hwnd);
    }

    static void ExpectFormFont(Window* window, const char* what) {
        auto* font = reinterpret_cast<Font*>(window->SendMessage(WM_GETFONT));
        ASSERT_NE(font, nullptr) << what;
        const LOGFONTA& lf = font->LogFont();
        EXPECT_EQ(lf.lfHeight, 14) << what;
        EXPECT_EQ(lf.lfWidth, 0) << what;
        EXPECT_EQ(lf.lfWeight, 400) << what;
        EXPECT_EQ(lf.lfCharSet, 0) << what;
        EXPECT_EQ(lf.lfQuality, 4) << what;
        EXPECT_EQ(lf.lfPitchAndFamily, 0x20) << what;
        EXPECT_STREQ(lf.lfFaceName, "Arial") << what;
    }

    CEffectsPlugin slot;
    IEffectComponent* component = nullptr;
};

TEST_F(EditorHostTest, EditorIsAFixedSizeChildAtTheParentsClientOrigin) {
    Window* editor = MakeEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetParent(), &hostWindow);
    EXPECT_EQ(editor->RectInParent(), (Rect{0, 0, 582, 408}));
    EXPECT_EQ(editor->ClientRect(), (Rect{0, 0, 582, 408}));
    EXPECT_EQ(editor->WindowRect().TopLeft(), hostWindow.ClientOriginOnScreen());
    EXPECT_EQ(editor->GetWindowText(), "KVX 4 EQ (Stereo Contour)");
    EXPECT_EQ(editor->GetDlgCtrlID(), 200);
    EXPECT_EQ(editor->GetStyle() & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(editor->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_TRUE(editor->ToolTipsEnabled());

    Window* frame = editor->GetDlgItem(1035);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetStyle() & WS_VISIBLE, 0u);
    ExpectFormFont(editor, "editor host");
    ExpectFormFont(frame, "frame");
    EXPECT_EQ(frame->SendMessage(WM_GETFONT), editor->SendMessage(WM_GETFONT));
}

TEST_F(EditorHostTest, ASecondCreateEditorAnswersTheFirstEditorAndChangesNothing) {
    Window* editor = MakeEditor();
    ASSERT_NE(editor, nullptr);
    IEffectComponent* other = NewComponent();
    other->SetEffect(&slot);
    ASSERT_NE(other->CreateEditor(otherHostWindow.GetSafeHwnd()), nullptr);
    ASSERT_EQ(CurrentComponent(), Object(other));
    const size_t windows = WindowSystem::Instance().WindowCount();

    EXPECT_EQ(component->CreateEditor(otherHostWindow.GetSafeHwnd()), editor->GetSafeHwnd());
    EXPECT_EQ(WindowSystem::Instance().WindowCount(), windows);
    EXPECT_EQ(editor->GetParent(), &hostWindow);
    EXPECT_EQ(Object(component)->ParentWindow(), hostWindow.GetSafeHwnd());
    EXPECT_EQ(CurrentComponent(), Object(other));
}

TEST_F(EditorHostTest, AnEditorThatCouldNotBeMadeStaysUnmade) {
    Window doomed;
    ASSERT_TRUE(doomed.Create(nullptr, "Gone", WS_OVERLAPPED, {0, 0, 100, 100}, nullptr, 0));
    HWND dead = doomed.GetSafeHwnd();
    doomed.DestroyWindow();
    const size_t windows = WindowSystem::Instance().WindowCount();

    EXPECT_EQ(component->CreateEditor(dead), nullptr);
    EXPECT_EQ(WindowSystem::Instance().WindowCount(), windows);
    EXPECT_EQ(CurrentComponent(), Object(component));
    EXPECT_EQ(component->CreateEditor(hostWindow.GetSafeHwnd()), nullptr) << "the unmade editor is kept";
    EXPECT_TRUE(component->ShowEditor(true));
    EXPECT_EQ(WindowSystem::Instance().WindowCount(), windows);
}

TEST_F(EditorHostTest, ShowEditorBeforeCreateEditorDoesNothing) {
    bool modal = false;
    WhenModal([&] { modal = true; });
    const size_t windows = WindowSystem::Instance().WindowCount();
    EXPECT_TRUE(component->ShowEditor(true));
    EXPECT_TRUE(component->ShowEditor(false));
    EXPECT_EQ(WindowSystem::Instance().WindowCount(), windows);
    EXPECT_FALSE(modal);
    EXPECT_EQ(Object(component)->EditorHost(), nullptr);
}

TEST_F(EditorHostTest, ShowingAndHidingRunsThePanelsPollTimer) {
    Window* editor = MakeEditor();
    ASSERT_NE(editor, nullptr);
    Window* panel = editor->GetDlgItem(61446);
    ASSERT_NE(panel, nullptr);
    WindowSystem& system = WindowSystem::Instance();
    EXPECT_TRUE(system.HasTimer(panel, 4)) << "the panel starts polling when it is made";

    EXPECT_TRUE(component->ShowEditor(false));
    EXPECT_FALSE(editor->IsWindowVisible());
    EXPECT_FALSE(system.HasTimer(panel, 4));

    EXPECT_TRUE(component->ShowEditor(true));
    EXPECT_TRUE(editor->IsWindowVisible());
    ASSERT_TRUE(system.HasTimer(panel, 4));
    EXPECT_EQ(system.NextTimerDue(), clock.NowMs() + 300);

    EXPECT_TRUE(component->ShowEditor(false));
    EXPECT_FALSE(system.HasTimer(panel, 4));
}

TEST_F(EditorHostTest, ATimerThatCannotStartIsReportedAndTheEditorStaysShown) {
    Window* editor = MakeEditor();
    ASSERT_NE(editor, nullptr);
    component->ShowEditor(false);
    WindowSystem::Instance().SetTimerLimit(0);

    std::string caption;
    bool textShown = false;
    WhenModal([&] {
        Window* box = Window::GetActiveWindow();
        ASSERT_NE(box, nullptr);
        caption = box->GetWindowText();
        ScopedDrawTrace trace;
        box->RedrawWindow();
        for (const DrawTraceEntry& entry : trace.Entries())
            if (entry.op == DrawOp::TextOut && entry.text == "ERROR: Set Timer Failed") textShown = true;
        InjectKeyPress(VK_RETURN);
    });
    EXPECT_TRUE(component->ShowEditor(true));
    EXPECT_EQ(caption, "KVX4");
    EXPECT_TRUE(textShown);
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_EQ(CurrentModule(), hostModule_);
}

TEST_F(EditorHostTest, ToolTipTextIsTheLibrarysStringWithTheToolsControlId) {
    Window* editor = MakeEditor();
    ASSERT_NE(editor, nullptr);
    Window* panel = editor->GetDlgItem(kPanelId);
    ASSERT_NE(panel, nullptr);
    Window unnamed;
    ASSERT_TRUE(unnamed.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, editor, 0));

    auto ask = [&](UINT_PTR idFrom, UINT flags) {
        TOOLTIPTEXTA request;
        std::strcpy(request.szText, "untouched");
        request.hdr.idFrom = idFrom;
        request.hdr.code = TTN_NEEDTEXTA;
        request.uFlags = flags;
        editor->SendMessage(WM_NOTIFY, idFrom, reinterpret_cast<LPARAM>(&request));
        return std::string(request.lpszText ? request.lpszText : request.szText);
    };
    EXPECT_EQ(ask(reinterpret_cast<UINT_PTR>(panel->GetSafeHwnd()), TTF_IDISHWND), "Corvane FX 1 Control");
    EXPECT_EQ(ask(61448, 0), "FX Contour");
    EXPECT_EQ(ask(reinterpret_cast<UINT_PTR>(unnamed.GetSafeHwnd()), TTF_IDISHWND), "untouched");
    EXPECT_EQ(ask(0, 0), "untouched");
    EXPECT_EQ(CurrentModule(), hostModule_);
}

TEST_F(EditorHostTest, TabMovesTheFocusAmongTheEditorsControls) {
    Window* editor = MakeEditor();
    ASSERT_NE(editor, nullptr);
    Window first, second;
    ASSERT_TRUE(first.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, {0, 0, 50, 50}, editor, 1));
    ASSERT_TRUE(second.Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, {60, 0, 110, 50}, editor, 2));
    Window* panel = editor->GetDlgItem(61446);
    ASSERT_NE(panel, nullptr);
    first.SetFocus();
    Press(VK_TAB);
    EXPECT_EQ(Window::GetFocus(), &second);
    Press(VK_TAB);
    EXPECT_EQ(Window::GetFocus(), panel);
    Press(VK_TAB);
    EXPECT_EQ(Window::GetFocus(), &first);
}

}  // namespace

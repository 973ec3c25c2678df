// Dialogs as windows: their captions and close box, the owner a modal dialog disables, the
// framework's centring after the initialisation and the focus it gives.
#include <gtest/gtest.h>

#include <memory>

#include "platform/window/ControlMessages.h"
#include "platform/window/Dialog.h"
#include "platform/window/SystemMetrics.h"
#include "tests/platform/window/SampleDialogs.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

class DialogFrameTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        testsupport::RegisterDialogTestControls();
        owner.Create(nullptr, "Host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {100, 80, 700, 480}, nullptr, 0);
        Pump();
    }

    static DialogTemplate Small(DWORD style = sampledialogs::kModalFrame, DWORD exStyle = 0) {
        DialogTemplate t = sampledialogs::Base("Small", 100, 50);
        t.style = style;
        t.exStyle = exStyle;
        t.x = 10;
        t.y = 10;
        t.items.push_back({"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 25, 30, 50, 14});
        return t;
    }
    static Point Center(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    Window owner;
};

TEST_F(DialogFrameTest, CaptionsAreTheClassicHeightsAndAToolWindowHasTheSmallOne) {
    const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    Dialog normal(Small()), tool(Small(sampledialogs::kModalFrame, WS_EX_TOOLWINDOW));
    ASSERT_TRUE(normal.CreateModeless(&owner));
    ASSERT_TRUE(tool.CreateModeless(&owner));
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CYSMCAPTION), 16);
    for (Dialog* d : {&normal, &tool}) {
        const int caption = GetSystemMetrics(d == &tool ? SM_CYSMCAPTION : SM_CYCAPTION);
        const Rect outer = d->WindowRect();
        EXPECT_EQ(d->ClientOriginOnScreen() - outer.TopLeft(), (Point{frame, frame + caption}));
        EXPECT_EQ(outer.Height(), d->ClientRect().Height() + 2 * frame + caption);
    }
}

TEST_F(DialogFrameTest, CloseBoxEndsTheDialogWithCancelEvenWithoutACancelButton) {
    Dialog dialog(sampledialogs::ControllerSelections());
    bool captionClickClosed = false;
    WhenModal([&] {
        const Rect outer = dialog.WindowRect();
        const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
        ClickAt({outer.left + 40, outer.top + frame + 5});  // the caption
        captionClickClosed = dialog.GetSafeHwnd() == nullptr;
        const int boxWidth = GetSystemMetrics(SM_CXSIZE) - 2, boxHeight = GetSystemMetrics(SM_CYSIZE) - 4;
        InjectClick({outer.right - frame - 2 - boxWidth / 2, outer.top + frame + 2 + boxHeight / 2});
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(captionClickClosed);

    Dialog tool(Small(sampledialogs::kModalFrame, WS_EX_TOOLWINDOW));
    WhenModal([&] {
        const Rect outer = tool.WindowRect();
        const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
        InjectClick({outer.right - frame - 2 - (GetSystemMetrics(SM_CXSMSIZE) - 2) / 2,
                     outer.top + frame + 2 + (GetSystemMetrics(SM_CYSMSIZE) - 4) / 2});
    });
    EXPECT_EQ(tool.DoModal(), IDCANCEL);
}

TEST_F(DialogFrameTest, WithoutAParentTheActiveWindowOwnsItAndIsDisabledMeanwhile) {
    class Watching : public Dialog {
    public:
        using Dialog::Dialog;
        Window* owner = nullptr;
        bool ownerEnabledAtDestroy = false;

    protected:
        void OnDestroy() override { ownerEnabledAtDestroy = owner->IsWindowEnabled(); }
    };
    Watching dialog(Small());
    dialog.owner = &owner;
    bool seen = false;
    WhenModal([&] {
        seen = true;
        EXPECT_EQ(dialog.GetOwner(), &owner);
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(Window::GetActiveWindow(), &dialog);
        // A click on the disabled owner only brings the dialog forward.
        ClickClient(owner, {5, 5});
        EXPECT_EQ(Window::GetActiveWindow(), &dialog);
        InjectKeyPress(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(dialog.ownerEnabledAtDestroy);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(Window::GetActiveWindow(), &owner);
}

TEST_F(DialogFrameTest, ANestedModalDialogDisablesOnlyItsOwnDialogAndLeavesTheHostToTheOuterOne) {
    Dialog outer(Small()), inner(Small());
    bool innerRan = false, hostEnabledBetween = true;
    WhenModal([&] {
        WhenModal([&] {
            innerRan = true;
            EXPECT_EQ(inner.GetOwner(), &outer);
            EXPECT_FALSE(outer.IsWindowEnabled());
            EXPECT_FALSE(owner.IsWindowEnabled());
            InjectKeyPress(VK_ESCAPE);
        });
        EXPECT_EQ(inner.DoModal(), IDCANCEL);
        EXPECT_TRUE(outer.IsWindowEnabled());
        EXPECT_EQ(Window::GetActiveWindow(), &outer);
        hostEnabledBetween = owner.IsWindowEnabled();
        InjectKeyPress(VK_ESCAPE);
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_TRUE(innerRan);
    EXPECT_FALSE(hostEnabledBetween);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

// Windows destroys owned windows with their owner: the dialog goes, its loop ends as after Cancel,
// and the owner, object and all, is not touched again.
TEST_F(DialogFrameTest, AnOwnerDeletedWhileTheDialogRunsTakesTheDialogWithIt) {
    auto host = std::make_unique<Window>();
    host->Create(nullptr, "Second host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {50, 50, 450, 350}, nullptr, 0);
    Dialog dialog(Small(), host.get());
    WhenModal([&] { host.reset(); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogFrameTest, TheFrameworkCentresTheDialogOnItsOwnerUnlessItsInitialisationMovedIt) {
    class Placing : public Dialog {
    public:
        using Dialog::Dialog;
        Rect duringInit;
        bool moveItself = false, growItself = false;

    protected:
        BOOL OnInitDialog() override {
            duringInit = WindowRect();
            if (moveItself) MoveWindow(50, 60, duringInit.Width(), duringInit.Height());
            if (growItself) MoveWindow(duringInit.left, duringInit.top, duringInit.Width() + 100, duringInit.Height());
            return Dialog::OnInitDialog();
        }
    };
    const auto centredOn = [](const Rect& inner, const Rect& outer) {
        const Point a = Center(inner), b = Center(outer);
        return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
    };
    Placing modal(Small());
    WhenModal([&] {
        EXPECT_TRUE(centredOn(modal.WindowRect(), owner.WindowRect()));
        InjectKeyPress(VK_ESCAPE);
    });
    modal.DoModal();
    // During the initialisation it still stood where the template put it, by the owner's client area.
    EXPECT_EQ(modal.duringInit.TopLeft(), (owner.ClientOriginOnScreen() + Point{15, 16}));

    Placing placed(Small());
    placed.moveItself = true;
    ASSERT_TRUE(placed.CreateModeless(&owner));
    EXPECT_EQ(placed.WindowRect().TopLeft(), (Point{50, 60}));

    Placing grown(Small());
    grown.growItself = true;
    ASSERT_TRUE(grown.CreateModeless(&owner));
    EXPECT_EQ(grown.WindowRect().Width(), grown.duringInit.Width() + 100);
    EXPECT_TRUE(centredOn(grown.WindowRect(), owner.WindowRect()));

    // An owner partly off the screen: the dialog stays on it.
    owner.MoveWindow(GetSystemMetrics(SM_CXSCREEN) - 150, GetSystemMetrics(SM_CYSCREEN) - 100, 600, 400);
    Placing edge(Small());
    ASSERT_TRUE(edge.CreateModeless(&owner));
    EXPECT_EQ(edge.WindowRect().right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(edge.WindowRect().bottom, GetSystemMetrics(SM_CYSCREEN));

    // A hidden owner: the screen.
    owner.ShowWindow(SW_HIDE);
    Placing screen(Small());
    ASSERT_TRUE(screen.CreateModeless(&owner));
    EXPECT_TRUE(centredOn(screen.WindowRect(), {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

TEST_F(DialogFrameTest, AnInitialisationReturningTrueLeavesTheFocusOnTheFirstTabStopWithItsTextSelected) {
    class Focusing : public Dialog {
    public:
        using Dialog::Dialog;
        HWND offered = nullptr;
        bool disableFirst = false, focusOkAndReturnFalse = false;
        HWND focusSeen = nullptr;  // while the dialog ran
        int focusSeenId = 0;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_INITDIALOG) offered = reinterpret_cast<HWND>(wParam);
            return Dialog::WindowProc(message, wParam, lParam);
        }
        BOOL OnInitDialog() override {
            Dialog::OnInitDialog();
            if (disableFirst) GetDlgItem(10)->EnableWindow(FALSE);
            if (!focusOkAndReturnFalse) return TRUE;
            GetDlgItem(IDOK)->SetFocus();
            return FALSE;
        }
    };
    DialogTemplate t = Small();
    t.items.insert(t.items.begin(), {
        {"Static", "&Name", 0xFFFF, WS_VISIBLE, 0, 5, 2, 60, 8},
        {"Edit", "Hall", 10, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, 5, 10, 60, 12},
        {"Edit", "Plate", 11, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, 5, 24, 60, 12},
    });
    const auto run = [&](Focusing& dialog) {
        WhenModal([&] {
            Window* focus = Window::GetFocus();
            dialog.focusSeen = focus ? focus->GetSafeHwnd() : nullptr;
            dialog.focusSeenId = focus ? focus->GetDlgCtrlID() : 0;
            InjectKeyPress(VK_ESCAPE);
        });
        dialog.DoModal();
    };

    Focusing plain(t);
    run(plain);
    EXPECT_EQ(plain.focusSeenId, 10);
    EXPECT_EQ(plain.offered, plain.focusSeen);

    Focusing disabling(t);
    disabling.disableFirst = true;
    run(disabling);
    EXPECT_EQ(disabling.focusSeenId, 11);

    Focusing own(t);
    own.focusOkAndReturnFalse = true;
    run(own);
    EXPECT_EQ(own.focusSeenId, IDOK);

    // The initial focus selects the whole text, as Tab would.
    t.style |= WS_VISIBLE;
    Focusing shown(t, &owner);
    ASSERT_TRUE(shown.CreateModeless());
    DWORD start = 1, end = 0;
    shown.GetDlgItem(10)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(Window::GetFocus(), shown.GetDlgItem(10));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
}

TEST_F(DialogFrameTest, HiddenModelessDialogTakesNeitherActivationNorFocusUntilShown) {
    DialogTemplate t = Small(sampledialogs::kModalFrame & ~WS_CAPTION);
    t.items.insert(t.items.begin(), {testsupport::kEditClass, "", 10, WS_VISIBLE | WS_TABSTOP, 0, 5, 5, 60, 12});
    owner.SetFocus();
    Dialog popup(t);
    ASSERT_TRUE(popup.CreateModeless(&owner));
    EXPECT_FALSE(popup.IsWindowVisible());
    EXPECT_EQ(Window::GetActiveWindow(), &owner);
    EXPECT_EQ(Window::GetFocus(), &owner);
    popup.ShowWindow(SW_SHOW);
    EXPECT_EQ(Window::GetFocus(), popup.GetDlgItem(10));
}

}  // namespace

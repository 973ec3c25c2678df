#include <gtest/gtest.h>

#include "platform/module/Module.h"
#include "platform/window/Dialog.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/MessageBox.h"
#include "platform/window/ToolTips.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

class DialogTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        owner.Create(nullptr, "Owner", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {0, 0, 600, 400}, nullptr, 0);
        Pump();
    }
    // The message box on screen: the active window while the modal loop runs.
    Window* Box() { return Window::GetActiveWindow(); }
    Window owner;
};

TEST_F(DialogTest, MessageBoxAnswersToEnterEscapeClicksAndMnemonics) {
    WhenModal([&] {
        EXPECT_EQ(Box()->GetWindowText(), "Title");
        EXPECT_FALSE(owner.IsWindowEnabled());
        InjectKeyPress(VK_RETURN);
    });
    EXPECT_EQ(MessageBoxA(owner.GetSafeHwnd(), "Overwrite?", "Title", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_TRUE(owner.IsWindowEnabled());

    WhenModal([&] { InjectKeyPress(VK_RETURN); });
    EXPECT_EQ(MessageBoxA(owner.GetSafeHwnd(), "Overwrite?", "Title", MB_YESNO | MB_DEFBUTTON2), IDNO);

    WhenModal([&] { InjectKeyPress('N'); });
    EXPECT_EQ(MessageBoxA(owner.GetSafeHwnd(), "Overwrite?", "Title", MB_YESNO), IDNO);

    WhenModal([&] { InjectKeyPress(VK_ESCAPE); });
    EXPECT_EQ(MessageBoxA(owner.GetSafeHwnd(), "Sure?", "Title", MB_OKCANCEL), IDCANCEL);

    WhenModal([&] { InjectKeyPress(VK_ESCAPE); });
    EXPECT_EQ(MessageBoxA(owner.GetSafeHwnd(), "Done", "Title", MB_OK), IDOK);

    WhenModal([&] {
        Window* cancel = Box()->GetDlgItem(IDCANCEL);
        ASSERT_NE(cancel, nullptr);
        Rect r = cancel->WindowRect();
        InjectClick({r.left + 5, r.top + 5});
    });
    EXPECT_EQ(MessageBoxA(owner.GetSafeHwnd(), "Sure?", "Title", MB_OKCANCEL), IDCANCEL);
}

TEST_F(DialogTest, YesNoBoxIgnoresEscapeAndANullCaptionReadsError) {
    WhenModal([&] {
        EXPECT_EQ(Box()->GetWindowText(), "Error");
        InjectKeyPress(VK_ESCAPE);
        SetIdleHook([] { InjectKeyPress('Y'); });
    });
    EXPECT_EQ(MessageBoxA(owner.GetSafeHwnd(), "Really?", nullptr, MB_YESNO), IDYES);
}

TEST_F(DialogTest, AfxMessageBoxTakesTheModuleNameAsCaption) {
    static int anchor;
    Module module("KVX4TEST", &anchor);
    ModuleStateScope scope(module);
    std::string caption;
    WhenModal([&] {
        caption = Box()->GetWindowText();
        InjectKeyPress(VK_RETURN);
    });
    EXPECT_EQ(AfxMessageBox("ERROR: Set Timer Failed"), IDOK);
    EXPECT_EQ(caption, "KVX4TEST");
}

TEST_F(DialogTest, TemplateDialogUnitsTabOrderAndEndCode) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME;
    t.caption = "Template";
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    t.cx = 200;
    t.cy = 100;
    t.items.push_back({"Button", "One", 101, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 10, 10, 50, 14});
    t.items.push_back({"Static", "label", 102, WS_VISIBLE, 0, 10, 30, 50, 8});
    t.items.push_back({"Button", "Two", 103, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 10, 50, 50, 14});
    t.items.push_back({"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 100, 80, 50, 14});

    class TestDialog : public Dialog {
    public:
        using Dialog::Dialog;
        std::vector<int> focusTrail;
    };
    TestDialog dialog(t, &owner);
    Size client;
    Rect buttonRect;
    std::vector<int> focus;
    WhenModal([&] {
        client = dialog.ClientRect().GetSize();
        buttonRect = dialog.GetDlgItem(101)->RectInParent();
        focus.push_back(Window::GetFocus()->GetDlgCtrlID());
        InjectKeyPress(VK_TAB);
        SetIdleHook([&] {
            focus.push_back(Window::GetFocus()->GetDlgCtrlID());
            if (focus.size() == 4) {
                InjectKey(VK_SHIFT, true);
                InjectKeyPress(VK_TAB);
                InjectKey(VK_SHIFT, false);
            } else if (focus.size() == 5) {
                dialog.EndDialog(42);
            } else {
                InjectKeyPress(VK_TAB);
            }
        });
    });
    EXPECT_EQ(dialog.DoModal(), 42);
    // 6 x 13 base units: 200 x 100 units are 300 x 163 pixels.
    EXPECT_EQ(client, (Size{300, 163}));
    EXPECT_EQ(buttonRect, (Rect{15, 16, 90, 39}));
    EXPECT_EQ(focus, (std::vector<int>{101, 103, IDOK, 101, IDOK}));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogTest, MissingTemplateMakesDoModalFail) {
    Dialog dialog(9999, &owner);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

// With DS_NOFAILCREATE a control whose WM_CREATE fails is left out (and deleted once); the dialog
// and its other controls stand.
TEST_F(DialogTest, AControlThatFailsToCreateIsLeftOut) {
    class Refusing : public Window {
    protected:
        int OnCreate(CREATESTRUCTA*) override { return -1; }
    };
    RegisterControlClass("RefusingControl", [] { return new Refusing(); });
    DialogTemplate t;
    t.style = WS_POPUP | DS_SETFONT | DS_NOFAILCREATE;
    t.fontFace = "MS Sans Serif";
    t.cx = 100;
    t.cy = 50;
    t.items.push_back({"RefusingControl", "", 1040, WS_VISIBLE, 0, 5, 5, 40, 12});
    t.items.push_back({"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP, 0, 5, 25, 40, 14});
    Dialog dialog(t, &owner);
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_EQ(dialog.GetDlgItem(1040), nullptr);
    EXPECT_NE(dialog.GetDlgItem(IDOK), nullptr);
}

TEST_F(DialogTest, TooltipAsksTheOwnerForTheToolsText) {
    class Owner : public Window {
    public:
        std::vector<UINT_PTR> asked;

    protected:
        BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
            auto* request = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
            if (request->hdr.code != TTN_NEEDTEXTA || !(request->uFlags & TTF_IDISHWND)) return FALSE;
            asked.push_back(request->hdr.idFrom);
            Window* tool = FromHandle(reinterpret_cast<HWND>(request->hdr.idFrom));
            if (!tool || tool->GetDlgCtrlID() == 0) return FALSE;
            std::snprintf(request->szText, sizeof request->szText, "Tool %d", tool->GetDlgCtrlID());
            *result = 0;
            return TRUE;
        }
    };
    Owner form;
    form.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {10, 10, 300, 200}, &owner, 1);
    form.EnableToolTips(TRUE);
    Window tool;
    tool.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, &form, 61446);
    Point p{10, 10};
    tool.ClientToScreen(&p);
    InjectMouseMove(p);
    Advance(400);
    EXPECT_EQ(VisibleToolTipText(), "");
    Advance(200);
    EXPECT_EQ(VisibleToolTipText(), "Tool 61446");
    ASSERT_EQ(form.asked.size(), 1u);
    EXPECT_EQ(form.asked[0], reinterpret_cast<UINT_PTR>(tool.GetSafeHwnd()));
    Advance(5000);
    EXPECT_EQ(VisibleToolTipText(), "");
}

}  // namespace

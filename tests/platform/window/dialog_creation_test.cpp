// Making a dialog's controls from its template: a control that cannot be made fails the whole
// dialog with a reason, unless the template forgives it; bordered controls get the 3-D edge.
#include <gtest/gtest.h>

#include "platform/kernel/LastError.h"
#include "platform/module/Module.h"
#include "platform/window/Dialog.h"
#include "platform/window/DialogTemplates.h"
#include "platform/window/controls/EditControl.h"
#include "tests/platform/window/SampleDialogs.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

// A control whose creation fails, counting how often its object is deleted.
class RefusingControl : public Window {
public:
    static inline int deleted = 0;
    ~RefusingControl() override { ++deleted; }

protected:
    int OnCreate(CREATESTRUCTA*) override { return -1; }
};

class Initialising : public Dialog {
public:
    using Dialog::Dialog;
    bool initialised = false;

protected:
    BOOL OnInitDialog() override { return initialised = true; }
};

class DialogCreationTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        RegisterControlClass("KvxRefusing", [] { return new RefusingControl(); });
        owner.Create(nullptr, "Host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {100, 80, 700, 480}, nullptr, 0);
        Pump();
    }

    static DialogTemplate WithControl(const char* className) {
        DialogTemplate t = sampledialogs::Base("Small", 100, 50);
        t.items.push_back({"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 25, 30, 50, 14});
        t.items.push_back({className, "", 1000, WS_VISIBLE | WS_TABSTOP, 0, 5, 5, 60, 12});
        return t;
    }

    Window owner;
};

TEST_F(DialogCreationTest, AnUnregisteredClassFailsTheDialogWithAReasonAndNamesIt) {
    static int anchor;
    Module module("DIALOGTEST", &anchor);
    ModuleStateScope scope(module);
    module.AddDialog(4242, WithControl("NoSuchControlClass"));
    const size_t windows = WindowSystem::Instance().WindowCount();

    Initialising modal(4242);
    testing::internal::CaptureStderr();
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(modal.DoModal(), -1);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    EXPECT_NE(said.find("NoSuchControlClass"), std::string::npos) << said;
    EXPECT_NE(said.find("4242"), std::string::npos) << said;
    EXPECT_FALSE(modal.initialised);
    EXPECT_EQ(modal.GetSafeHwnd(), nullptr);
    EXPECT_EQ(WindowSystem::Instance().WindowCount(), windows);
    EXPECT_TRUE(owner.IsWindowEnabled());

    Initialising modeless(4242, &owner);
    testing::internal::CaptureStderr();
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(modeless.CreateModeless());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    EXPECT_EQ(modeless.GetSafeHwnd(), nullptr);
    EXPECT_EQ(WindowSystem::Instance().WindowCount(), windows);
}

TEST_F(DialogCreationTest, AControlRefusingItsCreationFailsTheDialogAndIsDeletedOnce) {
    RefusingControl::deleted = 0;
    Initialising dialog(WithControl("KvxRefusing"), &owner);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(dialog.CreateModeless());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("KvxRefusing"), std::string::npos);
    EXPECT_EQ(RefusingControl::deleted, 1);
    EXPECT_FALSE(dialog.initialised);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(DialogCreationTest, NoFailCreateLeavesOutTheControlsThatCannotBeMade) {
    for (const char* className : {"NoSuchControlClass", "KvxRefusing"}) {
        RefusingControl::deleted = 0;
        DialogTemplate t = WithControl(className);
        t.style |= DS_NOFAILCREATE;
        Initialising dialog(t, &owner);
        testing::internal::CaptureStderr();
        EXPECT_TRUE(dialog.CreateModeless());
        EXPECT_NE(testing::internal::GetCapturedStderr().find("DS_NOFAILCREATE"), std::string::npos);
        EXPECT_TRUE(dialog.initialised);
        EXPECT_EQ(dialog.GetDlgItem(1000), nullptr);
        EXPECT_NE(dialog.GetDlgItem(IDOK), nullptr);
        EXPECT_EQ(RefusingControl::deleted, std::string(className) == "KvxRefusing" ? 1 : 0);
    }
}

TEST_F(DialogCreationTest, ABorderedTemplateControlGetsTheSunkenEdgeAndOneMadeOutsideADialogKeepsItsBorder) {
    DialogTemplate t = sampledialogs::Base("Borders", 120, 100);
    const char* classes[] = {"Edit", "ListBox", "Static", "Button"};
    for (int i = 0; i < 4; ++i)
        t.items.push_back({classes[i], "x", static_cast<UINT>(100 + i), WS_VISIBLE | WS_BORDER, 0, 5, 5 + 20 * i, 80, 14});
    Dialog dialog(t, &owner);
    ASSERT_TRUE(dialog.CreateModeless());
    for (int i = 0; i < 4; ++i) {
        Window* control = dialog.GetDlgItem(100 + i);
        ASSERT_NE(control, nullptr) << classes[i];
        EXPECT_EQ(control->GetStyle() & WS_BORDER, 0u) << classes[i];
        EXPECT_NE(control->GetExStyle() & WS_EX_CLIENTEDGE, 0u) << classes[i];
        EXPECT_EQ(control->ClientOriginOnScreen() - control->WindowRect().TopLeft(), (Point{2, 2})) << classes[i];
    }

    EditControl edit;
    ASSERT_TRUE(edit.Create("Edit", "x", WS_CHILD | WS_VISIBLE | WS_BORDER, {5, 5, 105, 25}, &owner, 1));
    EXPECT_NE(edit.GetStyle() & WS_BORDER, 0u);
    EXPECT_EQ(edit.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    EXPECT_EQ(edit.ClientRect(), (Rect{0, 0, 98, 18}));
}

}  // namespace

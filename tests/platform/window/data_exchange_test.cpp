// Dialog data exchange with the real edit and list box: text written only when it differs, a list's
// selected line read and written by its beginning, bounded character buffers, the default
// initialisation and OK, validation that keeps the dialog open, and control references that follow
// their windows.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/window/ControlMessages.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/controls/EditControl.h"
#include "platform/window/controls/ListBoxControl.h"
#include "tests/platform/window/SampleDialogs.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

constexpr int kList = 1000, kName = 1002;

// A name field above a sorted list of names, with the real controls.
DialogTemplate NameAndList() {
    DialogTemplate t = sampledialogs::Base("Save Custom Effects", 135, 154);
    t.items = {
        {"ListBox", "", kList, WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_SORT | LBS_NOTIFY, 0, 9, 60, 115, 73},
        {"Edit", "", kName, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 9, 20, 115, 14},
        {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 75, 137, 50, 14},
        {"Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 0, 15, 138, 50, 14},
    };
    return t;
}

// The save dialog's exchange: the name field and the selected line of the list. A name that changes
// is read, clears the selection when not empty, and is written back.
class SaveDialog : public Dialog {
public:
    SaveDialog() : Dialog(NameAndList()) {}
    std::string name, selection;
    ControlRef list;
    bool requireName = false;
    bool followChanges = true;
    int changes = 0, depth = 0, deepest = 0;

protected:
    void DoDataExchange(DataExchange& dx) override {
        DDX_Control(dx, kList, list);
        DDX_Text(dx, kName, name);
        DDX_LBString(dx, kList, selection);
        if (dx.saveAndValidate && requireName && name.empty()) {
            dx.PrepareControl(kName);
            dx.Fail();
        }
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (!(followChanges && LOWORD(wParam) == kName && HIWORD(wParam) == EN_CHANGE))
            return Dialog::OnCommand(wParam, lParam);
        ++changes;
        // Bounded, so that a handler calling itself fails the test instead of the stack.
        if (depth > 3) return TRUE;
        ++depth;
        deepest = std::max(deepest, depth);
        UpdateData(TRUE);
        if (!name.empty()) list.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(-1));
        UpdateData(FALSE);
        --depth;
        return TRUE;
    }
};

class DataExchangeTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        owner.Create(nullptr, "Host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {0, 0, 600, 400}, nullptr, 0);
        Pump();
    }
    static Window& NameField(Dialog& d) { return *d.GetDlgItem(kName); }
    static Window& List(Dialog& d) { return *d.GetDlgItem(kList); }
    static void Fill(Window& list, std::initializer_list<const char*> lines) {
        for (const char* line : lines) list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }
    static LRESULT Selected(Window& list) { return list.SendMessage(LB_GETCURSEL); }

    Window owner;
};

TEST_F(DataExchangeTest, ChangeHandlerWritingItsMembersBackDoesNotCallItself) {
    SaveDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(&owner));  // the default initialisation writes "" over ""
    EXPECT_EQ(dialog.changes, 0);

    dialog.name = "Hall";
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(NameField(dialog).GetWindowText(), "Hall");
    EXPECT_EQ(dialog.changes, 1);  // the edit reports the new text once; the write-back is no change
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(dialog.changes, 1);

    Fill(List(dialog), {"Cathedral", "Hall", "Plate"});
    List(dialog).SendMessage(LB_SETCURSEL, 2);
    NameField(dialog).SetFocus();
    NameField(dialog).SendMessage(EM_SETSEL, 4, 4);
    InjectChar('x');
    Pump();
    EXPECT_EQ(dialog.name, "Hallx");
    EXPECT_EQ(dialog.changes, 2);
    EXPECT_EQ(dialog.deepest, 1);
    // The handler cleared the selection and wrote back the line it had read, which selects it again.
    EXPECT_EQ(dialog.selection, "Plate");
    EXPECT_EQ(Selected(List(dialog)), 2);
}

TEST_F(DataExchangeTest, ListStringReadsTheSelectedLineOrNothing) {
    SaveDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(&owner));
    Fill(List(dialog), {"Plate", "Cathedral", "Hall"});
    dialog.selection = "stale";
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.selection, "");
    List(dialog).SendMessage(LB_SETCURSEL, 1);  // sorted: Cathedral, Hall, Plate
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.selection, "Hall");
}

TEST_F(DataExchangeTest, ListStringSelectsTheFirstLineBeginningWithItOrNone) {
    SaveDialog dialog;
    dialog.followChanges = false;
    ASSERT_TRUE(dialog.CreateModeless(&owner));
    Window& list = List(dialog);
    Fill(list, {"Hall A", "Hall B", "Hall C", "Plate"});
    list.SendMessage(LB_SETCURSEL, 1);
    dialog.selection = "hall";
    dialog.UpdateData(FALSE);
    EXPECT_EQ(Selected(list), 0);  // searched from the top, not from the selection, ignoring case
    dialog.selection = "Pl";
    dialog.UpdateData(FALSE);
    EXPECT_EQ(Selected(list), 3);
    dialog.selection = "Room";
    dialog.UpdateData(FALSE);
    EXPECT_EQ(Selected(list), LB_ERR);
    list.SendMessage(LB_SETCURSEL, 3);
    dialog.selection = "";
    dialog.UpdateData(FALSE);
    EXPECT_EQ(Selected(list), LB_ERR);
}

// A member of a fixed size: "Hall" in buffers one short of it, just holding its characters, and
// holding it with its terminator, each followed by a canary that must survive.
TEST_F(DataExchangeTest, TextIntoACharacterBufferStopsAtItsSize) {
    class Fixed : public Dialog {
    public:
        Fixed() : Dialog(NameAndList()) {}
        char storage[16];
        int size = 0;

    protected:
        void DoDataExchange(DataExchange& dx) override { DDX_Text(dx, kName, storage, size); }
    };
    constexpr char kCanary = '\x5A';
    struct Case {
        int size;
        const char* read;
    };
    for (const Case c : {Case{4, "Hal"}, Case{5, "Hall"}, Case{6, "Hall"}}) {
        Fixed dialog;
        std::memset(dialog.storage, '#', sizeof dialog.storage);
        dialog.storage[0] = '\0';
        dialog.size = c.size;
        ASSERT_TRUE(dialog.CreateModeless(&owner));
        NameField(dialog).SetWindowText("Hall");
        dialog.storage[c.size] = kCanary;
        testing::internal::CaptureStderr();
        EXPECT_TRUE(dialog.UpdateData(TRUE));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_STREQ(dialog.storage, c.read) << "size " << c.size;
        EXPECT_EQ(dialog.storage[c.size], kCanary) << "size " << c.size;
        EXPECT_EQ(said.empty(), std::strlen(c.read) == 4) << said;
    }

    // Writing reads no further than the size, terminator or not, and the field then takes no more
    // than the member holds.
    Fixed dialog;
    dialog.size = 4;
    std::memcpy(dialog.storage, "Room", 4);
    dialog.storage[4] = kCanary;
    dialog.storage[5] = '\0';
    ASSERT_TRUE(dialog.CreateModeless(&owner));
    EXPECT_EQ(NameField(dialog).GetWindowText(), "Room");
    EXPECT_EQ(NameField(dialog).SendMessage(EM_GETLIMITTEXT), 3);
    NameField(dialog).SetWindowText("");
    NameField(dialog).SetFocus();
    for (char ch : std::string("Plate")) InjectChar(static_cast<UINT>(ch));
    Pump();
    EXPECT_EQ(NameField(dialog).GetWindowText(), "Pla");

    // No room at all is a failed exchange that writes nothing.
    dialog.size = 0;
    dialog.storage[0] = kCanary;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(dialog.storage[0], kCanary);
}

TEST_F(DataExchangeTest, DefaultOkReadsTheControlsAndCancelDoesNot) {
    SaveDialog ok;
    ok.followChanges = false;
    ok.name = "Plate";
    WhenModal([&] {
        EXPECT_EQ(NameField(ok).GetWindowText(), "Plate");  // written by the default initialisation
        NameField(ok).SetWindowText("Spring");
        InjectKeyPress(VK_RETURN);
    });
    EXPECT_EQ(ok.DoModal(), IDOK);
    EXPECT_EQ(ok.name, "Spring");

    SaveDialog cancelled;
    cancelled.followChanges = false;
    cancelled.name = "Plate";
    WhenModal([&] {
        NameField(cancelled).SetWindowText("Spring");
        InjectKeyPress(VK_ESCAPE);
    });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.name, "Plate");
}

TEST_F(DataExchangeTest, FailedValidationKeepsTheDialogOpenWithTheFocusOnTheControl) {
    SaveDialog dialog;
    dialog.requireName = true;
    dialog.followChanges = false;
    bool stayedOpen = false;
    WhenModal([&] {
        ClickClient(*dialog.GetDlgItem(IDOK), {5, 5});
        stayedOpen = dialog.IsModalRunning() && dialog.GetSafeHwnd();
        EXPECT_EQ(Window::GetFocus(), &NameField(dialog));
        for (char ch : std::string("Room")) InjectChar(static_cast<UINT>(ch));
        InjectKeyPress(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialog.name, "Room");
}

TEST_F(DataExchangeTest, ControlReferenceFollowsItsWindow) {
    SaveDialog dialog;
    EXPECT_FALSE(dialog.list);
    ASSERT_TRUE(dialog.CreateModeless(&owner));
    ASSERT_TRUE(dialog.list);
    EXPECT_EQ(dialog.list.Get(), &List(dialog));
    EXPECT_EQ(dialog.list.As<ListBoxControl>(), dynamic_cast<ListBoxControl*>(&List(dialog)));
    EXPECT_NE(dialog.list.As<ListBoxControl>(), nullptr);
    EXPECT_EQ(dialog.list.As<EditControl>(), nullptr);
    Fill(List(dialog), {"Hall"});
    dialog.list.SendMessage(LB_SETCURSEL, 0);
    EXPECT_EQ(dialog.list.SendMessage(LB_GETCURSEL), 0);
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.list);
    EXPECT_EQ(dialog.list.SendMessage(LB_GETCURSEL), 0);
}

TEST_F(DataExchangeTest, ExchangingWithAControlTheDialogLacksFails) {
    class Broken : public Dialog {
    public:
        Broken() : Dialog(NameAndList()) {}
        std::string text = "kept";

    protected:
        void DoDataExchange(DataExchange& dx) override { DDX_Text(dx, 4711, text); }
    };
    Broken dialog;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(dialog.CreateModeless(&owner));
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("4711"), std::string::npos);
    EXPECT_EQ(dialog.text, "kept");
}

}  // namespace

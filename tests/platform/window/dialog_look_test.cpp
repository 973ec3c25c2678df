// What a person sees of the dialogs: screenshots saved for a look (in the temporary directory, named
// kvx4-dialog-*.png) and the few pixels that tell whether the picture is right.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/Dialog.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/controls/ComboBoxControl.h"
#include "platform/window/controls/ComboBoxMessages.h"
#include "tests/platform/window/SampleDialogs.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

class DialogLookTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        testsupport::RegisterDialogTestControls();
        host.Create(nullptr, "Host", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, {20, 20, 700, 520}, nullptr, 0);
        Pump();
    }

    // Runs the dialog, saves the screen while it is up, looks at it, and closes the dialog.
    void Show(Dialog& dialog, const std::string& name, const std::function<void(const Bitmap&)>& look,
              const std::function<void()>& prepare = {}) {
        WhenModal([&] {
            if (prepare) prepare();
            PaintPendingWindows();
            const Bitmap& screen = Desktop::Instance().Compose();
            Desktop::Instance().SaveScreenshot((std::filesystem::temp_directory_path() / ("kvx4-dialog-" + name + ".png")).string());
            look(screen);
            dialog.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }

    static COLORREF At(const Bitmap& screen, Point p) { return FromDisplay(screen.GetPixel(p.x, p.y)); }
    // Whether any pixel of the area is far darker than the button face: ink.
    static bool HasInk(const Bitmap& screen, const Rect& area) {
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (GetGValue(At(screen, {x, y})) < 96) return true;
        return false;
    }

    Window host;
};

TEST_F(DialogLookTest, GroupBoxFramesLabelledListsWithUnderlinedMnemonics) {
    Dialog dialog(sampledialogs::ControllerSelections());
    Show(dialog, "group-box", [&](const Bitmap& screen) {
        // The lists inside the group box show (the group box paints beneath them).
        Rect list = dialog.GetDlgItem(sampledialogs::kEffectList)->WindowRect();
        EXPECT_EQ(At(screen, {list.left + 10, list.top + 5}), RGB(255, 255, 255));
        // The frame's top line is broken by the caption, on the button face.
        Window* group = dialog.GetDlgItem(0xFFFF);
        ASSERT_NE(group, nullptr);
        Rect box = group->WindowRect();
        const int frameLine = box.top + group->TextFont()->TextMetrics().tmHeight / 2;
        EXPECT_EQ(At(screen, {box.left + 4, frameLine}), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(At(screen, {box.left + 8, frameLine}), GetSysColor(COLOR_BTNFACE));
        EXPECT_TRUE(HasInk(screen, Rect::FromSize(box.left + 9, box.top, 30, 10)));
        // "&Effect": a line under the E, below the letters.
        Window* label = nullptr;
        for (Window* child : dialog.Children())
            if (child->GetWindowText() == "&Effect") label = child;
        ASSERT_NE(label, nullptr);
        Rect r = label->WindowRect();
        const TEXTMETRICA& tm = label->TextFont()->TextMetrics();
        EXPECT_TRUE(HasInk(screen, Rect::FromSize(r.left, r.top + tm.tmAscent + 1, 5, tm.tmDescent)));
        EXPECT_FALSE(HasInk(screen, Rect::FromSize(r.left + 12, r.top + tm.tmAscent + 1, 5, tm.tmDescent)));
    });
}

TEST_F(DialogLookTest, StaticTextWrapsWithinItsRectangle) {
    Dialog dialog(sampledialogs::SaveCustomEffects());
    Show(dialog, "wrapped-text", [&](const Bitmap& screen) {
        Window* text = nullptr;
        for (Window* child : dialog.Children())
            if (child->GetWindowText().rfind("Please enter", 0) == 0) text = child;
        ASSERT_NE(text, nullptr);
        Rect r = text->WindowRect();
        const int line = text->TextFont()->TextMetrics().tmHeight;
        ASSERT_GE(r.Height(), 2 * line);
        EXPECT_TRUE(HasInk(screen, Rect::FromSize(r.left, r.top, r.Width(), line)));
        EXPECT_TRUE(HasInk(screen, Rect::FromSize(r.left, r.top + line, r.Width(), line)));
    });
}

TEST_F(DialogLookTest, ToolWindowHasASmallCaptionWithASmallCloseBox) {
    Dialog dialog(sampledialogs::AutomationConfiguration());
    Show(dialog, "tool-window", [&](const Bitmap& screen) {
        Rect outer = dialog.WindowRect();
        const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
        const int barBottom = outer.top + frame + GetSystemMetrics(SM_CYSMCAPTION) - 1;
        EXPECT_EQ(At(screen, {outer.left + frame, barBottom - 1}), GetSysColor(COLOR_ACTIVECAPTION));
        EXPECT_EQ(At(screen, {outer.left + 10, barBottom}), GetSysColor(COLOR_BTNFACE));
        // The close box: white top-left edge, cross in the middle.
        const int boxRight = outer.right - frame - 2;
        const int boxLeft = boxRight - (GetSystemMetrics(SM_CXSMSIZE) - 2);
        EXPECT_EQ(At(screen, {boxLeft, outer.top + frame + 2}), GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_TRUE(HasInk(screen, Rect::FromSize(boxLeft + 3, outer.top + frame + 5, 4, 4)));
    });
}

TEST_F(DialogLookTest, DefaultFrameMovesToTheFocusedPushButton) {
    Dialog dialog(sampledialogs::SaveCustomEffects());
    COLORREF okCorner = 0, cancelCorner = 0, okCornerLater = 0, cancelCornerLater = 0;
    WhenModal([&] {
        const Point ok = dialog.GetDlgItem(IDOK)->WindowRect().TopLeft();
        const Point cancel = dialog.GetDlgItem(IDCANCEL)->WindowRect().TopLeft();
        PaintPendingWindows();
        okCorner = At(Desktop::Instance().Compose(), ok);
        cancelCorner = At(Desktop::Instance().Compose(), cancel);
        dialog.GetDlgItem(IDCANCEL)->SetFocus();
        PaintPendingWindows();
        okCornerLater = At(Desktop::Instance().Compose(), ok);
        cancelCornerLater = At(Desktop::Instance().Compose(), cancel);
        Desktop::Instance().SaveScreenshot((std::filesystem::temp_directory_path() / "kvx4-dialog-focus-cancel.png").string());
        InjectKeyPress(VK_RETURN);  // presses the focused button
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(okCorner, RGB(0, 0, 0));
    EXPECT_EQ(cancelCorner, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(okCornerLater, GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(cancelCornerLater, RGB(0, 0, 0));
}

// The controls together as users know them: a group box with wrapped text and a mnemonic, an edit
// with a selection, a list box with its scroll bar, a dropped combo box, the default button.
TEST_F(DialogLookTest, Gallery) {
    DialogTemplate t = sampledialogs::Base("Save Custom Effects", 186, 172);
    t.items = {
        {"Button", "&Patch", 0xFFFF, WS_VISIBLE | BS_GROUPBOX, 0, 7, 4, 172, 58},
        {"Static", "Please enter a name to create a new patch of the current settings", 0xFFFF, WS_VISIBLE, 0, 14, 15,
         158, 17},
        {"Static", "&Name:", 0xFFFF, WS_VISIBLE, 0, 14, 40, 24, 8},
        {"Edit", "Warm Hall Plate", 1002, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 42, 38, 130, 14},
        {"Static", "Or select an existing patch to Overwrite", 0xFFFF, WS_VISIBLE, 0, 7, 68, 110, 16},
        {"ListBox", "", 1000, WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_SORT | LBS_NOTIFY, 0, 7, 86, 110, 57},
        {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 129, 86, 50, 14},
        {"Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 0, 129, 104, 50, 14},
        {"Static", "MIDI &Port", 0xFFFF, WS_VISIBLE, 0, 7, 154, 34, 8},
        {"ComboBox", "", 1003, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 44, 152, 135, 50},
    };
    class Gallery : public Dialog {
    public:
        using Dialog::Dialog;

    protected:
        BOOL OnInitDialog() override {
            Dialog::OnInitDialog();
            Window* list = GetDlgItem(1000);
            for (const char* name : {"Cathedral", "Big Room", "Drum Booth", "Vocal Plate", "Ambience", "Spring",
                                     "Small Hall", "Tiled Room", "Chamber", "Gated Snare"})
                list->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
            list->SendMessage(LB_SETCURSEL, 2);
            Window* ports = GetDlgItem(1003);
            for (int i = 1; i <= 6; ++i)
                ports->SendMessage(CB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(("Corvane MidiOut : Port " + std::to_string(i)).c_str()));
            ports->SendMessage(CB_SETCURSEL, 1);
            Window* edit = GetDlgItem(1002);
            edit->SetFocus();
            edit->SendMessage(EM_SETSEL, 5, 9);
            return FALSE;
        }
    };
    Gallery dialog(t);
    Show(dialog, "gallery", [&](const Bitmap& screen) {
        Window* edit = dialog.GetDlgItem(1002);
        EXPECT_EQ(Window::GetFocus(), edit);
        const LRESULT at = edit->SendMessage(EM_POSFROMCHAR, 6, 0);
        const Point inHall = edit->ClientOriginOnScreen() + Point{LOWORD(static_cast<DWORD>(at)), 1};
        EXPECT_EQ(At(screen, inHall), GetSysColor(COLOR_HIGHLIGHT));  // "Hall" selected
        Window* list = dialog.GetDlgItem(1000);
        const Point bar = list->ClientOriginOnScreen() + Point{list->ClientRect().right, 0};
        EXPECT_EQ(At(screen, {bar.x + 8, bar.y + 8}), GetSysColor(COLOR_BTNTEXT));  // the up arrow
        // The edit's sunken edge: dark grey outside, black inside.
        const Point edge = edit->WindowRect().TopLeft();
        EXPECT_EQ(At(screen, {edge.x + 5, edge.y}), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(At(screen, {edge.x + 5, edge.y + 1}), GetSysColor(COLOR_3DDKSHADOW));
        // The combo's list hangs below it, over the dialog's edge, the chosen line first and highlighted.
        Window* ports = dialog.GetDlgItem(1003);
        ASSERT_TRUE(ports->SendMessage(CB_GETDROPPEDSTATE));
        const Rect dropped = static_cast<ComboBoxControl*>(ports)->DroppedList()->WindowRect();
        EXPECT_EQ(dropped.top, ports->WindowRect().bottom);
        EXPECT_GT(dropped.bottom, dialog.WindowRect().bottom);
        EXPECT_EQ(At(screen, {dropped.left + 1, dropped.top + 2}), GetSysColor(COLOR_HIGHLIGHT));  // inside its frame
    }, [&] { dialog.GetDlgItem(1003)->SendMessage(CB_SHOWDROPDOWN, TRUE); });
}

}  // namespace

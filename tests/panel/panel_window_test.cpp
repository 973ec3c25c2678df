#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/kernel/ModulePath.h"
#include "platform/shell/ShellExecute.h"
#include "tests/support/EditorFixture.h"

using namespace win;
using PanelTest = testsupport::EditorFixture;

namespace {

class PanelWindowTest : public PanelTest {};

TEST_F(PanelWindowTest, IsMadeInTheEditorWithFocusTimerAndTopRow) {
    EXPECT_EQ(panel->RectInParent(), (Rect{0, 0, 582, 408}));
    EXPECT_EQ(panel->GetWindowText(), "Corvane FX4");
    EXPECT_EQ(panel->GetStyle() & 0xFFFF0000u, 0x50010000u);
    EXPECT_EQ(Window::GetFocus(), panel);
    EXPECT_TRUE(WindowSystem::Instance().HasTimer(panel, 4));
    EXPECT_EQ(panel->initialised, 1);
    EXPECT_STREQ(panel->nameText, "(0)   Default Patch             ");
    EXPECT_EQ(panel->closeRect, (Rect{558, 8, 575, 22}));
    EXPECT_EQ(panel->helpRect, (Rect{541, 8, 558, 22}));
    EXPECT_EQ(panel->nameRect, (Rect{80, 12, 275, 26}));
    EXPECT_STREQ(panel->iniFileName, "KVX4.ini");
}

TEST_F(PanelWindowTest, PaintsTheArtAndBlackBelowIt) {
    ScopedDrawTrace trace;
    panel->Invalidate(FALSE);
    panel->UpdateWindow();
    auto entries = trace.Entries();
    auto background = CopiesOf(entries, 185);
    ASSERT_EQ(background.size(), 1u);
    EXPECT_EQ(background[0].destLogical, (Rect{0, 0, 582, 408}));
    auto compare = CopiesOf(entries, 215);
    ASSERT_EQ(compare.size(), 1u);
    EXPECT_EQ(compare[0].sourceLogical, (Rect{0, 0, 40, 15}));
    EXPECT_EQ(compare[0].destLogical, (Rect{300, 10, 340, 25}));
    EXPECT_EQ(CopiesOf(entries, 216).size(), 2u);
    EXPECT_EQ(CopiesOf(entries, 223).size(), 2u);

    const Bitmap& frame = Desktop::Instance().Compose();
    Point below{10, 300};
    panel->ClientToScreen(&below);
    EXPECT_EQ(FromDisplay(frame.GetPixel(below.x, below.y)), RGB(0, 0, 0));
    Point art{10, 5};
    panel->ClientToScreen(&art);
    EXPECT_NE(FromDisplay(frame.GetPixel(art.x, art.y)), RGB(0, 0, 0));
}

TEST_F(PanelWindowTest, TopRowButtonsShowPressedWhileHeldAndActOnlyInside) {
    struct Button {
        Point at;
        int pressed;
        int bitmap;
        Rect pressedSource;
        Rect upSource;
    };
    const Button buttons[] = {
        {{440, 15}, CEditorPanel::kSave, 216, {54, 21, 108, 42}, {0, 21, 54, 42}},
        {{390, 15}, CEditorPanel::kLoad, 216, {54, 0, 108, 21}, {0, 0, 54, 21}},
        {{565, 15}, CEditorPanel::kClose, 223, {17, 14, 34, 28}, {0, 14, 17, 28}},
        {{548, 15}, CEditorPanel::kHelp, 223, {17, 0, 34, 14}, {0, 0, 17, 14}},
    };
    for (const Button& b : buttons) {
        {
            ScopedDrawTrace trace;
            PressPanel(b.at);
            EXPECT_EQ(panel->pressedButton, b.pressed);
            EXPECT_EQ(Window::GetCapture(), panel);
            auto copies = CopiesOf(trace.Entries(), b.bitmap);
            EXPECT_TRUE(std::any_of(copies.begin(), copies.end(),
                                    [&](const DrawTraceEntry& e) { return e.sourceLogical == b.pressedSource; }))
                << b.pressed;
        }
        ScopedDrawTrace trace;
        ReleasePanel({300, 200});  // outside: nothing happens but the picture
        EXPECT_EQ(panel->pressedButton, CEditorPanel::kNone);
        EXPECT_EQ(Window::GetCapture(), nullptr);
        auto copies = CopiesOf(trace.Entries(), b.bitmap);
        EXPECT_TRUE(std::any_of(copies.begin(), copies.end(),
                                [&](const DrawTraceEntry& e) { return e.sourceLogical == b.upSource; }))
            << b.pressed;
    }
    EXPECT_EQ(site.CloseRequests(), 0);
    EXPECT_TRUE(WindowSystem::Instance().HasTimer(panel, 4));
}

TEST_F(PanelWindowTest, CloseStopsPollingAndAsksTheHost) {
    PressPanel({565, 15});
    ReleasePanel({566, 16});
    EXPECT_EQ(site.CloseRequests(), 1);
    EXPECT_FALSE(WindowSystem::Instance().HasTimer(panel, 4));
}

TEST_F(PanelWindowTest, HelpOpensTheLibrarysHelpFileInItsFolder) {
    std::vector<std::pair<std::string, std::string>> opened;
    std::string library = ModuleFileName(reinterpret_cast<const void*>(&CRVGetComponentInterface));
    std::string expected = library;
    std::transform(expected.begin(), expected.end(), expected.begin(), [](unsigned char c) { return std::tolower(c); });
    expected = expected.substr(0, expected.find(".dll")) + ".hlp";
    SetShellOpener([&](const std::string& path, const std::string& dir) {
        opened.emplace_back(path, dir);
        return true;
    });
    PressPanel({548, 15});
    ReleasePanel({548, 15});
    SetShellOpener(DefaultShellOpener());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, expected);
    EXPECT_EQ(opened[0].second, expected.substr(0, expected.size() - 9));
}

TEST_F(PanelWindowTest, APressElsewhereDragsTheHostsWindow) {
    // The top strip between the name field and the compare switch is the panel's own.
    PressPanel({285, 27});
    EXPECT_EQ(panel->pressedButton, CEditorPanel::kWindowDrag);
    Point to{295, 22};
    panel->ClientToScreen(&to);
    InjectMouseMove(to);
    Pump();
    EXPECT_EQ(host.WindowRect(), (Rect{110, 95, 110 + 582, 95 + 408}));
    ReleasePanel({295, 22});
    EXPECT_EQ(panel->pressedButton, CEditorPanel::kNone);
}

TEST_F(PanelWindowTest, ATimerThatCannotStartIsReported) {
    CRVFreeComponentInterface(component);
    component = nullptr;
    WindowSystem::Instance().SetTimerLimit(0);
    std::vector<std::string> texts;
    AnswerNextMessageBox(&texts);
    MakeEditor();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "ERROR: Set Timer Failed"), texts.end());
    EXPECT_FALSE(WindowSystem::Instance().HasTimer(panel, 4));
}

}  // namespace

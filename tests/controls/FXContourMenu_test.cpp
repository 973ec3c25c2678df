// The "Control Settings" menu of the contour control: where a right click opens it, and which
// automation its "Configure Automation..." command would edit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/lib/EffectParams.h"
#include "platform/window/Menu.h"
#include "tests/controls/FXContourFixture.h"

using namespace win;
using namespace contourtest;

namespace {

class ContourMenuTest : public ContourTest {
protected:
    struct Opened {
        bool open = false;
        Rect rect;
        std::vector<std::string> texts;
    };

    // Right-clicks at a client point; when a menu opens, notes where and what it shows and
    // dismisses it with Escape.
    Opened RightClick(Point client) {
        auto opened = std::make_shared<Opened>();
        WhenModal([opened] {
            Window* menu = TrackedPopupMenuWindow();
            if (!menu) return;
            opened->open = true;
            opened->rect = menu->WindowRect();
            ScopedDrawTrace trace;
            menu->RedrawWindow();
            for (const DrawTraceEntry& e : trace.Entries())
                if (e.op == DrawOp::TextOut) opened->texts.push_back(e.text);
            InjectKeyPress(VK_ESCAPE);
        });
        ClickClient(*contour, client, 1);
        SetIdleHook(nullptr);
        EXPECT_EQ(TrackedPopupMenuWindow(), nullptr);
        return *opened;
    }
};

TEST_F(ContourMenuTest, ARightClickOnATrackAboveTheHandleOpensTheMenuThere) {
    // Low 10: the handle covers y 182..201, the track ends at 190.
    contour->selection = CFXContour::kSelectHigh;
    for (Point p : {Point{25, 83}, Point{32, 100}, Point{52, 150}, Point{82, 189}}) {
        Opened menu = RightClick(p);
        ASSERT_TRUE(menu.open) << p.x << "," << p.y;
        EXPECT_EQ(menu.rect.TopLeft(), Screen(p));
        EXPECT_EQ(contour->menuPoint, p);
        for (const char* item : {"Controls Menu", "Display Automation Settings...", "Configure Automation..."})
            EXPECT_NE(std::find(menu.texts.begin(), menu.texts.end(), item), menu.texts.end()) << item;
    }
    // A right click neither takes the keyboard nor changes the selection.
    EXPECT_EQ(contour->selection, CFXContour::kSelectHigh);
    EXPECT_NE(Window::GetFocus(), contour);
}

TEST_F(ContourMenuTest, NoMenuOnTheHandleBelowTheTrackBesideTheTracksOrOnEmptySpace) {
    for (Point p : {Point{30, 195}, Point{34, 195}, Point{33, 100}, Point{24, 100}, Point{30, 82}, Point{200, 50},
                    Point{150, 120}}) {
        EXPECT_FALSE(RightClick(p).open) << p.x << "," << p.y;
    }
}

TEST_F(ContourMenuTest, ARightClickOnTheMarkerOpensTheMenu) {
    // Cutoff 40: marker (224,180)-(231,195), not grown for the right button.
    EXPECT_TRUE(RightClick({224, 180}).open);
    EXPECT_TRUE(RightClick({230, 194}).open);
    EXPECT_FALSE(RightClick({223, 185}).open);
    EXPECT_FALSE(RightClick({231, 185}).open);
}

TEST_F(ContourMenuTest, ConfigureAutomationEditsTheClickedItemsAssignmentAndRecord) {
    tagUserPreset& preset = panel->currentPreset;
    tagEffectParams& block = Block();
    const struct {
        Point at;
        tagAutomationAssignment* assignment;
        tagMAREG* record;
    } cases[] = {{{28, 100}, &preset.lowFreqAssignment, &block.lowFreq},
                 {{55, 100}, &preset.midFreqAssignment, &block.midFreq},
                 {{80, 100}, &preset.highFreqAssignment, &block.highFreq},
                 {{227, 185}, &preset.midCutoffAssignment, &block.midCutoff},
                 {{200, 50}, nullptr, nullptr}};
    for (const auto& c : cases) {
        auto target = contour->AutomationTargetAt(c.at);
        EXPECT_EQ(target.assignment, c.assignment) << c.at.x;
        EXPECT_EQ(target.record, c.record) << c.at.x;
    }
}

TEST_F(ContourMenuTest, ChoosingACommandClosesTheMenuAndLeavesTheControlWorking) {
    for (int item : {2, 3}) {
        // Any dialog the command opens is closed with Escape.
        WhenModal([item] {
            Rect r = TrackedPopupMenuItemRect(item);
            SetIdleHook([] { InjectKeyPress(VK_ESCAPE); });
            InjectClick({r.left + 4, r.top + r.Height() / 2});
        });
        ClickClient(*contour, {28, 100}, 1);
        SetIdleHook(nullptr);
        EXPECT_EQ(TrackedPopupMenuWindow(), nullptr);
    }
    // The left button still grabs the low handle afterwards.
    PressAt(contour->lowHandle.rect.TopLeft() + Point{3, 3});
    EXPECT_EQ(contour->dragMode, CFXContour::kDragLow);
    ReleaseAt(contour->lowHandle.rect.TopLeft() + Point{3, 3});
}

}  // namespace

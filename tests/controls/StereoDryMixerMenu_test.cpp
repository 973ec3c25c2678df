#include "platform/window/Menu.h"
#include "tests/controls/StereoDryMixerFixture.h"

using namespace win;
using mixertest::MixerTest;

namespace {

class MixerMenuTest : public MixerTest {
protected:
    void TearDown() override {
        SetIdleHook(nullptr);
        MixerTest::TearDown();
    }

    struct Opened {
        bool open = false;
        Point at;
        std::vector<std::string> items;
    };

    // Right-clicks a mixer point; a menu that opens is looked at and dismissed with Escape.
    Opened RightClick(Point client) {
        Opened seen;
        WhenModal([&seen] {
            Window* menu = TrackedPopupMenuWindow();
            if (!menu) return;
            seen.open = true;
            seen.at = menu->WindowRect().TopLeft();
            InjectKeyPress(VK_ESCAPE);
        });
        ClickMixer(client, 1);
        SetIdleHook(nullptr);
        return seen;
    }

    // Chooses item `index` of the menu a right click opens; any dialog the command opens is closed.
    void Choose(Point client, int index) {
        WhenModal([index] {
            if (!TrackedPopupMenuWindow()) return;
            Rect item = TrackedPopupMenuItemRect(index);
            SetIdleHook([] { InjectKeyPress(VK_ESCAPE); });
            InjectClick({item.left + 5, item.top + item.Height() / 2});
        });
        ClickMixer(client, 1);
        SetIdleHook(nullptr);
    }
};

TEST_F(MixerMenuTest, OpensOnlyOnTheUpperFaderAtThePointer) {
    const Opened onTrack = RightClick({98, 120});
    EXPECT_TRUE(onTrack.open);
    EXPECT_EQ(onTrack.at, ToScreen({98, 120}));
    EXPECT_EQ(Mixer().menuPoint, (Point{98, 120}));

    EXPECT_TRUE(RightClick({88, 103}).open);
    EXPECT_TRUE(RightClick({107, 177}).open);
    EXPECT_FALSE(RightClick({98, 178}).open) << "the fader below row 178 has no menu";
    EXPECT_FALSE(RightClick({98, 200}).open);
    EXPECT_FALSE(RightClick({87, 120}).open);
    EXPECT_FALSE(RightClick({108, 120}).open);
    EXPECT_FALSE(RightClick({80, 72}).open) << "nor the switches";
}

TEST_F(MixerMenuTest, RightClickGivesTheFocusButNotTheSelection) {
    RightClick({30, 200});
    EXPECT_EQ(Window::GetFocus(), &Mixer());
    EXPECT_NE(Mixer().selection, CStereoDryMixer::kSelected);
    EXPECT_EQ(Window::GetCapture(), nullptr);
}

TEST_F(MixerMenuTest, CommandsThatChangeNothingLeaveThePresetUnmarked) {
    Choose({98, 120}, 2);  // Display Automation Settings...
    EXPECT_EQ(TrackedPopupMenuWindow(), nullptr);
    Choose({98, 120}, 3);  // Configure Automation..., left without a change
    EXPECT_EQ(TrackedPopupMenuWindow(), nullptr);
    EXPECT_EQ(panel->edited, 0);
    EXPECT_EQ(Settings().effectAssignment.controller, 255);
    EXPECT_EQ(Settings().effectLevel, 100);
}

}  // namespace

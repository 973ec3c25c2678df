#include <climits>

#include "controls/FXContour.h"
#include "host/lib/EffectParams.h"
#include "tests/controls/StereoDryMixerFixture.h"

using namespace win;
using mixertest::MixerTest;

namespace {

TEST_F(MixerTest, KnobDragScalesTheMovementWithMulDivAndClamps) {
    HostSetsEffect(64);  // travel 45, knob top 138
    ASSERT_EQ(Mixer().knobRect, (Rect{90, 138, 106, 159}));
    PressAt({98, 145});
    EXPECT_EQ(Window::GetCapture(), &Mixer());
    EXPECT_EQ(Mixer().dragMode, CStereoDryMixer::kDragKnob);
    EXPECT_EQ(Mixer().grabOffset, 145 - 45);
    EXPECT_EQ(Mixer().selection, CStereoDryMixer::kSelected);
    EXPECT_EQ(Window::GetFocus(), &Mixer());

    MoveTo({98, 135});  // 10 pixels up: MulDiv(55, 127, 90) = 77.6
    EXPECT_EQ(Settings().effectLevel, 78);
    EXPECT_EQ(Block().effect.value, 78);
    EXPECT_EQ(panel->edited, 1);

    MoveTo({98, 144});  // MulDiv(46, 127, 90) = 64.9
    EXPECT_EQ(Settings().effectLevel, 65);

    const Rect before = host.WindowRect();
    win::InjectMouseMove({ToScreen({98, 0}).x, 0});  // far above the mixer, on the screen's top row
    Pump();
    EXPECT_EQ(Settings().effectLevel, 127);
    MoveTo({98, 2000});
    EXPECT_EQ(Settings().effectLevel, 0);
    EXPECT_EQ(Block().effect.value, 0);
    EXPECT_EQ(host.WindowRect(), before) << "a knob drag never moves the window";

    ReleaseAt({98, 2000});
    EXPECT_EQ(Window::GetCapture(), nullptr);
    EXPECT_EQ(Mixer().dragMode, CStereoDryMixer::kIdle);
}

TEST_F(MixerTest, KnobDragRedrawsOnlyTheFaderAndSkipsMovesThatKeepTheRow) {
    HostSetsEffect(64);
    PressAt({98, 145});
    Pump();
    {
        ScopedDrawTrace trace;
        MoveTo({98, 140});
        auto entries = trace.Entries();
        EXPECT_TRUE(Drew(entries, 157)) << "the grabbed knob shows selected";
        EXPECT_FALSE(Drew(entries, 189) || Drew(entries, 191));
        for (const DrawTraceEntry& e : CopiesOf(entries, 185)) EXPECT_NE(e.destLogical, (Rect{0, 0, 201, 248}));
    }
    Block().effect.value = 3;  // the host writes meanwhile; a sideways move must not overwrite it
    {
        ScopedDrawTrace trace;
        MoveTo({101, 140});
        EXPECT_FALSE(Drew(trace.Entries(), 157));
    }
    EXPECT_EQ(Block().effect.value, 3);
    ReleaseAt({101, 140});
}

TEST_F(MixerTest, TrackClickMovesTheKnobUnderThePointerWithoutMarkingTheEdit) {
    HostSetsEffect(0);  // knob at the bottom, out of the way
    ClickMixer({98, 120});
    EXPECT_EQ(Settings().effectLevel, 104);
    EXPECT_EQ(Block().effect.value, 104);
    EXPECT_EQ(Mixer().selection, CStereoDryMixer::kSelected);
    EXPECT_EQ(Mixer().knobRect.top + 10, 120) << "the index line of the selected knob is on the pointer";
    EXPECT_EQ(panel->edited, 0);
    EXPECT_EQ(Window::GetCapture(), nullptr);

    ClickMixer({89, 200});  // below the knob's lowest index row
    EXPECT_EQ(Settings().effectLevel, 0);
    ClickMixer({107, 103});  // the track's top row
    EXPECT_EQ(Settings().effectLevel, 127);
    ClickMixer({98, 215});
    EXPECT_EQ(Settings().effectLevel, 0);
}

TEST_F(MixerTest, SwitchesToggleOnReleaseInsideAndRewriteBothOutputBits) {
    ASSERT_EQ(Settings().leftSwitch, 1);
    ASSERT_EQ(Settings().rightSwitch, 1);
    ASSERT_EQ(Block().optionFlags, 0x60);
    Block().optionFlags = 0xFF;  // bits the switches do not own are cleared by the write

    ScopedDrawTrace trace;
    ClickMixer({80, 72});
    EXPECT_EQ(Settings().leftSwitch, 0);
    EXPECT_EQ(Block().optionFlags, 0x40);
    EXPECT_EQ(panel->edited, 1);
    auto entries = trace.Entries();
    ASSERT_EQ(CopiesOf(entries, 189).size(), 1u);
    EXPECT_EQ(CopiesOf(entries, 189)[0].sourceLogical, (Rect{0, 16, 17, 32})) << "the off frame";
    EXPECT_EQ(CopiesOf(entries, 189)[0].destLogical, (Rect{73, 66, 90, 82}));
    ASSERT_EQ(CopiesOf(entries, 191).size(), 1u);
    EXPECT_EQ(CopiesOf(entries, 191)[0].sourceLogical, (Rect{0, 0, 17, 16})) << "the on frame";
    EXPECT_EQ(CopiesOf(entries, 191)[0].destLogical, (Rect{93, 66, 110, 82}));
    EXPECT_FALSE(Drew(entries, 133) || Drew(entries, 157) || Drew(entries, 131)) << "only the switches";

    ClickMixer({100, 72});
    EXPECT_EQ(Settings().rightSwitch, 0);
    EXPECT_EQ(Block().optionFlags, 0x00);
    ClickMixer({80, 72});
    EXPECT_EQ(Block().optionFlags, 0x20);

    // A press released off its switch does nothing and leaves no mark.
    PressAt({100, 72});
    EXPECT_EQ(Mixer().switches[1].pressed, 1);
    ReleaseAt({150, 150});
    EXPECT_EQ(Settings().rightSwitch, 0);
    EXPECT_EQ(Mixer().switches[1].pressed, 0);
    EXPECT_EQ(Window::GetCapture(), nullptr);

    // A switch that shows off through any value but 1 turns on.
    Settings().rightSwitch = 2;
    ClickMixer({100, 72});
    EXPECT_EQ(Settings().rightSwitch, 1);
    EXPECT_EQ(Block().optionFlags, 0x60);
    EXPECT_NE(Mixer().selection, CStereoDryMixer::kSelected) << "a switch gives the focus but not the selection";
    EXPECT_EQ(Window::GetFocus(), &Mixer());
}

TEST_F(MixerTest, PressOnAnEmptySpotDragsTheHostWindow) {
    const Rect before = host.WindowRect();
    PressAt({30, 200});
    EXPECT_EQ(Mixer().dragMode, CStereoDryMixer::kDragWindow);
    EXPECT_EQ(Mixer().pressPoint, (Point{30, 200}));
    MoveTo({40, 195});
    EXPECT_EQ(host.WindowRect(), before.Offset(10, -5));
    ReleaseAt({40, 195});
    EXPECT_EQ(Mixer().dragMode, CStereoDryMixer::kIdle);
    EXPECT_EQ(Settings().effectLevel, 100);
}

TEST_F(MixerTest, KeysStepTheSelectedFaderAndAlwaysWriteAndMark) {
    Press(VK_UP);
    EXPECT_EQ(Settings().effectLevel, 100) << "keys are ignored until the mixer is selected";
    EXPECT_EQ(panel->edited, 0);

    SelectMixer();
    struct Step {
        int from;
        UINT key;
        int to;
    };
    const Step steps[] = {{120, VK_PRIOR, 127}, {5, VK_NEXT, 0},       {127, VK_UP, 127}, {0, VK_DOWN, 0},
                          {50, VK_ADD, 51},     {50, VK_SUBTRACT, 49}, {50, 'A', 50},     {200, VK_DOWN, 126},
                          {-7, VK_UP, 1},       {INT_MAX, VK_PRIOR, 127}};
    for (const Step& s : steps) {
        Settings().effectLevel = s.from;
        Block().effect.value = 77;
        panel->ClearModified();
        Press(s.key);
        EXPECT_EQ(Settings().effectLevel, s.to) << s.from << " key " << s.key;
        EXPECT_EQ(Block().effect.value, s.to) << "written even when unchanged";
        EXPECT_EQ(panel->edited, 1) << "marked even when unchanged";
    }
    ScopedDrawTrace trace;
    Settings().effectLevel = 10;
    Press(VK_UP);
    auto texts = Texts(trace.Entries());
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const DrawTraceEntry& e) { return e.text == " 11"; }));
}

TEST_F(MixerTest, TabHandsTheSelectionToTheContourAtEitherEnd) {
    SelectMixer();
    Press(VK_TAB);
    EXPECT_EQ(Window::GetFocus(), panel->contour);
    EXPECT_EQ(panel->contour->selection, CFXContour::kSelectCutoff) << "forward enters at the cutoff handle";
    EXPECT_EQ(Mixer().selection, CStereoDryMixer::kDeselected);

    SelectMixer();
    InjectKey(VK_SHIFT, true);
    Press(VK_TAB);
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(Window::GetFocus(), panel->contour);
    EXPECT_EQ(panel->contour->selection, CFXContour::kSelectLow) << "backward enters at the low band";
    EXPECT_EQ(Mixer().selection, CStereoDryMixer::kDeselected);
}

TEST_F(MixerTest, KeyDownIsConsumedBeforeTranslation) {
    SelectMixer();
    MSG msg{Mixer().GetSafeHwnd(), WM_KEYDOWN, 'A', 1, 0, {}};
    EXPECT_TRUE(WalkPreTranslateTree(&msg));
    MSG up{Mixer().GetSafeHwnd(), WM_KEYUP, 'A', 1, 0, {}};
    EXPECT_FALSE(WalkPreTranslateTree(&up)) << "only key-downs are taken";
}

}  // namespace

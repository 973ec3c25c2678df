// The contour control under the mouse and the keyboard, through the real editor: what each gesture
// writes into the host's parameter block and the panel's preset, and what it redraws.
#include <gtest/gtest.h>

#include "controls/FXContourLayout.h"
#include "controls/StereoDryMixer.h"
#include "host/lib/EffectParams.h"
#include "presets/UserPreset.h"
#include "tests/controls/FXContourFixture.h"

using namespace win;
using namespace contourtest;

namespace {

using ContourInputTest = ContourTest;

TEST_F(ContourInputTest, BandDragAddsThePointersRiseToTheTravelAtTheGrab) {
    HostSets(64, 20, 30, 40);
    // Value 64: travel 53, handle (25,137)-(35,157), ref 54.
    PressAt({30, 140});
    EXPECT_EQ(contour->dragMode, CFXContour::kDragLow);
    EXPECT_EQ(contour->selection, CFXContour::kSelectLow);
    EXPECT_EQ(contour->lowHandle.grab, 86);
    EXPECT_EQ(Window::GetCapture(), contour);
    EXPECT_EQ(panel->edited, 0);

    MoveTo({30, 130});
    EXPECT_EQ(contour->lowValue, 75);  // MulDiv(63, 127, 107)
    EXPECT_EQ(Block().lowFreq.value, 75);
    EXPECT_EQ(panel->currentPreset.lowFreqValue, 75);
    EXPECT_EQ(panel->edited, 1);
    MoveTo({30, -60});
    EXPECT_EQ(Block().lowFreq.value, 127);
    MoveTo({30, 340});
    EXPECT_EQ(Block().lowFreq.value, 0);

    ReleaseAt({30, 340});
    EXPECT_EQ(contour->dragMode, CFXContour::kIdle);
    EXPECT_EQ(Window::GetCapture(), nullptr);
    EXPECT_EQ(Block().midFreq.value, 20);
    EXPECT_EQ(Block().highFreq.value, 30);
}

TEST_F(ContourInputTest, MidAndHighHandlesAreGrabbedInTheirGrownRectangles) {
    HostSets(10, 20, 30, 40);
    // Mid value 20: travel 16, handle (50,174)-(60,194), ref 91; grown by 6 and 4 it starts at x = 44.
    PressAt({44, 171});
    EXPECT_EQ(contour->dragMode, CFXContour::kDragMid);
    EXPECT_EQ(contour->selection, CFXContour::kSelectMid);
    MoveTo({44, 161});
    EXPECT_EQ(Block().midFreq.value, 31);  // MulDiv(80 + 107 - 161, 127, 107)
    ReleaseAt({44, 161});

    // High value 30: travel 25, handle (75,165)-(85,185); its grown right edge is x = 90.
    PressAt({90, 170});
    EXPECT_EQ(contour->dragMode, CFXContour::kDragHigh);
    EXPECT_EQ(contour->selection, CFXContour::kSelectHigh);
    MoveTo({90, 100});
    EXPECT_EQ(Block().highFreq.value, 113);  // MulDiv(88 + 107 - 100, 127, 107) = 112.76
    ReleaseAt({90, 100});
    EXPECT_EQ(Block().lowFreq.value, 10);
}

TEST_F(ContourInputTest, MarkerDragFollowsThePointerInsideTheGraph) {
    HostSets(10, 20, 30, 40);
    // Cutoff 40: 54 pixels, marker (224,180)-(231,195), grown by 8 and 4.
    PressAt({217, 177});
    EXPECT_EQ(contour->dragMode, CFXContour::kDragCutoff);
    EXPECT_EQ(contour->selection, CFXContour::kSelectCutoff);
    EXPECT_EQ(contour->cutoffGrab, 217 - 54);
    struct Step {
        int x, width, value;
    };
    for (Step s : {Step{200, 80, 60}, Step{110, 170, 127}, Step{20, 170, 127}, Step{280, 0, 0}, Step{379, 0, 0},
                   Step{279, 1, 1}}) {
        MoveTo({s.x, 150});
        EXPECT_EQ(contour->cutoffValue, s.value) << s.x;
        EXPECT_EQ(Block().midCutoff.value, s.value) << s.x;
        EXPECT_EQ(panel->currentPreset.midCutoffValue, s.value) << s.x;
    }
    MoveTo({200, 150});
    ReleaseAt({200, 150});
    // The marker sits where the pointer let it go.
    EXPECT_EQ(contour->cutoffHandle, (Rect{198, 180, 205, 195}));
    EXPECT_EQ(contour->dragMode, CFXContour::kIdle);
}

TEST_F(ContourInputTest, APressOnEmptySpaceDragsTheHostWindowAndAHandlePressNever) {
    const Rect before = host.WindowRect();
    PressAt({200, 50});
    EXPECT_EQ(contour->dragMode, CFXContour::kDragWindow);
    EXPECT_EQ(contour->selection, CFXContour::kSelectNone);
    EXPECT_EQ(Window::GetFocus(), contour);
    MoveTo({210, 45});
    EXPECT_EQ(host.WindowRect(), before.Offset(10, -5));
    ReleaseAt({210, 45});
    EXPECT_EQ(contour->dragMode, CFXContour::kIdle);

    const Rect moved = host.WindowRect();
    Point handle = contour->lowHandle.rect.TopLeft() + Point{3, 3};
    PressAt(handle);
    MoveTo(handle + Point{10, -5});
    ReleaseAt(handle + Point{10, -5});
    EXPECT_EQ(host.WindowRect(), moved);
}

TEST_F(ContourInputTest, AMidDragRepaintsAtOnceALowDragOnTheNextPaint) {
    HostSets(64, 64, 64, 64);
    for (int x0 : {25, 50}) {
        PressAt({x0 + 2, 140});
        Pump();
        ScopedDrawTrace trace;
        contour->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x0 + 2, 120));
        const bool paintedAtOnce = !Art(IntoPicture(trace.Entries()), 141).empty();
        EXPECT_EQ(paintedAtOnce, x0 == 50) << x0;
        Pump();
        auto tracks = Art(IntoPicture(trace.Entries()), 141);
        ASSERT_EQ(tracks.size(), 1u) << x0;
        EXPECT_EQ(tracks[0].destLogical.left, x0);
        ReleaseAt({x0 + 2, 120});
    }
}

TEST_F(ContourInputTest, EachEditRedrawsOnlyItsPictureGroups) {
    HostSets(64, 64, 64, 64);
    auto bandsRedrawn = [](const std::vector<DrawTraceEntry>& picture) {
        std::vector<int> x;
        for (const DrawTraceEntry& e : Art(picture, 141)) x.push_back(e.destLogical.left);
        return x;
    };
    {
        // A band drag step: one band pass, the marker and the lines.
        PressAt({52, 140});
        Pump();
        ScopedDrawTrace trace;
        MoveTo({52, 130});
        auto picture = IntoPicture(trace.Entries());
        EXPECT_EQ(bandsRedrawn(picture), std::vector<int>{50});
        EXPECT_TRUE(Art(picture, 185).empty());
        EXPECT_EQ(Art(picture, 145).size(), 1u);
        EXPECT_EQ(Of(picture, DrawOp::LineTo).size(), 2u);
        EXPECT_TRUE(Art(picture, 220).empty());
        ReleaseAt({52, 130});
    }
    {
        // A key step on the high band.
        contour->selection = CFXContour::kSelectHigh;
        ScopedDrawTrace trace;
        Press(VK_DOWN);
        auto picture = IntoPicture(trace.Entries());
        EXPECT_EQ(bandsRedrawn(picture), std::vector<int>{75});
        EXPECT_EQ(Block().highFreq.value, 63);
    }
    {
        // A cutoff step moves the boundary between the low and the mid column: everything.
        contour->selection = CFXContour::kSelectCutoff;
        ScopedDrawTrace trace;
        Press(VK_UP);
        auto picture = IntoPicture(trace.Entries());
        EXPECT_EQ(bandsRedrawn(picture), (std::vector<int>{25, 50, 75}));
        EXPECT_EQ(Art(picture, 185).size(), 1u);
    }
}

TEST_F(ContourInputTest, KeysStepTheSelectedValueAndAlwaysRewriteItsByte) {
    HostSets(120, 3, 30, 40);
    PressAt(contour->lowHandle.rect.TopLeft() + Point{3, 3});
    ReleaseAt(contour->lowHandle.rect.TopLeft() + Point{3, 3});
    ASSERT_EQ(contour->selection, CFXContour::kSelectLow);
    panel->ClearModified();

    Press(VK_PRIOR);
    EXPECT_EQ(Block().lowFreq.value, 127);
    EXPECT_EQ(panel->edited, 1);

    // Up at the top, a letter and Shift change nothing but still write the byte and mark the preset.
    for (UINT key : {VK_UP, UINT('A'), VK_SHIFT}) {
        panel->ClearModified();
        slot.SetValueFromHost(&Block().lowFreq, 5);
        Press(key);
        EXPECT_EQ(Block().lowFreq.value, 127) << key;
        EXPECT_EQ(panel->edited, 1) << key;
    }
    Press(VK_SUBTRACT);
    EXPECT_EQ(Block().lowFreq.value, 126);
    Press(VK_ADD);
    EXPECT_EQ(Block().lowFreq.value, 127);

    contour->selection = CFXContour::kSelectMid;
    Press(VK_NEXT);
    EXPECT_EQ(Block().midFreq.value, 0);
    Press(VK_DOWN);
    EXPECT_EQ(Block().midFreq.value, 0);
    EXPECT_EQ(panel->currentPreset.midFreqValue, 0);
    EXPECT_EQ(Block().lowFreq.value, 127);
}

TEST_F(ContourInputTest, AValueTheHostPutOutOfRangeIsSteppedFromWhatThePictureShows) {
    HostSets(200, 20, 30, 40);
    EXPECT_EQ(contour->lowValue, 200);
    contour->selection = CFXContour::kSelectLow;
    contour->SetFocus();
    Press(VK_DOWN);
    EXPECT_EQ(Block().lowFreq.value, 126);
    EXPECT_EQ(contour->lowValue, 126);
}

TEST_F(ContourInputTest, OnlyAStepKeyPullsAValueTheHostPutOutOfRangeIntoRange) {
    struct Case {
        int selection;
        tagMAREG tagEffectParams::*record;
        std::int32_t tagUserPreset::*field;
    };
    const Case cases[] = {
        {CFXContour::kSelectLow, &tagEffectParams::lowFreq, &tagUserPreset::lowFreqValue},
        {CFXContour::kSelectMid, &tagEffectParams::midFreq, &tagUserPreset::midFreqValue},
        {CFXContour::kSelectHigh, &tagEffectParams::highFreq, &tagUserPreset::highFreqValue},
        {CFXContour::kSelectCutoff, &tagEffectParams::midCutoff, &tagUserPreset::midCutoffValue},
    };
    const int outOfRange = 200;  // the byte holds it; the picture shows contour::kMaxValue
    contour->SetFocus();
    for (const Case& c : cases) {
        HostSets(outOfRange, outOfRange, outOfRange, outOfRange);
        contour->selection = c.selection;
        // Not a step: the byte is still written and the preset marked, with the host's value.
        for (UINT key : {UINT('A'), VK_SHIFT, VK_HOME}) {
            panel->ClearModified();
            Press(key);
            EXPECT_EQ((Block().*c.record).value, outOfRange) << c.selection << " key " << key;
            EXPECT_EQ(panel->currentPreset.*c.field, outOfRange) << c.selection << " key " << key;
            EXPECT_EQ(panel->edited, 1) << c.selection << " key " << key;
        }
        Press(VK_DOWN);
        EXPECT_EQ((Block().*c.record).value, contour::kMaxValue - 1) << c.selection;
        EXPECT_EQ(panel->currentPreset.*c.field, contour::kMaxValue - 1) << c.selection;
    }
}

TEST_F(ContourInputTest, TabWalksFromTheCutoffDownToTheLowSliderAndOnToTheMixer) {
    panel->FocusContour(true);
    Pump();
    ASSERT_EQ(Window::GetFocus(), contour);
    EXPECT_EQ(contour->selection, CFXContour::kSelectCutoff);
    for (int expected : {4, 2, 1}) {
        Press(VK_TAB);
        EXPECT_EQ(contour->selection, expected);
        EXPECT_EQ(Window::GetFocus(), contour);
    }
    Press(VK_TAB);
    EXPECT_EQ(contour->selection, CFXContour::kSelectNone);
    EXPECT_EQ(Window::GetFocus(), panel->mixer);
    EXPECT_EQ(panel->mixer->selection, CStereoDryMixer::kSelected);
}

TEST_F(ContourInputTest, ShiftTabWalksUpToTheCutoffAndThenSelectsNothing) {
    panel->FocusContour(false);
    Pump();
    EXPECT_EQ(contour->selection, CFXContour::kSelectLow);
    for (int expected : {2, 4, 16, 8}) {
        ShiftTab();
        EXPECT_EQ(contour->selection, expected);
        EXPECT_EQ(Window::GetFocus(), contour);
    }
    // With nothing selected the keys do nothing.
    panel->ClearModified();
    slot.SetValueFromHost(&Block().midCutoff, 99);
    Press(VK_UP);
    Press(VK_TAB);
    EXPECT_EQ(contour->selection, CFXContour::kSelectNone);
    EXPECT_EQ(Block().midCutoff.value, 99);
    EXPECT_EQ(panel->edited, 0);
}

TEST_F(ContourInputTest, TabRedrawsTheBandsItLeavesAndEnters) {
    contour->selection = CFXContour::kSelectHigh;
    contour->SetFocus();
    Pump();
    ScopedDrawTrace trace;
    Press(VK_TAB);
    std::vector<int> x;
    for (const DrawTraceEntry& e : Art(IntoPicture(trace.Entries()), 141)) x.push_back(e.destLogical.left);
    EXPECT_EQ(x, (std::vector<int>{50, 75}));
}

TEST_F(ContourInputTest, LosingTheFocusDeselects) {
    contour->selection = CFXContour::kSelectMid;
    contour->SetFocus();
    Pump();
    panel->SetFocus();
    EXPECT_EQ(contour->selection, CFXContour::kSelectNone);
    ScopedDrawTrace trace;
    Pump();
    EXPECT_EQ(Art(IntoPicture(trace.Entries()), 185).size(), 1u);
}

TEST_F(ContourInputTest, BypassTogglesOnReleaseClearsBit0x10AndRepaintsOnlyTheButtonOnScreen) {
    slot.SetStatusFlags(0xFF);
    Bitmap* surface = contour->Surface();
    const Point origin = contour->ClientOriginInSurface();
    // A mark on the screen beside the button that a repaint of the whole control would wipe.
    surface->SetPixel(origin.x + 300, origin.y + 28, 0x123456);
    const std::uint32_t buttonBefore = surface->GetPixel(origin.x + 349, origin.y + 28);

    ScopedDrawTrace trace;
    PressAt({349, 28});
    EXPECT_EQ(contour->dragMode, CFXContour::kBypassPressed);
    EXPECT_EQ(Window::GetCapture(), nullptr);
    EXPECT_FALSE(slot.BypassMode());
    ReleaseAt({349, 28});
    EXPECT_TRUE(slot.BypassMode());
    EXPECT_TRUE(contour->bypassOn);
    EXPECT_EQ(Block().statusFlags, 0xEFu);
    EXPECT_EQ(contour->dragMode, CFXContour::kIdle);

    auto picture = IntoPicture(trace.Entries());
    EXPECT_EQ(Art(picture, 220).size(), 1u);
    EXPECT_TRUE(Art(picture, 141).empty());
    EXPECT_TRUE(Art(picture, 185).empty());
    EXPECT_EQ(surface->GetPixel(origin.x + 300, origin.y + 28), 0x123456u);
    EXPECT_NE(surface->GetPixel(origin.x + 349, origin.y + 28), buttonBefore);

    ClickClient(*contour, {349, 28});
    EXPECT_FALSE(slot.BypassMode());
    EXPECT_FALSE(contour->bypassOn);
}

TEST_F(ContourInputTest, AnOutsideChangeReachesTheScreenAtTheNextPoll) {
    // Low 10 fills 8 rows of the low column; 90 fills 74 of them.
    const Point inColumn{150, 140};
    EXPECT_EQ(ScreenPixel(inColumn), RGB(0, 0, 0));
    slot.SetValueFromHost(&Block().lowFreq, 90);
    ScopedDrawTrace trace;
    Advance(300);
    EXPECT_EQ(contour->lowValue, 90);
    EXPECT_TRUE(HasCopyAt(IntoPicture(trace.Entries()), 144, {25, 115, 33, 133}));
    EXPECT_NE(ScreenPixel(inColumn), RGB(0, 0, 0));
}

}  // namespace

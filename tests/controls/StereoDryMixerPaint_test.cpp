#include <climits>
#include <cstdio>
#include <map>

#include "controls/StereoDryMixerLayout.h"
#include "host/lib/EffectParams.h"
#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "tests/controls/StereoDryMixerFixture.h"

using namespace win;
using mixertest::MixerTest;

namespace {

const Rect kClient{0, 0, 201, 248};

// The mixer's art and its sizes.
const std::map<int, Size> kArt = {{185, {583, 278}}, {159, {16, 103}}, {133, {13, 23}}, {157, {13, 22}},
                                  {131, {24, 102}},  {197, {35, 14}},  {189, {17, 32}}, {191, {17, 32}},
                                  {219, {17, 34}}};

bool Inside(const Rect& inner, const Rect& outer) { return inner.Intersect(outer) == inner && !inner.IsEmpty(); }

// Every copy of art reads inside its bitmap and writes inside the mixer's picture.
void ExpectCopiesInBounds(const std::vector<DrawTraceEntry>& trace, int level) {
    for (const DrawTraceEntry& e : trace) {
        if (e.op != DrawOp::BitBlt || !kArt.count(e.sourceResourceId)) continue;
        const Size size = kArt.at(e.sourceResourceId);
        EXPECT_TRUE(Inside(e.sourceLogical, {0, 0, size.cx, size.cy}))
            << "bitmap " << e.sourceResourceId << " read outside at level " << level;
        EXPECT_TRUE(Inside(e.destLogical, kClient)) << "bitmap " << e.sourceResourceId << " drawn outside at level " << level;
    }
}

std::string Readout(const std::vector<DrawTraceEntry>& trace) {
    for (const DrawTraceEntry& e : trace)
        if (e.op == DrawOp::TextOut && e.destLogical.TopLeft() == Point{79, 213}) return e.text;
    return "(none)";
}

TEST_F(MixerTest, FaderKnobMeterAndReadoutFollowTheLevel) {
    struct Case {
        int level;
        int knobTop;
        int litHeight;  // 0: no lit bar
        const char* readout;
    };
    const Case cases[] = {{0, 183, 0, "  0"}, {1, 183, 1, "  1"}, {64, 138, 49, " 64"}, {126, 94, 97, "126"}, {127, 93, 98, "127"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        ScopedDrawTrace trace;
        HostSetsEffect(static_cast<BYTE>(c.level));
        auto entries = trace.Entries();

        auto knob = CopiesOf(entries, 133);
        ASSERT_EQ(knob.size(), 1u);
        EXPECT_EQ(knob[0].destLogical, (Rect{90, c.knobTop, 103, c.knobTop + 23}));
        EXPECT_EQ(Mixer().knobRect, (Rect{90, c.knobTop, 106, c.knobTop + 21}));
        EXPECT_EQ(Mixer().knobRef, 90 - (183 - c.knobTop));

        auto meter = CopiesOf(entries, 131);
        ASSERT_EQ(meter.size(), c.litHeight ? 2u : 1u);
        EXPECT_EQ(meter[0].sourceLogical, (Rect{0, 0, 9, 100}));
        EXPECT_EQ(meter[0].destLogical, (Rect{71, 108, 80, 208}));
        if (c.litHeight) {
            EXPECT_EQ(meter[1].sourceLogical, (Rect{15, 100 - c.litHeight, 23, 100}));
            EXPECT_EQ(meter[1].destLogical, (Rect{73, 208 - c.litHeight, 81, 208}));
        }
        EXPECT_EQ(Readout(entries), c.readout);
        // The fader area is put back from the background first, then the track.
        auto background = CopiesOf(entries, 185);
        EXPECT_TRUE(std::any_of(background.begin(), background.end(), [](const DrawTraceEntry& e) {
            return e.sourceLogical == Rect{75, 111, 105, 241} && e.destLogical == Rect{75, 81, 105, 211};
        }));
        auto track = CopiesOf(entries, 159);
        ASSERT_EQ(track.size(), 1u);
        EXPECT_EQ(track[0].destLogical, (Rect{88, 103, 104, 206}));
    }
}

TEST_F(MixerTest, EachPaintRedrawsOnlyItsDirtyGroupsAndEndsWithNothingPending) {
    auto everything = Paint(CStereoDryMixer::kEverything);
    auto background = CopiesOf(everything, 185);
    ASSERT_FALSE(background.empty());
    EXPECT_EQ(background[0].sourceLogical, (Rect{0, 30, 201, 278}));
    EXPECT_EQ(background[0].destLogical, kClient);
    EXPECT_TRUE(Drew(everything, 133) && Drew(everything, 189) && Drew(everything, 191));
    EXPECT_EQ(Mixer().dirtyMask, CStereoDryMixer::kNothingPending);

    auto fader = Paint(CStereoDryMixer::kFaderGroup);
    EXPECT_TRUE(Drew(fader, 133) && Drew(fader, 131) && Drew(fader, 197) && Drew(fader, 159));
    EXPECT_FALSE(Drew(fader, 189) || Drew(fader, 191));
    for (const DrawTraceEntry& e : CopiesOf(fader, 185)) EXPECT_NE(e.destLogical, kClient);

    auto switches = Paint(CStereoDryMixer::kSwitches);
    EXPECT_TRUE(Drew(switches, 189) && Drew(switches, 191));
    EXPECT_FALSE(Drew(switches, 133) || Drew(switches, 131) || Drew(switches, 197) || Drew(switches, 159));

    // The clip light and its label come with every paint, and the whole picture goes out in one copy.
    for (const auto* trace : {&everything, &fader, &switches}) {
        auto clip = CopiesOf(*trace, 219);
        ASSERT_EQ(clip.size(), 1u);
        EXPECT_EQ(clip[0].destLogical, (Rect{10, 60, 27, 77}));
        auto texts = Texts(*trace);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const DrawTraceEntry& e) { return e.text == "Clip"; }));
        auto toScreen = CopiesOf(*trace, 0);
        ASSERT_EQ(toScreen.size(), 1u);
        EXPECT_EQ(toScreen[0].destLogical, kClient);
    }
}

TEST_F(MixerTest, SelectionColoursTheLabelReadoutAndKnob) {
    SelectMixer();
    auto selected = Paint(CStereoDryMixer::kFaderGroup);
    EXPECT_TRUE(Drew(selected, 157));
    EXPECT_FALSE(Drew(selected, 133));
    for (const DrawTraceEntry& e : Texts(selected)) {
        if (e.text != "Clip") {
            EXPECT_EQ(e.color, Mixer().highlightColour) << e.text;
        }
    }

    // Losing the focus deselects and redraws everything, without waiting for another reason.
    ScopedDrawTrace trace;
    panel->SetFocus();
    Pump();
    EXPECT_EQ(Mixer().selection, CStereoDryMixer::kDeselected);
    auto normal = trace.Entries();
    EXPECT_TRUE(Drew(normal, 133) && Drew(normal, 189));
    for (const DrawTraceEntry& e : Texts(normal)) EXPECT_EQ(e.color, Mixer().normalColour) << e.text;
}

TEST_F(MixerTest, LabelsStayCrispOverManyPaints) {
    // Text is blended onto what lies under it; drawn over itself it would grow bolder each time.
    SelectMixer();
    Paint(CStereoDryMixer::kEverything);
    const Bitmap once = Desktop::Instance().Compose();
    for (int i = 0; i < 10; ++i) Paint(CStereoDryMixer::kFaderGroup);
    const Bitmap& many = Desktop::Instance().Compose();
    const Rect labels[] = {{70, 44, 115, 64}, {28, 58, 60, 80}};
    for (const Rect& label : labels) {
        for (int y = label.top; y < label.bottom; ++y)
            for (int x = label.left; x < label.right; ++x) {
                Point p = ToScreen({x, y});
                ASSERT_EQ(many.GetPixel(p.x, p.y), once.GetPixel(p.x, p.y)) << x << "," << y;
            }
    }
}

class MixerClipTest : public MixerTest {
protected:
    // Mean red of the clip lamp as the screen shows it.
    int LampRed() {
        const Bitmap& frame = Desktop::Instance().Compose();
        int sum = 0;
        for (int y = 60; y < 77; ++y)
            for (int x = 10; x < 27; ++x) {
                const Point p = ToScreen({x, y});
                sum += GetRValue(FromDisplay(frame.GetPixel(p.x, p.y)));
            }
        return sum / (17 * 17);
    }
};

TEST_F(MixerClipTest, ClipLightFollowsTheStatusFlagOnTheThirdTick) {
    ASSERT_FALSE(Mixer().clipLit);
    {
        ScopedDrawTrace quiet;
        Advance(900);
        EXPECT_FALSE(Drew(quiet.Entries(), 219)) << "no clip, nothing lit: the mixer is left alone";
    }
    Block().statusFlags = STATUS_CLIP;
    {
        ScopedDrawTrace trace;
        Advance(900);
        auto clip = CopiesOf(trace.Entries(), 219);
        ASSERT_EQ(clip.size(), 1u);
        EXPECT_EQ(clip[0].sourceLogical, (Rect{0, 0, 17, 17}));
    }
    EXPECT_TRUE(Mixer().clipLit);
    const int litRed = LampRed();

    Block().statusFlags = 0;
    {
        ScopedDrawTrace trace;
        Advance(900);
        auto clip = CopiesOf(trace.Entries(), 219);
        ASSERT_EQ(clip.size(), 1u);
        EXPECT_EQ(clip[0].sourceLogical, (Rect{0, 17, 17, 34}));
    }
    EXPECT_FALSE(Mixer().clipLit);
    EXPECT_GT(litRed, LampRed() + 60) << "the lit lamp glows red on the screen";
}

TEST_F(MixerTest, WithoutABlockTheLightIsUnlitAndKeepsItsLastState) {
    Block().statusFlags = STATUS_CLIP;
    Advance(900);
    ASSERT_TRUE(Mixer().clipLit);
    ScopedDrawTrace trace;
    Mixer().Attach(nullptr, nullptr);
    auto clip = CopiesOf(trace.Entries(), 219);
    ASSERT_EQ(clip.size(), 1u);
    EXPECT_EQ(clip[0].sourceLogical, (Rect{0, 17, 17, 34}));
    EXPECT_TRUE(Mixer().clipLit);
    EXPECT_TRUE(Drew(trace.Entries(), 133)) << "Attach redraws everything";
}

TEST_F(MixerTest, OutsideChangesArriveWithThePollAndRedrawOnlyTheFader) {
    ScopedDrawTrace trace;
    HostSetsEffect(33);
    EXPECT_EQ(Settings().effectLevel, 33);
    auto entries = trace.Entries();
    EXPECT_EQ(Readout(entries), " 33");
    EXPECT_EQ(CopiesOf(entries, 133).at(0).destLogical.top, 183 - 33 * 90 / 127);
    EXPECT_FALSE(Drew(entries, 189));
    EXPECT_EQ(Block().effect.value, 33) << "the poll only reads";
}

TEST_F(MixerTest, EveryEffectByteDrawsInsideItsPlaceAndAboveTheRangeAsTheTop) {
    HostSetsEffect(127);
    const Bitmap top = Desktop::Instance().Compose();
    for (int value = 0; value <= 255; ++value) {
        ScopedDrawTrace trace;
        HostSetsEffect(static_cast<BYTE>(value));
        auto entries = trace.Entries();
        ASSERT_TRUE(Drew(entries, 131)) << value;
        ExpectCopiesInBounds(entries, value);
        char expected[8];
        std::snprintf(expected, sizeof expected, "%3d", std::min(value, 127));
        EXPECT_EQ(Readout(entries), expected);
        EXPECT_EQ(Settings().effectLevel, value) << "clamped for the picture only";
        if (value > 127) {
            const Bitmap& frame = Desktop::Instance().Compose();
            for (int i = 0; i < frame.Width() * frame.Height(); ++i)
                ASSERT_EQ(frame.Pixels()[i], top.Pixels()[i]) << "value " << value << " at " << i % frame.Width() << "," << i / frame.Width();
        }
    }
}

TEST_F(MixerTest, LevelsFromAPresetFileAnywhereInAnIntDrawInsideTheirPlace) {
    for (int level : {INT_MIN, -1000, -1, 128, 256, 100000, INT_MAX}) {
        Settings().effectLevel = level;
        auto entries = Paint(CStereoDryMixer::kEverything);
        ExpectCopiesInBounds(entries, level);
        EXPECT_EQ(Readout(entries), level < 0 ? "  0" : "127");
    }
}

TEST_F(MixerTest, TrackClickPutsTheSelectedKnobsIndexLineOnThePointer) {
    for (int y = mixer::kTrackHit.top; y < mixer::kTrackHit.bottom; ++y) {
        const int level = mixer::TrackClickLevel(y);
        ASSERT_GE(level, 0);
        ASSERT_LE(level, 127);
        const int indexRow = mixer::KnobRect(mixer::KnobTravel(level)).top + mixer::kKnobIndexRow;
        EXPECT_EQ(indexRow, std::clamp(y, 103, 193)) << "y " << y;
    }
}

}  // namespace

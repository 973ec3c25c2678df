// What the contour control draws, read from the drawing trace of its off-screen picture, and what
// reaches the screen.
#include <gtest/gtest.h>

#include "platform/gdi/GdiTypes.h"
#include "tests/controls/FXContourFixture.h"

using namespace win;
using namespace contourtest;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kHighlight = RGB(0, 255, 255);
constexpr COLORREF kNormal = RGB(156, 206, 206);

struct BandPlace {
    int x0;
    int regionLeft;
    int regionRight;
};
// With the cutoff at 64 (86 pixels) the low region ends and the mid region starts at x = 194.
constexpr BandPlace kBandsAtCutoff64[] = {{25, 110, 194}, {50, 194, 280}, {75, 280, 365}};

using ContourDrawingTest = ContourTest;

TEST_F(ContourDrawingTest, BandsPlaceHandleLevelBarAndColumnForEdgeValues) {
    struct Case {
        int value, travel, fill;
    };
    for (Case c : {Case{0, 0, 0}, Case{1, 0, 1}, Case{64, 53, 53}, Case{126, 106, 104}, Case{127, 107, 105}}) {
        SCOPED_TRACE(c.value);
        HostSets(c.value, c.value, c.value, 64);
        auto picture = Repaint(0x3E);
        for (const BandPlace& b : kBandsAtCutoff64) {
            SCOPED_TRACE(b.x0);
            EXPECT_TRUE(HasCopyAt(picture, 141, {b.x0, 83, b.x0 + 9, 210}));
            EXPECT_TRUE(HasCopyAt(picture, 144, {b.x0, 190 - c.travel, b.x0 + 8, 208 - c.travel}));
            auto fills = Of(picture, DrawOp::FillRect);
            EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [&](const DrawTraceEntry& e) {
                return e.destLogical == Rect{b.regionLeft, 83, b.regionRight, 190 - c.fill} && e.color == kBlack;
            }));

            auto bars = Art(picture, 196);
            auto bar = std::find_if(bars.begin(), bars.end(), [&](const DrawTraceEntry& e) { return e.destLogical.left == b.x0; });
            auto columns = Art(picture, 199);
            auto column = std::find_if(columns.begin(), columns.end(),
                                       [&](const DrawTraceEntry& e) { return e.destLogical.left == b.regionLeft; });
            if (c.value == 0) {
                EXPECT_EQ(bar, bars.end());
                EXPECT_EQ(column, columns.end());
                continue;
            }
            ASSERT_NE(bar, bars.end());
            EXPECT_EQ(bar->destLogical, (Rect{b.x0, 190 - c.fill, b.x0 + 8, 210}));
            EXPECT_EQ(bar->sourceLogical, (Rect{0, 87 - c.fill, 8, 107}));
            ASSERT_NE(column, columns.end());
            EXPECT_EQ(column->op, DrawOp::StretchBlt);
            EXPECT_EQ(column->destLogical, (Rect{b.regionLeft, 190 - c.fill, b.regionRight, 190}));
            EXPECT_EQ(column->sourceLogical, (Rect{0, 0, 77, 63}));
        }
        EXPECT_EQ(contour->lowHandle.rect, (Rect{25, 190 - c.travel, 35, 210 - c.travel}));
        EXPECT_EQ(contour->midHandle.rect, (Rect{50, 190 - c.travel, 60, 210 - c.travel}));
        EXPECT_EQ(contour->highHandle.rect, (Rect{75, 190 - c.travel, 85, 210 - c.travel}));
        EXPECT_EQ(contour->highHandle.ref, 107 - c.travel);
    }
}

TEST_F(ContourDrawingTest, CutoffPlacesItsLineMarkerAndTheLowAndMidRegions) {
    struct Case {
        int value, width;
    };
    for (Case c : {Case{0, 0}, Case{1, 1}, Case{64, 86}, Case{126, 169}, Case{127, 170}}) {
        SCOPED_TRACE(c.value);
        HostSets(64, 64, 64, c.value);
        auto picture = Repaint(0x3E);
        const int line = 280 - c.width;
        EXPECT_EQ(contour->cutoffWidth, c.width);
        EXPECT_EQ(contour->cutoffHandle, (Rect{line - 2, 180, line + 5, 195}));
        EXPECT_TRUE(HasCopyAt(picture, 145, {line - 2, 180, line + 3, 199}));

        auto lines = Of(picture, DrawOp::LineTo);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].destLogical, (Rect{280, 190, 280, 83}));
        EXPECT_EQ(lines[1].destLogical, (Rect{line, 183, line, 83}));
        for (const DrawTraceEntry& l : lines) {
            EXPECT_EQ(l.penStyle, PS_DOT);
            EXPECT_EQ(l.color, kWhite);
        }

        // An empty region draws nothing at all; the others fill their share of the graph.
        for (const DrawTraceEntry& e : picture) {
            if (e.op == DrawOp::FillRect || e.op == DrawOp::StretchBlt) {
                EXPECT_GT(e.destLogical.Width(), 0);
            }
        }
        EXPECT_EQ(c.width < 170, HasCopyAt(picture, 199, {110, 137, line, 190}));
        EXPECT_EQ(c.width > 0, HasCopyAt(picture, 199, {line, 137, 280, 190}));
    }
}

TEST_F(ContourDrawingTest, SelectedItemIsHighlighted) {
    contour->selection = CFXContour::kSelectMid;
    auto picture = Repaint(0x3E);
    auto labels = Of(picture, DrawOp::TextOut);
    ASSERT_EQ(labels.size(), 3u);
    const struct {
        const char* text;
        int x0;
        COLORREF color;
    } expected[] = {{"L", 25, kNormal}, {"M", 50, kHighlight}, {"H", 75, kNormal}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(labels[i].text, expected[i].text);
        EXPECT_EQ(labels[i].destLogical.TopLeft(), (Point{expected[i].x0, 68}));
        EXPECT_EQ(labels[i].color, expected[i].color);
    }
    EXPECT_EQ(Art(picture, 160).size(), 1u);
    EXPECT_EQ(Art(picture, 160)[0].destLogical.left, 50);
    EXPECT_EQ(Art(picture, 144).size(), 2u);
    EXPECT_EQ(Art(picture, 145).size(), 1u);

    contour->selection = CFXContour::kSelectCutoff;
    picture = Repaint(0x3E);
    EXPECT_EQ(Art(picture, 161).size(), 1u);
    EXPECT_TRUE(Art(picture, 145).empty());
    EXPECT_TRUE(Art(picture, 160).empty());
}

TEST_F(ContourDrawingTest, AFullRepaintStartsFromTheArtAndABlackGraph) {
    auto picture = Repaint(0x3E);
    ASSERT_FALSE(picture.empty());
    EXPECT_EQ(picture[0].sourceResourceId, 185);
    EXPECT_EQ(picture[0].sourceLogical, (Rect{199, 30, 582, 278}));
    EXPECT_EQ(picture[0].destLogical, (Rect{0, 0, 383, 248}));
    EXPECT_EQ(picture[1].op, DrawOp::FillRect);
    EXPECT_EQ(picture[1].destLogical, (Rect{110, 83, 365, 190}));
    // Background, the three bands in order, the marker, the lines, the button.
    EXPECT_EQ(Art(picture, 141).size(), 3u);
    EXPECT_EQ(Art(picture, 220).size(), 1u);
}

TEST_F(ContourDrawingTest, APaintWithNothingDirtyRenewsTheLinesAndShowsThePicture) {
    Repaint(0x3E);
    ScopedDrawTrace trace;
    contour->dirtyMask = CFXContour::kNothingPending;
    contour->Invalidate(FALSE);
    contour->UpdateWindow();
    auto entries = trace.Entries();
    auto picture = IntoPicture(entries);
    ASSERT_EQ(picture.size(), 2u);
    EXPECT_EQ(Of(picture, DrawOp::LineTo).size(), 2u);
    auto shown = std::count_if(entries.begin(), entries.end(), [](const DrawTraceEntry& e) {
        return e.op == DrawOp::BitBlt && e.sourceLabel == "FXContour picture" && e.destLogical == Rect{0, 0, 383, 248};
    });
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(contour->dirtyMask, CFXContour::kNothingPending);
}

TEST_F(ContourDrawingTest, BypassButtonShowsTheUpperFrameWhenOn) {
    for (bool on : {true, false}) {
        contour->bypassOn = on;
        auto buttons = Art(Repaint(0x20), 220);
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_EQ(buttons[0].destLogical, (Rect{341, 20, 357, 36}));
        EXPECT_EQ(buttons[0].sourceLogical, (on ? Rect{0, 0, 16, 16} : Rect{0, 16, 16, 32}));
    }
}

TEST_F(ContourDrawingTest, ALetterRedrawnManyTimesLooksAsWhenDrawnOnce) {
    auto letterCell = [&] {
        std::vector<COLORREF> pixels;
        for (int y = 68; y < 83; ++y)
            for (int x = 25; x < 41; ++x) pixels.push_back(ScreenPixel({x, y}));
        return pixels;
    };
    contour->selection = CFXContour::kSelectNone;
    Repaint(0x3E);
    const auto drawnOnce = letterCell();
    // A drag redraws the selected letter at every step; then the selection moves on.
    contour->selection = CFXContour::kSelectLow;
    for (int i = 0; i < 30; ++i) Repaint(0x02);
    contour->selection = CFXContour::kSelectNone;
    Repaint(0x02);
    EXPECT_EQ(letterCell(), drawnOnce);
}

// Values come from the host and from preset files unchecked: every byte must paint inside the
// control, values above 127 look like 127 and stay as the host wrote them.
TEST_F(ContourDrawingTest, EveryByteOfEveryValuePaintsInsideTheControl) {
    tagEffectParams& block = Block();
    struct Parameter {
        tagMAREG* record;
        int CFXContour::*value;
    } parameters[] = {{&block.lowFreq, &CFXContour::lowValue},
                      {&block.midFreq, &CFXContour::midValue},
                      {&block.highFreq, &CFXContour::highValue},
                      {&block.midCutoff, &CFXContour::cutoffValue}};
    const Rect client{0, 0, 383, 248};
    const Rect contourOnScreen = contour->WindowRect();
    auto outsideTheControl = [&] {
        const Bitmap& frame = Desktop::Instance().Compose();
        std::vector<std::uint32_t> pixels;
        const Rect editor = panel->WindowRect();
        for (int y = editor.top; y < editor.bottom; y += 3)
            for (int x = editor.left; x < editor.right; x += 3)
                if (!contourOnScreen.Contains({x, y})) pixels.push_back(frame.GetPixel(x, y));
        return pixels;
    };
    const auto around = outsideTheControl();

    for (const Parameter& p : parameters) {
        std::vector<DrawTraceEntry> at127;
        for (int byte = 0; byte <= 255; ++byte) {
            SCOPED_TRACE(byte);
            ScopedDrawTrace trace;
            slot.SetValueFromHost(p.record, static_cast<BYTE>(byte));
            Advance(300);
            auto picture = IntoPicture(trace.Entries());
            ASSERT_FALSE(picture.empty());
            EXPECT_EQ(contour->*p.value, byte);
            for (const DrawTraceEntry& e : picture) {
                Rect dest = e.destLogical;
                if (e.op == DrawOp::LineTo) dest = {dest.left, dest.bottom, dest.right + 1, dest.top + 1};
                EXPECT_EQ(dest.Intersect(client), dest) << DrawOpName(e.op) << " " << e.sourceResourceId;
            }
            if (byte == 127) at127 = picture;
            if (byte > 127) {
                ASSERT_EQ(picture.size(), at127.size());
                for (std::size_t i = 0; i < picture.size(); ++i) {
                    EXPECT_EQ(picture[i].destLogical, at127[i].destLogical);
                    EXPECT_EQ(picture[i].sourceLogical, at127[i].sourceLogical);
                }
            }
        }
        slot.SetValueFromHost(p.record, 64);
        Advance(300);
    }
    EXPECT_EQ(outsideTheControl(), around);
}

}  // namespace

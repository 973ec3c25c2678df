#include <gtest/gtest.h>

#include "tests/platform/gdi/GdiTestSupport.h"

using namespace win;
using gdi_test::Canvas;
using gdi_test::kWhite;

namespace {
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kBlack = 0x000000;
}  // namespace

TEST(Shapes, FillRectExcludesRightAndBottom) {
    Canvas c(10, 10, kGrey);
    c.dc.FillRect({2, 3, 5, 7}, Brush::Solid(RGB(255, 0, 0)));
    EXPECT_EQ(c.Ink(kGrey), (Rect{2, 3, 5, 7}));
    EXPECT_EQ(c.Count(0xFF0000), 12);
    c.dc.FillRect({0, 0, 10, 10}, Brush::Null());
    EXPECT_EQ(c.Count(0xFF0000), 12);
    c.dc.FillSolidRect({0, 0, 1, 1}, RGB(0, 0, 255));
    EXPECT_EQ(c.At(0, 0), 0x0000FFu);
    EXPECT_EQ(c.dc.GetBkColor(), RGB(0, 0, 255));  // MFC's side effect, kept on purpose
    c.dc.FillRect({7, 7, 4, 4}, Brush::Solid(0));  // inverted rectangle: nothing
    EXPECT_EQ(c.Count(kBlack), 0);
}

TEST(Shapes, RectangleOutlineAndInterior) {
    Canvas c(8, 7, kGrey);
    c.dc.Rectangle(1, 1, 6, 5);  // default: black 1-pixel pen, white brush
    EXPECT_EQ(c.Row(1, kBlack), ".#####..");
    EXPECT_EQ(c.Row(2, kBlack), ".#...#..");
    EXPECT_EQ(c.Row(4, kBlack), ".#####..");
    EXPECT_EQ(c.Row(5, kBlack), "........");
    EXPECT_EQ(c.Row(2, kWhite), "..###...");
    EXPECT_EQ(c.Ink(kGrey), (Rect{1, 1, 6, 5}));

    Canvas nullPen(8, 7, kGrey);
    nullPen.dc.SelectPen(Pen::Null());
    nullPen.dc.SelectBrush(Brush::Solid(0));
    nullPen.dc.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(nullPen.Ink(kGrey), (Rect{1, 1, 5, 4}));

    Canvas hollow(8, 7, kGrey);
    hollow.dc.SelectBrush(Brush::Null());
    hollow.dc.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(hollow.At(3, 2), kGrey);
    EXPECT_EQ(hollow.At(1, 2), kBlack);

    Canvas wide(10, 10, kGrey);
    wide.dc.SelectPen(Pen(PS_SOLID, 3, RGB(0, 0, 0)));
    wide.dc.Rectangle(2, 2, 8, 8);  // centred on the 1-pixel outline: 1 out, 1 in
    EXPECT_EQ(wide.Ink(kGrey), (Rect{1, 1, 9, 9}));
    EXPECT_EQ(wide.Row(4, kBlack), ".###..###.");
    EXPECT_EQ(wide.Row(4, kWhite), "....##....");
}

TEST(Shapes, LinesExcludeTheirEndPoint) {
    Canvas c(8, 8, kGrey);
    c.dc.MoveTo(1, 1);
    c.dc.LineTo(6, 1);
    c.dc.LineTo(6, 5);
    EXPECT_EQ(c.Row(1, kBlack), ".######.");  // (6,1) comes from the second segment
    EXPECT_EQ(c.Column(6, kBlack), ".####...");
    EXPECT_EQ(c.dc.CurrentPosition(), (Point{6, 5}));

    Canvas d(8, 4, kGrey);
    d.dc.MoveTo(0, 0);
    d.dc.LineTo(6, 2);
    EXPECT_EQ(d.Row(0, kBlack), "##......");
    EXPECT_EQ(d.Row(1, kBlack), "..###...");
    EXPECT_EQ(d.Row(2, kBlack), ".....#..");
    d.dc.MoveTo(7, 0);
    d.dc.LineTo(4, 3);  // 45 degrees, right to left
    EXPECT_TRUE(d.At(7, 0) == kBlack && d.At(6, 1) == kBlack && d.At(5, 2) == kBlack);
    EXPECT_NE(d.At(4, 3), kBlack);
}

TEST(Shapes, DottedPenInBothBackgroundModes) {
    const COLORREF red = RGB(255, 0, 0);
    for (int mode : {TRANSPARENT, OPAQUE}) {
        Canvas c(16, 3, kGrey);
        c.dc.SelectPen(Pen(PS_DOT, 1, RGB(0, 0, 0)));
        c.dc.SetBkColor(red);
        c.dc.SetBkMode(mode);
        c.dc.MoveTo(0, 1);
        c.dc.LineTo(5, 1);  // the pattern carries on into the next segment
        c.dc.LineTo(14, 1);
        EXPECT_EQ(c.Row(1, kBlack), "###...###...##..") << mode;
        EXPECT_EQ(c.Row(1, 0xFF0000), mode == OPAQUE ? "...###...###...." : "................");
        c.dc.MoveTo(0, 2);  // restarts the pattern
        c.dc.LineTo(4, 2);
        EXPECT_EQ(c.Row(2, kBlack), "###.............");
    }
    Canvas box(7, 7, kGrey);
    box.dc.SelectPen(Pen(PS_DOT, 1, RGB(0, 0, 0)));
    box.dc.SetBkMode(TRANSPARENT);
    box.dc.SelectBrush(Brush::Null());
    box.dc.Rectangle(0, 0, 7, 7);
    EXPECT_EQ(box.Row(0, kBlack), "###...#");
    EXPECT_EQ(box.Column(6, kBlack), "###...#");
}

TEST(Shapes, LinesClipToOriginAndRegionEvenWhenHuge) {
    Canvas c(10, 10, kGrey);
    c.dc.SetDeviceOrigin({3, 0});
    c.dc.SetClipRegion(Region(Rect{0, 0, 6, 10}));
    c.dc.MoveTo(-1000000000, 2);
    c.dc.LineTo(1000000000, 2);  // walks only the visible steps
    EXPECT_EQ(c.Row(2, kBlack), "######....");
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(2000000000, 1000000000);  // slope 1/2 through device (3, 0)
    EXPECT_EQ(c.At(3, 0), kBlack);
    EXPECT_EQ(c.At(4, 0), kBlack);
    EXPECT_EQ(c.At(5, 1), kBlack);
}

TEST(Shapes, PixelsAndClipQueries) {
    Canvas c(4, 4, kGrey);
    c.dc.SetDeviceOrigin({1, 1});
    EXPECT_EQ(c.dc.SetPixel(0, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(c.At(1, 1), 0x010203u);
    EXPECT_EQ(c.dc.GetPixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(c.dc.SetPixel(3, 3, RGB(1, 2, 3)), CLR_INVALID);  // device (4,4): outside
    EXPECT_EQ(c.dc.GetPixel(-2, 0), CLR_INVALID);
    EXPECT_EQ(c.dc.ExcludeClipRect(Rect{0, 0, 1, 1}), COMPLEXREGION);
    EXPECT_EQ(c.dc.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(c.dc.IntersectClipRect(Rect{1, 1, 2, 2}), SIMPLEREGION);
    Rect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (Rect{1, 1, 2, 2}));
    EXPECT_EQ(c.dc.IntersectClipRect(Rect{5, 5, 6, 6}), NULLREGION);
}

TEST(DcState, DefaultsSaveAndRestore) {
    Canvas c(4, 4);
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.GetBkColor(), RGB(255, 255, 255));
    EXPECT_EQ(c.dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(c.dc.GetStretchBltMode(), BLACKONWHITE);
    EXPECT_EQ(c.dc.CurrentPen(), Pen(PS_SOLID, 1, RGB(0, 0, 0)));
    EXPECT_EQ(c.dc.CurrentBrush(), Brush::Solid(RGB(255, 255, 255)));

    int level = c.dc.SaveDC();
    c.dc.SetTextColor(RGB(9, 9, 9));
    c.dc.SetDeviceOrigin({2, 2});
    c.dc.IntersectClipRect(Rect{0, 0, 1, 1});
    c.dc.SaveDC();
    c.dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(c.dc.RestoreDC(level));
    EXPECT_EQ(c.dc.GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.DeviceOrigin(), (Point{0, 0}));
    Rect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, (Rect{0, 0, 4, 4}));
    EXPECT_FALSE(c.dc.RestoreDC(level));  // already popped
    EXPECT_EQ(c.dc.SetBkMode(7), 0);
}

TEST(DcState, TargetReplacedBehindTheDcStaysInBounds) {
    Bitmap surface(50, 50);
    DC dc(&surface);
    dc.FillRect({0, 0, 50, 50}, Brush::Solid(0));  // clip cached at 50 x 50
    surface = Bitmap(3, 2, 0xFFFFFF);
    dc.FillRect({0, 0, 50, 50}, Brush::Solid(RGB(0, 255, 0)));
    dc.MoveTo(0, 0);
    dc.LineTo(40, 40);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_NE(surface.GetPixel(x, y), 0xFFFFFFu);
}

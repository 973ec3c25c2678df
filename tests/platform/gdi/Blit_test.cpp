#include <gtest/gtest.h>

#include "platform/gdi/RasterOp.h"
#include "tests/platform/gdi/GdiTestSupport.h"

using namespace win;
using gdi_test::Canvas;
using gdi_test::kWhite;

namespace {

// Every source pixel distinct: red = column + 1, green = row + 1.
std::uint32_t SourcePixel(int x, int y) { return static_cast<std::uint32_t>((x + 1) << 16 | (y + 1) << 8 | 0x80); }

struct SourceCanvas : Canvas {
    SourceCanvas(int w, int h) : Canvas(w, h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) bitmap->SetPixel(x, y, SourcePixel(x, y));
    }
};

// The documented nearest-neighbour rule: step i of n takes source step floor((2i+1)m / 2n).
int Step(int i, int n, int m) { return (2 * i + 1) * m / (2 * n); }

}  // namespace

TEST(BitBlt, CopiesOnlyTheSourcePixelsThatExist) {
    SourceCanvas src(4, 4);
    Canvas dst(10, 10);
    EXPECT_TRUE(dst.dc.BitBlt(2, 3, 4, 4, &src.dc, 0, 0));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            bool inside = x >= 2 && x < 6 && y >= 3 && y < 7;
            EXPECT_EQ(dst.At(x, y), inside ? SourcePixel(x - 2, y - 3) : kWhite) << x << "," << y;
        }

    // A source rectangle hanging off the top-left and bottom-right: only the 4 x 4 that exists
    // arrives, the rest of the destination rectangle keeps its pixels.
    Canvas partial(10, 10);
    partial.dc.BitBlt(0, 0, 8, 8, &src.dc, -1, -2);
    EXPECT_EQ(partial.Count(kWhite), 100 - 16);
    EXPECT_EQ(partial.Ink(), (Rect{1, 2, 5, 6}));
    EXPECT_EQ(partial.At(1, 2), SourcePixel(0, 0));
    EXPECT_EQ(partial.At(4, 5), SourcePixel(3, 3));
}

TEST(BitBlt, DeviceOriginAndClipRegionOnBothSides) {
    SourceCanvas src(4, 4);
    src.dc.SetDeviceOrigin({1, 1});  // logical (0,0) of the source is its pixel (1,1)
    Canvas dst(20, 20);
    dst.dc.SetDeviceOrigin({5, 5});
    Region clip(Rect{6, 6, 8, 20});
    clip.Add(Rect{0, 0, 20, 1});  // a second, unrelated strip
    dst.dc.SetClipRegion(clip);
    dst.dc.BitBlt(0, 0, 4, 4, &src.dc, 0, 0);
    // Logical dest (0..3) is device 5..8; source pixels 1..3 exist; the clip leaves x 6..7.
    EXPECT_EQ(dst.Ink(), (Rect{6, 6, 8, 8}));
    EXPECT_EQ(dst.At(6, 6), SourcePixel(2, 2));
    EXPECT_EQ(dst.At(7, 7), SourcePixel(3, 3));

    Rect box;
    EXPECT_EQ(dst.dc.GetClipBox(&box), COMPLEXREGION);
    EXPECT_EQ(box, (Rect{-5, -5, 15, 15}));
}

TEST(BitBlt, RasterOperations) {
    const std::uint32_t s = 0x00F0AA55, d = 0x003C0FF0;
    const COLORREF brush = RGB(0x12, 0x34, 0x56);
    const std::uint32_t p = ToDisplay(brush);
    struct Case {
        DWORD rop;
        std::uint32_t expected;
    } cases[] = {
        {SRCCOPY, s},        {SRCAND, s & d},         {SRCPAINT, s | d},
        {SRCINVERT, s ^ d},  {DSTINVERT, ~d & 0xFFFFFF}, {NOTSRCCOPY, ~s & 0xFFFFFF},
        {BLACKNESS, 0},      {WHITENESS, 0xFFFFFF},   {PATCOPY, p},
        {PATINVERT, p ^ d},  {MERGEPAINT, (~s | d) & 0xFFFFFF}, {SRCERASE, s & ~d & 0xFFFFFF},
        {MERGECOPY, p & s},
    };
    Canvas src(1, 1, s);
    for (const Case& c : cases) {
        Canvas dst(3, 1, d);
        dst.dc.SelectBrush(Brush::Solid(brush));
        EXPECT_TRUE(dst.dc.BitBlt(1, 0, 1, 1, &src.dc, 0, 0, c.rop));
        EXPECT_EQ(dst.At(1, 0), c.expected) << std::hex << c.rop;
        EXPECT_EQ(dst.At(0, 0), d);
        EXPECT_EQ(dst.At(2, 0), d);
    }
    Canvas dst(2, 2, d);
    EXPECT_FALSE(dst.dc.BitBlt(0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));  // needs a source
    EXPECT_TRUE(dst.dc.PatBlt(0, 0, 1, 2, DSTINVERT));
    EXPECT_EQ(dst.At(0, 1), ~d & 0xFFFFFF);
    EXPECT_EQ(dst.At(1, 1), d);
}

TEST(BitBlt, OverlappingCopyWithinOneBitmap) {
    SourceCanvas c(8, 8);
    c.dc.BitBlt(2, 1, 6, 7, &c.dc, 0, 0);  // down and right
    for (int y = 1; y < 8; ++y)
        for (int x = 2; x < 8; ++x) EXPECT_EQ(c.At(x, y), SourcePixel(x - 2, y - 1)) << x << "," << y;
    SourceCanvas u(8, 8);
    u.dc.BitBlt(0, 0, 7, 6, &u.dc, 1, 2);  // up and left
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(u.At(x, y), SourcePixel(x + 1, y + 2)) << x << "," << y;
}

TEST(BitBlt, MemoryDcWithoutBitmapDrawsNothing) {
    DC empty;
    SourceCanvas src(2, 2);
    EXPECT_EQ(empty.Target(), nullptr);
    EXPECT_TRUE(empty.BitBlt(0, 0, 2, 2, &src.dc, 0, 0));
    Canvas dst(2, 2);
    EXPECT_TRUE(dst.dc.BitBlt(0, 0, 2, 2, &empty, 0, 0));
    EXPECT_EQ(dst.Count(kWhite), 4);
    Rect box{1, 1, 1, 1};
    EXPECT_EQ(empty.GetClipBox(&box), NULLREGION);
}

TEST(StretchBlt, NearestNeighbourMapping) {
    SourceCanvas column(16, 128);
    Canvas dst(40, 200);
    EXPECT_TRUE(dst.dc.StretchBlt(0, 0, 40, 200, &column.dc, 0, 0, 16, 128));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(dst.At(x, y), SourcePixel(Step(x, 40, 16), Step(y, 200, 128))) << x << "," << y;
    // Each source column is repeated 2 or 3 times, never skipped.
    for (int sx = 0; sx < 16; ++sx) {
        int repeats = 0;
        for (int x = 0; x < 40; ++x) repeats += dst.At(x, 0) == SourcePixel(sx, 0);
        EXPECT_TRUE(repeats == 2 || repeats == 3) << sx;
    }

    SourceCanvas src(4, 4);
    Canvas twice(8, 8);
    twice.dc.StretchBlt(0, 0, 8, 8, &src.dc, 0, 0, 4, 4);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(twice.At(x, y), SourcePixel(x / 2, y / 2));
    Canvas half(2, 2);
    half.dc.StretchBlt(0, 0, 2, 2, &src.dc, 0, 0, 4, 4);
    EXPECT_EQ(half.At(0, 0), SourcePixel(1, 1));
    EXPECT_EQ(half.At(1, 1), SourcePixel(3, 3));
}

TEST(StretchBlt, NegativeExtentsMirror) {
    SourceCanvas src(4, 3);
    Canvas a(6, 3), b(6, 3), flipped(4, 3);
    a.dc.StretchBlt(5, 0, -4, 3, &src.dc, 0, 0, 4, 3);    // destination pixels 1..4, right to left
    b.dc.StretchBlt(1, 0, 4, 3, &src.dc, 4, 0, -4, 3);    // source read right to left
    flipped.dc.StretchBlt(0, 3, 4, -3, &src.dc, 0, 0, 4, 3);  // upside down
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(a.At(0, y), kWhite);
        EXPECT_EQ(a.At(5, y), kWhite);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(a.At(1 + x, y), SourcePixel(3 - x, y));
            EXPECT_EQ(b.At(1 + x, y), SourcePixel(3 - x, y));
            EXPECT_EQ(flipped.At(x, y), SourcePixel(x, 2 - y));
        }
    }
}

TEST(StretchBlt, SourceOutsideBitmapAndClipLeaveDestination) {
    SourceCanvas src(4, 4);
    Canvas dst(8, 8);
    dst.dc.StretchBlt(0, 0, 8, 8, &src.dc, -2, -2, 4, 4);  // 2x of a window half outside
    EXPECT_EQ(dst.Ink(), (Rect{4, 4, 8, 8}));
    EXPECT_EQ(dst.At(4, 4), SourcePixel(0, 0));
    EXPECT_EQ(dst.At(7, 7), SourcePixel(1, 1));

    Canvas clipped(8, 8);
    clipped.dc.IntersectClipRect(Rect{2, 0, 3, 8});
    clipped.dc.StretchBlt(0, 0, 8, 8, &src.dc, 0, 0, 4, 4);
    EXPECT_EQ(clipped.Ink(), (Rect{2, 0, 3, 8}));
    EXPECT_EQ(clipped.At(2, 5), SourcePixel(1, 2));

    SourceCanvas self(4, 4);  // stretching within one bitmap reads the original pixels
    self.dc.StretchBlt(0, 0, 4, 4, &self.dc, 0, 0, 2, 2);
    EXPECT_EQ(self.At(3, 3), SourcePixel(1, 1));
    EXPECT_EQ(self.At(1, 1), SourcePixel(0, 0));
}

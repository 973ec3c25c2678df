#include <gtest/gtest.h>

#include "platform/gdi/DrawTrace.h"
#include "tests/platform/gdi/GdiTestSupport.h"

using namespace win;
using gdi_test::Canvas;

TEST(DrawTrace, RecordsOnlyWhileRunning) {
    Canvas c(10, 10);
    c.dc.FillRect({0, 0, 2, 2}, Brush::Solid(0));
    DrawTrace::Start();
    c.dc.FillRect({1, 2, 3, 4}, Brush::Solid(RGB(1, 2, 3)));
    auto entries = DrawTrace::Stop();
    c.dc.FillRect({0, 0, 2, 2}, Brush::Solid(0));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].op, DrawOp::FillRect);
    EXPECT_EQ(entries[0].color, RGB(1, 2, 3));
    EXPECT_EQ(DrawTrace::Entries().size(), 1u);
    DrawTrace::Start();  // a new run starts empty
    EXPECT_TRUE(DrawTrace::Stop().empty());
}

TEST(DrawTrace, CopiesCarrySourceIdentityAndBothCoordinateSpaces) {
    auto art = std::make_shared<Bitmap>(32, 32);
    art->resourceId = 131;
    art->label = "IDB_KNOB";
    DC source;
    source.SelectBitmap(art);
    source.SetDeviceOrigin({4, 0});
    Bitmap surface(100, 100);
    surface.label = "editor";
    DC window(&surface);
    window.SetDeviceOrigin({20, 30});

    ScopedDrawTrace trace;
    window.BitBlt(1, 2, 8, 9, &source, 3, 4);
    window.StretchBlt(10, 0, -16, 8, &source, 0, 0, 8, 8, SRCAND);
    window.PatBlt(0, 0, 5, 5, PATCOPY);
    auto e = trace.Entries();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].op, DrawOp::BitBlt);
    EXPECT_EQ(e[0].sourceResourceId, 131);
    EXPECT_EQ(e[0].sourceLabel, "IDB_KNOB");
    EXPECT_EQ(e[0].destLabel, "editor");
    EXPECT_EQ(e[0].sourceLogical, Rect::FromSize(3, 4, 8, 9));
    EXPECT_EQ(e[0].sourceDevice, Rect::FromSize(7, 4, 8, 9));
    EXPECT_EQ(e[0].destLogical, Rect::FromSize(1, 2, 8, 9));
    EXPECT_EQ(e[0].destDevice, Rect::FromSize(21, 32, 8, 9));
    EXPECT_EQ(e[0].rop, SRCCOPY);
    EXPECT_EQ(e[1].op, DrawOp::StretchBlt);
    EXPECT_EQ(e[1].destLogical, (Rect{10, 0, -6, 8}));  // mirrored: right < left
    EXPECT_EQ(e[1].rop, SRCAND);
    EXPECT_EQ(e[2].sourceResourceId, 0);  // no source for a pattern fill
    EXPECT_EQ(e[2].sourceLabel, "");
}

TEST(DrawTrace, ShapesTextAndPixels) {
    Canvas c(50, 50);
    c.bitmap->label = "mem";
    c.dc.SetDeviceOrigin({1, 1});
    c.dc.SelectPen(Pen(PS_DOT, 1, RGB(9, 8, 7)));
    ScopedDrawTrace trace;
    c.dc.Rectangle(1, 2, 10, 12);
    c.dc.MoveTo(3, 4);
    c.dc.LineTo(20, 4);
    c.dc.SetTextColor(RGB(0, 0, 200));
    c.dc.TextOutA(5, 6, "Q 0.71");
    c.dc.SetPixel(7, 8, RGB(1, 1, 1));
    auto e = trace.Entries();
    ASSERT_EQ(e.size(), 4u);  // the rectangle's outline is one entry, not four lines
    EXPECT_EQ(e[0].op, DrawOp::Rectangle);
    EXPECT_EQ(e[0].destLogical, (Rect{1, 2, 10, 12}));
    EXPECT_EQ(e[0].destDevice, (Rect{2, 3, 11, 13}));
    EXPECT_EQ(e[0].penStyle, PS_DOT);
    EXPECT_EQ(e[1].op, DrawOp::LineTo);
    EXPECT_EQ(e[1].destLogical, (Rect{3, 4, 20, 4}));
    EXPECT_EQ(e[1].color, RGB(9, 8, 7));
    EXPECT_EQ(e[2].op, DrawOp::TextOut);
    EXPECT_EQ(e[2].text, "Q 0.71");
    EXPECT_EQ(e[2].color, RGB(0, 0, 200));
    Size extent = c.dc.GetTextExtent("Q 0.71");
    EXPECT_EQ(e[2].destLogical, Rect::FromSize(5, 6, extent.cx, extent.cy));
    EXPECT_EQ(e[2].destLabel, "mem");
    EXPECT_EQ(e[3].op, DrawOp::SetPixel);
    EXPECT_EQ(e[3].destDevice, (Rect{8, 9, 9, 10}));
    EXPECT_STREQ(DrawOpName(e[3].op), "SetPixel");
}

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/gdi/DrawTrace.h"
#include "platform/gdi/FontFace.h"
#include "tests/platform/gdi/GdiTestSupport.h"

using namespace win;
using gdi_test::Canvas;
using gdi_test::kWhite;

namespace {

constexpr std::uint32_t kGrey = 0xC0C0C0;

std::shared_ptr<Font> Dialog(int quality = DEFAULT_QUALITY, bool underline = false) {
    return CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, underline, 0, ANSI_CHARSET, 0, 0, quality, 0, "MS Sans Serif");
}

}  // namespace

TEST(TextOut, PlacesTheCellAndUsesTheTextColour) {
    Canvas c(80, 20, kGrey);
    c.dc.SelectFont(Dialog(NONANTIALIASED_QUALITY));
    c.dc.SetTextColor(RGB(200, 0, 0));
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetBkColor(RGB(0, 0, 255));
    ASSERT_TRUE(c.dc.TextOutA(5, 3, "Hello", 5));
    Size extent = c.dc.GetTextExtent("Hello");
    Rect ink = c.Ink(kGrey);
    EXPECT_EQ(c.Count(0x0000FF), 0);  // transparent: no background
    EXPECT_EQ(c.Count(kGrey) + c.Count(0xC80000), 80 * 20);  // monochrome: only two colours
    EXPECT_GT(c.Count(0xC80000), 20);
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.right, 5 + extent.cx);
    // 'H' is a cap: it stands on the baseline and reaches close to the ascent.
    TEXTMETRICA tm;
    c.dc.GetTextMetricsA(&tm);
    EXPECT_EQ(ink.bottom, 3 + tm.tmAscent);
    EXPECT_LE(ink.top, 3 + tm.tmInternalLeading + 1);

    // "MS Sans Serif" is a bitmap font on Windows: never smoothed, whatever the quality.
    Canvas raster(80, 20, kGrey);
    raster.dc.SelectFont(Dialog(DEFAULT_QUALITY));
    raster.dc.SetBkMode(TRANSPARENT);
    raster.dc.TextOutA(5, 3, "Hello");
    EXPECT_EQ(raster.Count(kGrey) + raster.Count(0x000000), 80 * 20);

    Canvas opaque(80, 20, kGrey);
    opaque.dc.SelectFont(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, DEFAULT_QUALITY, 0, "Arial"));
    opaque.dc.GetTextMetricsA(&tm);
    opaque.dc.SetBkColor(RGB(0, 0, 255));
    opaque.dc.TextOutA(5, 3, "Hello");
    extent = opaque.dc.GetTextExtent("Hello");  // grayscale hinting may lay it out a pixel apart
    EXPECT_EQ(opaque.Ink(kGrey), Rect::FromSize(5, 3, extent.cx, tm.tmHeight));
    // A TrueType face gets grayscale antialiasing: black ink, blue cell, and blends between them.
    int blends = 0, dark = 0;
    for (int y = 3; y < 3 + tm.tmHeight; ++y)
        for (int x = 5; x < 5 + extent.cx; ++x) {
            std::uint32_t p = opaque.At(x, y);
            blends += p != 0x0000FF && p != 0x000000;
            dark += (p & 0xFF) < 0x40;
            EXPECT_EQ(p & 0xFFFF00, 0u) << x << "," << y;  // only blue varies between the two
        }
    EXPECT_GT(blends, 0);
    EXPECT_GT(dark, 20);  // stems are snapped to pixels, not smeared grey
}

TEST(TextOut, AlignmentUnderlineAndClipping) {
    Canvas c(100, 20, kGrey);
    c.dc.SelectFont(Dialog(NONANTIALIASED_QUALITY, true));
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    c.dc.TextOutA(90, 15, "Gain");
    Size extent = c.dc.GetTextExtent("Gain");
    TEXTMETRICA tm;
    c.dc.GetTextMetricsA(&tm);
    Rect ink = c.Ink(kGrey);
    EXPECT_EQ(ink.right, 90);
    EXPECT_EQ(ink.left, 90 - extent.cx);  // the underline spans the whole extent
    EXPECT_GT(ink.bottom, 15);
    EXPECT_LE(ink.bottom, 15 + tm.tmDescent);

    Canvas clipped(100, 20, kGrey);
    clipped.dc.SelectFont(Dialog());
    Rect box{10, 0, 14, 20};
    clipped.dc.ExtTextOutA(4, 2, ETO_CLIPPED | ETO_OPAQUE, &box, "WWWWWW");
    EXPECT_EQ(clipped.Ink(kGrey), box);
}

TEST(DrawText, LinesAlignmentAndReturnValue) {
    Canvas c(200, 100, kGrey);
    c.dc.SelectFont(Dialog());
    const int line = 13;
    Rect calc{0, 0, 0, 0};
    EXPECT_EQ(c.dc.DrawTextA("Frequency", &calc, DT_SINGLELINE | DT_CALCRECT), line);
    EXPECT_EQ(calc, (Rect{0, 0, c.dc.GetTextExtent("Frequency").cx, line}));
    EXPECT_EQ(c.Ink(kGrey), Rect{});  // calculating draws nothing

    Rect lines{0, 0, 200, 100};
    EXPECT_EQ(c.dc.DrawTextA("one\r\ntwo\nthree\rfour", &lines, DT_CALCRECT), 4 * line);
    Rect single{0, 0, 200, 100};
    EXPECT_EQ(c.dc.DrawTextA("one\r\ntwo", &single, DT_SINGLELINE | DT_CALCRECT), line);

    Rect narrow{0, 0, 40, 100};
    EXPECT_EQ(c.dc.DrawTextA("Low shelf high shelf", &narrow, DT_WORDBREAK | DT_CALCRECT), 4 * line);
    EXPECT_LE(narrow.Width(), 40);

    ScopedDrawTrace trace;
    Rect r{10, 10, 110, 50};
    int width = c.dc.GetTextExtent("Peak").cx;
    EXPECT_EQ(c.dc.DrawTextA("Peak", &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER), (40 - line) / 2 + line);
    c.dc.DrawTextA("Peak", &r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    auto entries = trace.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].destLogical, Rect::FromSize(10 + (100 - width) / 2, 10 + (40 - line) / 2, width, line));
    EXPECT_EQ(entries[1].destLogical, Rect::FromSize(110 - width, 50 - line, width, line));
}

TEST(DrawText, PrefixesTabsAndEllipsis) {
    Canvas c(200, 40, kGrey);
    c.dc.SelectFont(Dialog(NONANTIALIASED_QUALITY));
    c.dc.SetBkMode(TRANSPARENT);
    ScopedDrawTrace trace;
    Rect r{0, 0, 200, 40};
    c.dc.DrawTextA("&File && more", &r, DT_SINGLELINE);
    c.dc.DrawTextA("&File", &r, DT_SINGLELINE | DT_NOPREFIX);
    auto entries = trace.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].text, "File & more");
    EXPECT_EQ(entries[1].text, "&File");
    // The mnemonic underline sits below the baseline under the 'F' only: as wide as the F advances
    // before the 'i' that follows it.
    TEXTMETRICA tm;
    c.dc.GetTextMetricsA(&tm);
    int fWidth = c.dc.GetTextExtent("File").cx - c.dc.GetTextExtent("ile").cx;
    bool underlined = false;
    for (int y = tm.tmAscent; y < tm.tmHeight; ++y)
        underlined |= c.Row(y, 0, 0, fWidth + 2) == std::string(static_cast<std::size_t>(fWidth), '#') + "..";
    EXPECT_TRUE(underlined);

    DrawTrace::Clear();
    Rect tabs{0, 0, 200, 40};
    c.dc.DrawTextA("a\tb", &tabs, DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(tabs.Width(), 8 * tm.tmAveCharWidth + c.dc.GetTextExtent("b").cx);

    Rect small{0, 20, 50, 40};
    c.dc.DrawTextA("Frequency response", &small, DT_SINGLELINE | DT_END_ELLIPSIS);
    entries = trace.Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text.substr(entries[0].text.size() - 3), "...");
    EXPECT_LE(entries[0].destLogical.Width(), 50);
    EXPECT_GT(entries[0].text.size(), 4u);
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
    for (UINT extra : {0u, DT_NOCLIP}) {
        Canvas c(100, 20, kGrey);
        c.dc.SelectFont(Dialog());
        c.dc.SetBkMode(TRANSPARENT);
        Rect r{5, 0, 20, 20};
        c.dc.DrawTextA("Bandwidth", &r, DT_SINGLELINE | extra);
        Rect ink = c.Ink(kGrey);
        if (extra) EXPECT_GT(ink.right, 20);
        else EXPECT_LE(ink.right, 20);
    }
}

TEST(TextLayout, PairAdvanceTakesBackWhatHintingMovedBetweenTwoGlyphs) {
    GlyphImage left, right;
    left.advance = 5;
    EXPECT_EQ(PairAdvance(left, nullptr), 5);
    EXPECT_EQ(PairAdvance(left, &right), 5);
    left.rsbDelta = 20;
    right.lsbDelta = -13;  // the gap grew by 33/64 pixel: pull the next glyph in
    EXPECT_EQ(PairAdvance(left, &right), 4);
    right.lsbDelta = -12;  // exactly half a pixel stays
    EXPECT_EQ(PairAdvance(left, &right), 5);
    left.rsbDelta = -20;
    right.lsbDelta = 13;  // the gap shrank by 33/64 pixel: push it out
    EXPECT_EQ(PairAdvance(left, &right), 6);
    EXPECT_EQ(PairAdvance(left, nullptr), 5);  // the last glyph keeps its own advance
}

// At 10-11 pixels the stems of "minimum" are one pixel wide; with each glyph's hinting undone by
// the unhinted advances they touched ("minirnum") or stood apart by a stray pixel.
TEST(TextLayout, StemsOfSmallTextStandEvenlyApart) {
    const std::string word = "minimum";
    const std::size_t stemsPerLetter[] = {3, 1, 2, 1, 3, 2, 3};
    for (int cellHeight : {10, 11}) {
        SCOPED_TRACE(cellHeight);
        Canvas c(60, 20);
        c.dc.SelectFont(CreateFontA(cellHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
        c.dc.SetBkMode(TRANSPARENT);
        c.dc.TextOutA(2, 2, word);
        TEXTMETRICA tm;
        c.dc.GetTextMetricsA(&tm);
        std::vector<int> starts, ends;  // dark runs across the middle of the x-height
        const int y = 2 + tm.tmAscent - 2;
        for (int x = 0; x < 60; ++x) {
            bool dark = (c.At(x, y) & 0xFF) < 0x40;
            bool before = x > 0 && (c.At(x - 1, y) & 0xFF) < 0x40;
            if (dark && !before) starts.push_back(x);
            if (!dark && before) ends.push_back(x);
        }
        ASSERT_EQ(starts.size(), 15u) << c.Row(y, 0);
        ASSERT_EQ(ends.size(), 15u);
        std::vector<int> between, inside;
        std::size_t stem = 0;
        for (std::size_t letter : stemsPerLetter) {
            for (std::size_t i = 1; i < letter; ++i, ++stem) inside.push_back(starts[stem + 1] - ends[stem]);
            if (++stem < starts.size()) between.push_back(starts[stem] - ends[stem - 1]);
        }
        EXPECT_EQ(*std::min_element(between.begin(), between.end()), *std::max_element(between.begin(), between.end()))
            << c.Row(y, 0);
        EXPECT_GE(*std::min_element(between.begin(), between.end()), 1);
        EXPECT_LE(*std::max_element(inside.begin(), inside.end()) - *std::min_element(inside.begin(), inside.end()), 1)
            << c.Row(y, 0);

        // Measuring lays the text out as drawing does.
        const char* line = "three-band contour equaliser minimum";
        Canvas cell(260, 20, kGrey);
        cell.dc.SelectFont(CreateFontA(cellHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
        cell.dc.SetBkColor(RGB(0, 0, 255));
        cell.dc.TextOutA(0, 0, line);
        Rect calc{0, 0, 0, 0};
        cell.dc.DrawTextA(line, &calc, DT_SINGLELINE | DT_CALCRECT);
        EXPECT_EQ(cell.Ink(kGrey).Width(), cell.dc.GetTextExtent(line).cx);
        EXPECT_EQ(calc.Width(), cell.dc.GetTextExtent(line).cx);
    }
}

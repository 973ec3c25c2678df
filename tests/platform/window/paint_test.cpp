#include <gtest/gtest.h>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/window/PaintDC.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

class FillWindow : public Window {
public:
    explicit FillWindow(COLORREF c) : color(c) {}
    COLORREF color;
    int paints = 0;
    int erases = 0;
    Rect lastPaintRect;

protected:
    void OnPaint() override {
        ++paints;
        PaintDC dc(this);
        lastPaintRect = dc.PaintRect();
        dc.FillSolidRect(ClientRect(), color);
    }
    BOOL OnEraseBkgnd(DC*) override {
        ++erases;
        return TRUE;
    }
};

class PaintTest : public HeadlessDesktopTest {
protected:
    void SetUp() override {
        HeadlessDesktopTest::SetUp();
        top.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 200, 100}, nullptr, 0);
        child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {50, 20, 100, 70}, &top, 1);
        Pump();
    }
    COLORREF At(int x, int y) { return FromDisplay(top.Surface()->GetPixel(x, y)); }
    FillWindow top{RGB(255, 0, 0)};
    FillWindow child{RGB(0, 0, 255)};
};

TEST_F(PaintTest, PaintMessagesComeForInvalidWindowsOnly) {
    EXPECT_EQ(top.paints, 1);
    EXPECT_EQ(child.paints, 1);
    Pump();
    EXPECT_EQ(top.paints, 1);
    child.Invalidate(FALSE);
    Pump();
    EXPECT_EQ(child.paints, 2);
    EXPECT_EQ(top.paints, 1);
}

TEST_F(PaintTest, AParentsPaintNeverWipesItsChild) {
    EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(60, 30), RGB(0, 0, 255));
    top.Invalidate();
    top.UpdateWindow();
    EXPECT_EQ(At(60, 30), RGB(0, 0, 255));
    EXPECT_EQ(At(49, 30), RGB(255, 0, 0));
}

TEST_F(PaintTest, ThePaintIsClippedToTheUpdateArea) {
    top.color = RGB(0, 255, 0);
    Rect part{0, 0, 20, 20};
    top.InvalidateRect(&part, FALSE);
    top.UpdateWindow();
    EXPECT_EQ(top.lastPaintRect, part);
    EXPECT_EQ(At(5, 5), RGB(0, 255, 0));
    EXPECT_EQ(At(30, 30), RGB(255, 0, 0));
}

TEST_F(PaintTest, EraseOnlyWhenAnInvalidationAskedForIt) {
    const int erases = top.erases;
    top.InvalidateRect(nullptr, FALSE);
    top.UpdateWindow();
    EXPECT_EQ(top.erases, erases);
    top.InvalidateRect(nullptr, TRUE);
    top.InvalidateRect(nullptr, FALSE);
    top.UpdateWindow();
    EXPECT_EQ(top.erases, erases + 1);
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndOnlyWhenInvalid) {
    const int paints = child.paints;
    child.UpdateWindow();
    EXPECT_EQ(child.paints, paints);
    child.Invalidate(FALSE);
    child.UpdateWindow();
    EXPECT_EQ(child.paints, paints + 1);
    EXPECT_TRUE(child.UpdateRegion().IsEmpty());
}

TEST_F(PaintTest, HidingAChildRepaintsWhatItCovered) {
    child.ShowWindow(SW_HIDE);
    Pump();
    EXPECT_EQ(At(60, 30), RGB(255, 0, 0));
    // A hidden window is not painted however invalid.
    const int paints = child.paints;
    child.Invalidate();
    Pump();
    EXPECT_EQ(child.paints, paints);
}

TEST_F(PaintTest, SiblingsAboveClipThoseBelow) {
    FillWindow lower(RGB(255, 255, 0));
    lower.Create(nullptr, "", WS_CHILD | WS_VISIBLE, {70, 30, 150, 90}, &top, 2);  // below `child`
    Pump();
    EXPECT_EQ(At(80, 40), RGB(0, 0, 255));
    EXPECT_EQ(At(120, 40), RGB(255, 255, 0));
}

TEST_F(PaintTest, ClientDcDrawsNowWithinTheVisibleArea) {
    ClientDC dc(&top);
    dc.FillSolidRect(top.ClientRect(), RGB(0, 0, 0));
    EXPECT_EQ(At(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(At(60, 30), RGB(0, 0, 255));
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/PngFile.h"
#include "platform/window/PaintDC.h"
#include "tests/support/HeadlessDesktop.h"

using namespace win;
using testsupport::HeadlessDesktopTest;

namespace {

class Solid : public Window {
public:
    explicit Solid(COLORREF c) : color(c) {}
    COLORREF color;

protected:
    void OnPaint() override {
        PaintDC dc(this);
        dc.FillSolidRect(ClientRect(), color);
    }
};

class DesktopTest : public HeadlessDesktopTest {};

TEST_F(DesktopTest, ComposesTopLevelWindowsInZOrder) {
    Desktop::Instance().SetSize({320, 200});
    Solid back(RGB(255, 0, 0)), front(RGB(0, 255, 0));
    back.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {10, 10, 110, 110}, nullptr, 0);
    front.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {60, 60, 160, 160}, nullptr, 0);
    const Bitmap& frame = Desktop::Instance().Compose();
    EXPECT_EQ(FromDisplay(frame.GetPixel(20, 20)), RGB(255, 0, 0));
    EXPECT_EQ(FromDisplay(frame.GetPixel(80, 80)), RGB(0, 255, 0));
    EXPECT_EQ(FromDisplay(frame.GetPixel(300, 190)), GetSysColor(COLOR_DESKTOP));

    // A click raises the window below.
    ClickAt({20, 20});
    const Bitmap& raised = Desktop::Instance().Compose();
    EXPECT_EQ(FromDisplay(raised.GetPixel(80, 80)), RGB(255, 0, 0));

    // Windows partly off screen are cut, not wrapped.
    front.MoveWindow(250, 150, 100, 100);
    const Bitmap& moved = Desktop::Instance().Compose();
    EXPECT_EQ(FromDisplay(moved.GetPixel(260, 160)), RGB(0, 255, 0));
}

TEST_F(DesktopTest, ScreenshotIsAReadablePng) {
    Desktop::Instance().SetSize({64, 48});
    Solid w(RGB(1, 2, 3));
    w.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, nullptr, 0);
    auto path = std::filesystem::temp_directory_path() / "kvx4-desktop-test.png";
    ASSERT_TRUE(Desktop::Instance().SaveScreenshot(path.string()));
    auto png = ReadPng(path.string());
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->Width(), 64);
    EXPECT_EQ(png->Height(), 48);
    EXPECT_EQ(FromDisplay(png->GetPixel(5, 5)), RGB(1, 2, 3));

    // Enlarged, each desktop pixel is a square: the window's edge falls at 10 x 3.
    ASSERT_TRUE(Desktop::Instance().SaveScreenshot(path.string(), 3));
    png = ReadPng(path.string());
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->Width(), 64 * 3);
    EXPECT_EQ(png->Height(), 48 * 3);
    EXPECT_EQ(FromDisplay(png->GetPixel(29, 29)), RGB(1, 2, 3));
    EXPECT_NE(FromDisplay(png->GetPixel(30, 29)), RGB(1, 2, 3));
    EXPECT_NE(FromDisplay(png->GetPixel(29, 30)), RGB(1, 2, 3));
    std::filesystem::remove(path);
}

}  // namespace

namespace {

TEST_F(DesktopTest, OnlyWhatWasDrawnIsComposedAgainAndMovesRecomposeEverything) {
    Desktop::Instance().SetSize({200, 100});
    Solid a(RGB(255, 0, 0)), b(RGB(0, 0, 255));
    a.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr, 0);
    b.Create(nullptr, "", WS_POPUP | WS_VISIBLE, {100, 0, 200, 100}, nullptr, 0);
    Desktop::Instance().Compose();
    // A window that paints again shows its new picture; the other is not recomposed but stays right.
    a.color = RGB(0, 255, 0);
    a.Invalidate();
    const Bitmap& frame = Desktop::Instance().Compose();
    EXPECT_EQ(FromDisplay(frame.GetPixel(50, 50)), RGB(0, 255, 0));
    EXPECT_EQ(FromDisplay(frame.GetPixel(150, 50)), RGB(0, 0, 255));
    // Moving uncovers the desktop behind.
    b.MoveWindow(120, 0, 80, 100);
    const Bitmap& moved = Desktop::Instance().Compose();
    EXPECT_EQ(FromDisplay(moved.GetPixel(110, 50)), GetSysColor(COLOR_DESKTOP));
    EXPECT_EQ(FromDisplay(moved.GetPixel(150, 50)), RGB(0, 0, 255));
}

}  // namespace

// Where native windows go on a real screen and how their pointer maps back, without a display.
#include <cmath>

#include <gtest/gtest.h>

#include "platform/desktop/NativeWindows.h"
#include "platform/desktop/ScreenMapping.h"
#include "platform/desktop/SdlBackend.h"
#include "platform/desktop/X11Density.h"
#include "platform/window/WindowStyles.h"

using namespace win;

namespace {

TEST(ScreenMappingTest, DesktopPixelsAreSquaresOfTheScaleFromTheUsableAreasCorner) {
    const ScreenMapping mapping{{0, 30, 1920, 1200}, 2};
    EXPECT_EQ(mapping.DesktopSize(), (Size{960, 585}));
    EXPECT_EQ(mapping.ToScreen({10, 5}), (Point{20, 40}));
    EXPECT_EQ(mapping.ToDesktop({21, 41}), (Point{10, 5}));
    // Left of and above the usable area rounds down, not towards zero.
    EXPECT_EQ(mapping.ToDesktop({-1, 29}), (Point{-1, -1}));
}

TEST(ScreenMappingTest, TheScaleFollowsTheDensityAndShrinksUntilTheWindowFits) {
    EXPECT_EQ(ScaleForDensity(0), 1);
    EXPECT_EQ(ScaleForDensity(NAN), 1);
    EXPECT_EQ(ScaleForDensity(96), 1);
    EXPECT_EQ(ScaleForDensity(120), 1);
    EXPECT_EQ(ScaleForDensity(144), 2);
    EXPECT_EQ(ScaleForDensity(288), 3);
    EXPECT_EQ(ScaleForDensity(5000), 8);

    // The host window, 896 x 481, with a title bar's room.
    const Size host{896, 481}, frame{16, 48};
    EXPECT_EQ(FittingScale({1280, 1024}, host, frame, 2), 1);
    EXPECT_EQ(FittingScale({1920, 1200}, host, frame, 2), 2);
    EXPECT_EQ(FittingScale({1920, 1200}, host, frame, 8), 2);
    EXPECT_EQ(FittingScale({1808, 1010}, host, frame, 2), 2);  // exactly
    EXPECT_EQ(FittingScale({1807, 1010}, host, frame, 2), 1);
    EXPECT_EQ(FittingScale({640, 480}, host, frame, 1), 1);
}

TEST(ScreenMappingTest, ANativeWindowNeverOpensLargerThanTheUsableAreaOrPartlyOffIt) {
    const ScreenMapping mapping{{0, 0, 1280, 1024}, 2};
    const Rect frame{2, 20, 2, 2};
    // Fits: enlarged in place.
    EXPECT_EQ(mapping.NativeRect(Rect::FromSize(10, 10, 100, 50), frame), Rect::FromSize(20, 20, 200, 100));
    // Hanging over the right and bottom edges: moved inside, frame included.
    EXPECT_EQ(mapping.NativeRect(Rect::FromSize(600, 500, 100, 50), frame), Rect::FromSize(1078, 922, 200, 100));
    // Above and left of the screen.
    EXPECT_EQ(mapping.NativeRect(Rect::FromSize(-50, -50, 100, 50), frame), Rect::FromSize(2, 20, 200, 100));
    // Too large even alone: shrunk keeping its shape into the room the frame leaves.
    const Rect big = mapping.NativeRect(Rect::FromSize(0, 0, 900, 300), frame);
    EXPECT_NEAR(big.Width(), 1276, 1);
    EXPECT_NEAR(big.Height(), 1276 * 300 / 900, 1);
    EXPECT_GE(big.left, 2);
    EXPECT_LE(big.right, 1278);
}

TEST(ScreenMappingTest, APointInAStretchedWindowMapsToWhatItShows) {
    const Rect area = Rect::FromSize(100, 50, 300, 200);
    EXPECT_EQ(WindowPointToDesktop({0, 0}, {600, 400}, area), (Point{100, 50}));
    EXPECT_EQ(WindowPointToDesktop({599, 399}, {600, 400}, area), (Point{399, 249}));
    // Stretched unevenly by the window manager to 900 x 200.
    EXPECT_EQ(WindowPointToDesktop({450, 100}, {900, 200}, area), (Point{250, 150}));
    // Outside the window (a drag that left it) keeps going, rounding down.
    EXPECT_EQ(WindowPointToDesktop({-1, -3}, {600, 400}, area), (Point{99, 48}));
    EXPECT_EQ(WindowPointToDesktop({5, 5}, {0, 0}, area), area.TopLeft());
}

TEST(NativeWindowsTest, EachKindOfTopLevelWindowGetsItsKindOfNativeWindow) {
    EXPECT_EQ(NativeKindOf(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, ""), NativeKind::Decorated);
    EXPECT_EQ(NativeKindOf(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, "#32770"), NativeKind::Decorated);
    EXPECT_EQ(NativeKindOf(WS_POPUP, WS_EX_APPWINDOW, ""), NativeKind::Undecorated);
    EXPECT_EQ(NativeKindOf(WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ComboLBox"), NativeKind::Popup);
    EXPECT_EQ(NativeKindOf(WS_POPUP | DS_MODALFRAME, 0, "#32770"), NativeKind::Popup);  // the preset chooser
    EXPECT_EQ(NativeKindOf(WS_POPUP | WS_BORDER, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "tooltips_class32"),
              NativeKind::Tooltip);
    // A border alone is no caption.
    EXPECT_EQ(NativeKindOf(WS_POPUP | WS_BORDER, 0, ""), NativeKind::Popup);
}

TEST(NativeWindowsTest, OffScreenAndDummyVideoDriversAreNoDisplay) {
    EXPECT_TRUE(SdlBackend::IsDisplayDriver("x11"));
    EXPECT_TRUE(SdlBackend::IsDisplayDriver("wayland"));
    EXPECT_TRUE(SdlBackend::IsDisplayDriver("KMSDRM"));
    EXPECT_FALSE(SdlBackend::IsDisplayDriver("offscreen"));
    EXPECT_FALSE(SdlBackend::IsDisplayDriver("dummy"));
    EXPECT_FALSE(SdlBackend::IsDisplayDriver("evdev"));
    EXPECT_FALSE(SdlBackend::IsDisplayDriver(""));
}

}  // namespace

namespace {

TEST(X11DensityTest, XftDpiIsReadFromTheResourceDatabase) {
    EXPECT_EQ(win::XftDpiFromResources("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 192.0f);
    EXPECT_EQ(win::XftDpiFromResources("Xft.dpi: 144.5"), 144.5f);
    EXPECT_EQ(win::XftDpiFromResources("Xcursor.size:\t24\n"), 0.0f);
    // Only a resource of that exact name at the start of a line.
    EXPECT_EQ(win::XftDpiFromResources("MyXft.dpi:\t300\nXft.dpi:\t96\n"), 96.0f);
    EXPECT_EQ(win::XftDpiFromResources("Xft.dpi:\tlarge\n"), 0.0f);
    EXPECT_EQ(win::XftDpiFromResources("Xft.dpi:\t-5\n"), 0.0f);
    EXPECT_EQ(win::XftDpiFromResources(""), 0.0f);
}

}  // namespace

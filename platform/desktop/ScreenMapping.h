#pragma once
// Where the desktop lies on a real screen: it fills the screen's usable area, each desktop pixel a
// square of `scale` screen pixels. Native windows show parts of the desktop; the window manager may
// move or stretch them, so a point in a native window maps back through the size it has now.
#include <string_view>

#include "platform/base/Geometry.h"

namespace win {

struct ScreenMapping {
    Rect usable{0, 0, 1024, 768};  // screen pixels
    int scale = 1;

    Size DesktopSize() const { return {usable.Width() / scale, usable.Height() / scale}; }
    Point ToScreen(Point desktop) const;
    Point ToDesktop(Point screen) const;
    // The native window that shows `area` (desktop pixels), whose window manager adds `frame`
    // (left/top/right/bottom widths): enlarged by the scale, shrunk keeping its shape when it and
    // its frame would not fit the usable area, and moved inside that area.
    Rect NativeRect(const Rect& area, const Rect& frame) const;
};

// The largest whole scale up to `wanted` at which a window of `size` desktop pixels plus a frame of
// `frame` screen pixels fits `usable`; 1 when none does.
int FittingScale(Size usable, Size size, Size frame, int wanted);
// The scale a screen's density asks for: 96 dots per inch is 1, each further 96 one more (rounded),
// at most 8; 1 when the density is unknown.
int ScaleForDensity(float dotsPerInch);
// A point in a native window of `windowSize` screen pixels that shows `area`, in desktop pixels.
Point WindowPointToDesktop(Point inWindow, Size windowSize, const Rect& area);

}  // namespace win

#include "platform/desktop/ScreenMapping.h"

#include <algorithm>
#include <cmath>

namespace win {
namespace {

int FloorDiv(long long value, long long divisor) {
    long long q = value / divisor;
    if ((value % divisor != 0) && ((value < 0) != (divisor < 0))) --q;
    return static_cast<int>(q);
}

}  // namespace

Point ScreenMapping::ToScreen(Point desktop) const {
    return {usable.left + desktop.x * scale, usable.top + desktop.y * scale};
}

Point ScreenMapping::ToDesktop(Point screen) const {
    return {FloorDiv(screen.x - usable.left, scale), FloorDiv(screen.y - usable.top, scale)};
}

Rect ScreenMapping::NativeRect(const Rect& area, const Rect& frame) const {
    const int roomX = std::max(1, usable.Width() - frame.left - frame.right);
    const int roomY = std::max(1, usable.Height() - frame.top - frame.bottom);
    int w = std::max(1, area.Width() * scale);
    int h = std::max(1, area.Height() * scale);
    if (w > roomX || h > roomY) {
        const double shrink = std::min(static_cast<double>(roomX) / w, static_cast<double>(roomY) / h);
        w = std::clamp(static_cast<int>(w * shrink), 1, roomX);
        h = std::clamp(static_cast<int>(h * shrink), 1, roomY);
    }
    Point at = ToScreen(area.TopLeft());
    at.x = std::clamp(at.x, usable.left + frame.left, usable.right - frame.right - w);
    at.y = std::clamp(at.y, usable.top + frame.top, usable.bottom - frame.bottom - h);
    return Rect::FromSize(at.x, at.y, w, h);
}

int FittingScale(Size usable, Size size, Size frame, int wanted) {
    for (int scale = std::max(1, wanted); scale > 1; --scale)
        if (size.cx * scale + frame.cx <= usable.cx && size.cy * scale + frame.cy <= usable.cy) return scale;
    return 1;
}

int ScaleForDensity(float dotsPerInch) {
    if (!(dotsPerInch > 0)) return 1;
    return static_cast<int>(std::clamp(std::lround(dotsPerInch / 96.0f), 1L, 8L));
}

Point WindowPointToDesktop(Point inWindow, Size windowSize, const Rect& area) {
    if (windowSize.cx <= 0 || windowSize.cy <= 0) return area.TopLeft();
    return {area.left + FloorDiv(static_cast<long long>(inWindow.x) * area.Width(), windowSize.cx),
            area.top + FloorDiv(static_cast<long long>(inWindow.y) * area.Height(), windowSize.cy)};
}

}  // namespace win

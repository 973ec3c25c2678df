// Rectangles, lines and single pixels.
#include <algorithm>
#include <cstdlib>

#include "platform/gdi/DC.h"
#include "platform/gdi/DrawTrace.h"

namespace win {
namespace {

void Trace(DrawOp op, const DC& dc, const Rect& logical, COLORREF color, int penStyle = PS_SOLID) {
    DrawTraceEntry e;
    e.op = op;
    e.destLogical = logical;
    e.destDevice = dc.LogicalToDevice(logical);
    if (dc.Target()) e.destLabel = dc.Target()->label;
    e.color = color;
    e.penStyle = penStyle;
    DrawTrace::Append(std::move(e));
}

Rect Ordered(int left, int top, int right, int bottom) {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

}  // namespace

void DC::FillDevice(const Rect& device, std::uint32_t pixel) {
    if (!state_.target || device.IsEmpty()) return;
    for (const Rect& clip : DeviceClipRects()) {
        Rect r = device.Intersect(clip);
        for (int y = r.top; y < r.bottom; ++y) std::fill_n(state_.target->Row(y) + r.left, r.Width(), pixel);
    }
}

void DC::InvertDevice(const Rect& device) {
    if (!state_.target || device.IsEmpty()) return;
    for (const Rect& clip : DeviceClipRects()) {
        Rect r = device.Intersect(clip);
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = state_.target->Row(y);
            for (int x = r.left; x < r.right; ++x) row[x] ^= 0x00FFFFFF;
        }
    }
}

void DC::PlotDevice(int x, int y, std::uint32_t pixel) {
    if (!state_.target) return;
    for (const Rect& clip : DeviceClipRects())
        if (clip.Contains({x, y})) {
            state_.target->Row(y)[x] = pixel;
            return;
        }
}

void DC::FillRect(const Rect& rect, const Brush& brush) {
    if (DrawTrace::Recording()) Trace(DrawOp::FillRect, *this, rect, brush.IsNull() ? CLR_INVALID : brush.color);
    if (brush.IsNull()) return;
    FillDevice(LogicalToDevice(rect), ToDisplay(brush.color));
}

void DC::FillSolidRect(const Rect& rect, COLORREF color) {
    SetBkColor(color);
    FillRect(rect, Brush::Solid(color));
}

BOOL DC::FrameRect(const Rect& rect, const Brush& brush) {
    if (rect.IsEmpty()) return TRUE;
    FillRect({rect.left, rect.top, rect.right, rect.top + 1}, brush);
    FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, brush);
    FillRect({rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, brush);
    FillRect({rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, brush);
    return TRUE;
}

BOOL DC::InvertRect(const Rect& rect) {
    InvertDevice(LogicalToDevice(rect));
    return TRUE;
}

BOOL DC::DrawFocusRect(const Rect& rect) {
    if (rect.IsEmpty() || !state_.target) return TRUE;
    Rect d = LogicalToDevice(rect);
    // Alternate pixels on a checkerboard anchored to the device, so both edges of a thin
    // rectangle stay dotted.
    auto flip = [&](int x, int y) {
        if (((x + y) & 1) == 0) InvertDevice({x, y, x + 1, y + 1});
    };
    for (int x = d.left; x < d.right; ++x) {
        flip(x, d.top);
        if (d.bottom - 1 > d.top) flip(x, d.bottom - 1);
    }
    for (int y = d.top + 1; y < d.bottom - 1; ++y) {
        flip(d.left, y);
        if (d.right - 1 > d.left) flip(d.right - 1, y);
    }
    return TRUE;
}

BOOL DC::Rectangle(int left, int top, int right, int bottom) {
    Rect r = Ordered(left, top, right, bottom);
    const Pen& pen = state_.pen;
    if (DrawTrace::Recording()) Trace(DrawOp::Rectangle, *this, r, pen.color, pen.style);
    if (pen.IsNull()) {
        if (!state_.brush.IsNull()) FillDevice(LogicalToDevice(Rect{r.left, r.top, r.right - 1, r.bottom - 1}),
                                               ToDisplay(state_.brush.color));
        return TRUE;
    }
    const int w = std::max(1, pen.width);
    Rect outer{r.left - (w - 1) / 2, r.top - (w - 1) / 2, r.right + w / 2, r.bottom + w / 2};
    Rect inner{outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
    if (!state_.brush.IsNull() && !inner.IsEmpty()) FillDevice(LogicalToDevice(inner), ToDisplay(state_.brush.color));
    if (pen.style == PS_DOT && w == 1) {
        if (r.Width() < 1 || r.Height() < 1) return TRUE;
        Point c[4] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}};
        int phase = state_.dotPhase;
        state_.dotPhase = 0;
        for (int i = 0; i < 4; ++i) DrawLineDevice(LogicalToDevice(c[i]), LogicalToDevice(c[(i + 1) % 4]), pen);
        state_.dotPhase = phase;
        if (r.Width() == 1 || r.Height() == 1) PlotDevice(LogicalToDevice(c[2]).x, LogicalToDevice(c[2]).y, ToDisplay(pen.color));
        return TRUE;
    }
    Rect d = LogicalToDevice(outer);
    std::uint32_t color = ToDisplay(pen.color);
    if (outer.Width() <= 2 * w || outer.Height() <= 2 * w) {
        FillDevice(d, color);
        return TRUE;
    }
    FillDevice({d.left, d.top, d.right, d.top + w}, color);
    FillDevice({d.left, d.bottom - w, d.right, d.bottom}, color);
    FillDevice({d.left, d.top + w, d.left + w, d.bottom - w}, color);
    FillDevice({d.right - w, d.top + w, d.right, d.bottom - w}, color);
    return TRUE;
}

Point DC::MoveTo(int x, int y) {
    Point previous = state_.position;
    state_.position = {x, y};
    state_.dotPhase = 0;
    return previous;
}

BOOL DC::MoveToEx(int x, int y, Point* previous) {
    Point p = MoveTo(x, y);
    if (previous) *previous = p;
    return TRUE;
}

BOOL DC::LineTo(int x, int y) {
    Point from = state_.position;
    Point to{x, y};
    if (DrawTrace::Recording())
        Trace(DrawOp::LineTo, *this, {from.x, from.y, to.x, to.y}, state_.pen.color, state_.pen.style);
    state_.position = to;
    if (!state_.pen.IsNull()) DrawLineDevice(LogicalToDevice(from), LogicalToDevice(to), state_.pen);
    return TRUE;
}

void DC::DrawLineDevice(Point from, Point to, const Pen& pen) {
    const std::uint32_t color = ToDisplay(pen.color);
    const std::uint32_t gap = ToDisplay(state_.bkColor);
    const bool dotted = pen.style == PS_DOT && pen.width <= 1;
    const bool fillGaps = state_.bkMode == OPAQUE;
    const int w = std::max(1, pen.width);
    // Bresenham over the major axis in closed form, so that only the steps inside the clip
    // bounds are walked however long the line is: minor(i) = floor((2*dMinor*i + dMajor - 1) /
    // (2*dMajor)), the same pixels the incremental error form gives. The end point is excluded.
    const bool xMajor = std::llabs(static_cast<long long>(to.x) - from.x) >= std::llabs(static_cast<long long>(to.y) - from.y);
    const long long major0 = xMajor ? from.x : from.y, minor0 = xMajor ? from.y : from.x;
    const long long dMajor = std::llabs((xMajor ? to.x : to.y) - major0);
    const long long dMinor = std::llabs((xMajor ? to.y : to.x) - minor0);
    const int sMajor = (xMajor ? to.x : to.y) >= major0 ? 1 : -1;
    const int sMinor = (xMajor ? to.y : to.x) >= minor0 ? 1 : -1;
    const int phase0 = state_.dotPhase;
    state_.dotPhase = static_cast<int>((phase0 + dMajor) % 6);
    Rect bounds;
    for (const Rect& clip : DeviceClipRects()) bounds = bounds.Union(clip);
    if (dMajor == 0 || bounds.IsEmpty()) return;
    const long long lo = (xMajor ? bounds.left : bounds.top) - w;
    const long long hi = (xMajor ? bounds.right : bounds.bottom) + w;
    long long first = sMajor > 0 ? lo - major0 : major0 - hi;
    long long last = sMajor > 0 ? hi - major0 : major0 - lo;
    first = std::max(first, 0LL);
    last = std::min(last, dMajor - 1);
    for (long long i = first; i <= last; ++i) {
        long long minor = minor0 + sMinor * static_cast<long long>((__int128{2} * dMinor * i + dMajor - 1) / (2 * dMajor));
        int px = static_cast<int>(xMajor ? major0 + sMajor * i : minor);
        int py = static_cast<int>(xMajor ? minor : major0 + sMajor * i);
        if (dotted) {
            if ((phase0 + i) % 6 < 3) PlotDevice(px, py, color);
            else if (fillGaps) PlotDevice(px, py, gap);
        } else if (w == 1) {
            PlotDevice(px, py, color);
        } else {
            int x0 = px - (w - 1) / 2, y0 = py - (w - 1) / 2;
            FillDevice({x0, y0, x0 + w, y0 + w}, color);
        }
    }
}

COLORREF DC::SetPixel(int x, int y, COLORREF color) {
    if (DrawTrace::Recording()) Trace(DrawOp::SetPixel, *this, {x, y, x + 1, y + 1}, color);
    if (!PtVisible(x, y)) return CLR_INVALID;
    Point d = LogicalToDevice(Point{x, y});
    state_.target->Row(d.y)[d.x] = ToDisplay(color);
    return color & 0x00FFFFFF;
}

COLORREF DC::GetPixel(int x, int y) const {
    if (!PtVisible(x, y)) return CLR_INVALID;
    Point d = LogicalToDevice(Point{x, y});
    return FromDisplay(state_.target->Row(d.y)[d.x]);
}

}  // namespace win

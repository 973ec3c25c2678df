#include "platform/window/controls/ScrollBarPart.h"

#include <algorithm>

#include "platform/gdi/DC.h"
#include "platform/kernel/MulDiv.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/WindowStyles.h"

namespace win {
namespace {

constexpr int kMinThumb = 8;

void Edge(DC& dc, const Rect& r, COLORREF topLeft, COLORREF bottomRight) {
    dc.FillSolidRect({r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    dc.FillSolidRect({r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    dc.FillSolidRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    dc.FillSolidRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

Rect Shrink(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

void RaisedBox(DC& dc, const Rect& r) {
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    Edge(dc, r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    Edge(dc, Shrink(r, 1), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

// The solid triangle of an arrow button: 4 rows of 1, 3, 5 and 7 pixels on a 16-pixel button.
void Glyph(DC& dc, const Rect& box, bool up, COLORREF color) {
    const int rows = std::max(1, (std::min(box.Width(), box.Height()) - 4) / 3);
    const int base = 2 * rows - 1;
    const int x0 = box.left + (box.Width() - base) / 2;
    const int y0 = box.top + (box.Height() - rows) / 2;
    for (int row = 0; row < rows; ++row) {
        const int width = 2 * (up ? row : rows - 1 - row) + 1;
        dc.FillSolidRect(Rect::FromSize(x0 + (base - width) / 2, y0 + row, width, 1), color);
    }
}

}  // namespace

void DrawArrowButton(DC& dc, const Rect& box, bool up, bool pressed, bool enabled) {
    if (box.IsEmpty()) return;
    if (pressed) {
        dc.FillSolidRect(box, GetSysColor(COLOR_BTNFACE));
        Edge(dc, box, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    } else {
        RaisedBox(dc, box);
    }
    const Rect glyph = pressed ? box.Offset(1, 1) : box;
    if (enabled) {
        Glyph(dc, glyph, up, GetSysColor(COLOR_BTNTEXT));
    } else {
        Glyph(dc, glyph.Offset(1, 1), up, GetSysColor(COLOR_BTNHIGHLIGHT));
        Glyph(dc, glyph, up, GetSysColor(COLOR_BTNSHADOW));
    }
}

namespace {

// The track's checkerboard, anchored to the coordinates so that adjacent pieces line up.
void Dither(DC& dc, const Rect& r, bool pressed) {
    if (r.IsEmpty()) return;
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left + ((r.left + y) & 1); x < r.right; x += 2) dc.SetPixel(x, y, light);
    if (pressed) dc.InvertRect(r);
}

}  // namespace

ScrollBarPart::ScrollBarPart(const Rect& bar, const ScrollRange& range) : bar_(bar), range_(range) {}

int ScrollBarPart::ArrowHeight() const {
    return std::min(GetSystemMetrics(SM_CYVSCROLL), bar_.Height() / 2);
}

Rect ScrollBarPart::UpArrow() const { return {bar_.left, bar_.top, bar_.right, bar_.top + ArrowHeight()}; }
Rect ScrollBarPart::DownArrow() const { return {bar_.left, bar_.bottom - ArrowHeight(), bar_.right, bar_.bottom}; }
Rect ScrollBarPart::Track() const { return {bar_.left, bar_.top + ArrowHeight(), bar_.right, bar_.bottom - ArrowHeight()}; }

int ScrollBarPart::MaxPos() const {
    return std::max(range_.min, range_.max - std::max(range_.page, 1) + 1);
}

int ScrollBarPart::ThumbLength() const {
    const int track = Track().Height();
    const int span = range_.max - range_.min + 1;
    if (span <= 0 || MaxPos() <= range_.min) return 0;
    const int length = range_.page > 0 ? std::max(MulDiv(track, range_.page, span), kMinThumb)
                                       : GetSystemMetrics(SM_CYVTHUMB);
    return length <= track ? length : 0;
}

Rect ScrollBarPart::Thumb() const {
    const int length = ThumbLength();
    if (length == 0) return {};
    const Rect track = Track();
    const int pos = std::clamp(range_.pos, range_.min, MaxPos());
    const int top = track.top + MulDiv(track.Height() - length, pos - range_.min, MaxPos() - range_.min);
    return {bar_.left, top, bar_.right, top + length};
}

ScrollPart ScrollBarPart::HitTest(Point point) const {
    if (!bar_.Contains(point)) return ScrollPart::None;
    if (UpArrow().Contains(point)) return ScrollPart::LineUp;
    if (DownArrow().Contains(point)) return ScrollPart::LineDown;
    const Rect thumb = Thumb();
    if (thumb.IsEmpty()) return ScrollPart::None;
    if (thumb.Contains(point)) return ScrollPart::Thumb;
    return point.y < thumb.top ? ScrollPart::PageUp : ScrollPart::PageDown;
}

int ScrollBarPart::PosForThumbTop(int thumbTop) const {
    const int length = ThumbLength();
    const Rect track = Track();
    if (length == 0 || track.Height() <= length) return range_.min;
    const int offset = std::clamp(thumbTop - track.top, 0, track.Height() - length);
    return range_.min + MulDiv(offset, MaxPos() - range_.min, track.Height() - length);
}

void ScrollBarPart::Draw(DC& dc, ScrollPart pressed, bool enabled) const {
    DrawArrowButton(dc, UpArrow(), true, pressed == ScrollPart::LineUp, enabled);
    DrawArrowButton(dc, DownArrow(), false, pressed == ScrollPart::LineDown, enabled);
    const Rect track = Track();
    const Rect thumb = enabled ? Thumb() : Rect{};
    if (thumb.IsEmpty()) {
        Dither(dc, track, false);
        return;
    }
    Dither(dc, {track.left, track.top, track.right, thumb.top}, pressed == ScrollPart::PageUp);
    Dither(dc, {track.left, thumb.bottom, track.right, track.bottom}, pressed == ScrollPart::PageDown);
    RaisedBox(dc, thumb);
}

}  // namespace win

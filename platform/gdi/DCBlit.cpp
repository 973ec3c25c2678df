// BitBlt, StretchBlt and PatBlt. Work is done in device coordinates: the destination is cut to the
// clip rectangles and to the part whose source lies inside the source bitmap.
#include <cstring>

#include "platform/gdi/DC.h"
#include "platform/gdi/DrawTrace.h"
#include "platform/gdi/RasterOp.h"

namespace win {
namespace {

// Source pixel for destination step i of n, taken from m source pixels (pixel-centre sampling).
inline long long SourceStep(unsigned long long i, unsigned long long n, unsigned long long m) {
    return static_cast<long long>((2 * i + 1) * m / (2 * n));
}

// For every destination coordinate in [lo, hi) the source coordinate, or -1 when it falls outside
// [0, limit). dest/destExtent and src/srcExtent are device-space starts and signed extents.
void BuildMap(std::vector<int>& map, int lo, int hi, int dest, int destExtent, int src, int srcExtent, int limit) {
    map.resize(static_cast<std::size_t>(std::max(0, hi - lo)));
    long long n = destExtent < 0 ? -static_cast<long long>(destExtent) : destExtent;
    long long m = srcExtent < 0 ? -static_cast<long long>(srcExtent) : srcExtent;
    for (int d = lo; d < hi; ++d) {
        long long i = destExtent > 0 ? d - dest : dest - 1 - d;
        long long j = SourceStep(static_cast<unsigned long long>(i), static_cast<unsigned long long>(n),
                                 static_cast<unsigned long long>(m));
        long long s = srcExtent > 0 ? src + j : src - 1 - j;
        map[static_cast<std::size_t>(d - lo)] = (s >= 0 && s < limit) ? static_cast<int>(s) : -1;
    }
}

Rect Normalized(int x, int y, int w, int h) {
    return {w < 0 ? x + w : x, h < 0 ? y + h : y, w < 0 ? x : x + w, h < 0 ? y : y + h};
}

template <typename Op>
void ForRow(std::uint32_t* dst, const std::uint32_t* src, int n, Op op) {
    for (int i = 0; i < n; ++i) dst[i] = op(src ? src[i] : 0, dst[i]);
}

// Applies the raster op to one row span; src may be null when the op ignores the source.
void RopRow(std::uint8_t rop3, std::uint32_t pattern, std::uint32_t* dst, const std::uint32_t* src, int n) {
    switch (rop3) {
        case 0xCC: std::memmove(dst, src, static_cast<std::size_t>(n) * 4); return;
        case 0x00: std::fill(dst, dst + n, 0u); return;
        case 0xFF: std::fill(dst, dst + n, 0x00FFFFFFu); return;
        case 0xF0: std::fill(dst, dst + n, pattern); return;
        case 0x88: ForRow(dst, src, n, [](std::uint32_t s, std::uint32_t d) { return s & d; }); return;
        case 0xEE: ForRow(dst, src, n, [](std::uint32_t s, std::uint32_t d) { return s | d; }); return;
        case 0x66: ForRow(dst, src, n, [](std::uint32_t s, std::uint32_t d) { return s ^ d; }); return;
        case 0x55: ForRow(dst, src, n, [](std::uint32_t, std::uint32_t d) { return ~d & 0x00FFFFFFu; }); return;
        default:
            ForRow(dst, src, n, [&](std::uint32_t s, std::uint32_t d) { return ApplyRop3(rop3, pattern, s, d); });
    }
}

}  // namespace

BOOL DC::BitBlt(int x, int y, int w, int h, DC* source, int sx, int sy, DWORD rop) {
    return Copy(Rect::FromSize(x, y, w, h), source, Rect::FromSize(sx, sy, w, h), rop, false);
}

BOOL DC::StretchBlt(int x, int y, int w, int h, DC* source, int sx, int sy, int sw, int sh, DWORD rop) {
    return Copy(Rect::FromSize(x, y, w, h), source, Rect::FromSize(sx, sy, sw, sh), rop, true);
}

BOOL DC::PatBlt(int x, int y, int w, int h, DWORD rop) {
    if (RopUsesSource(rop)) return FALSE;
    return Copy(Rect::FromSize(x, y, w, h), nullptr, Rect::FromSize(0, 0, w, h), rop, false);
}

BOOL DC::Copy(const Rect& destLogical, DC* source, const Rect& sourceLogical, DWORD rop, bool stretch) {
    const bool usesSource = RopUsesSource(rop);
    if (usesSource && !source) return FALSE;
    if (DrawTrace::Recording()) {
        DrawTraceEntry e;
        e.op = stretch ? DrawOp::StretchBlt : DrawOp::BitBlt;
        e.destLogical = destLogical;
        e.destDevice = LogicalToDevice(destLogical);
        if (state_.target) e.destLabel = state_.target->label;
        if (usesSource) {
            e.sourceLogical = sourceLogical;
            e.sourceDevice = source->LogicalToDevice(sourceLogical);
            if (const Bitmap* s = source->Target()) {
                e.sourceResourceId = s->resourceId;
                e.sourceLabel = s->label;
            }
        }
        e.color = state_.brush.color;
        e.rop = rop;
        DrawTrace::Append(std::move(e));
    }
    Bitmap* dst = state_.target;
    if (!dst) return TRUE;
    const bool usesPattern = RopUsesPattern(rop);
    if (usesPattern && state_.brush.IsNull()) return TRUE;
    const std::uint32_t pattern = ToDisplay(state_.brush.color);
    const std::uint8_t rop3 = Rop3Index(rop);

    int w = destLogical.right - destLogical.left, h = destLogical.bottom - destLogical.top;
    int sw = sourceLogical.right - sourceLogical.left, sh = sourceLogical.bottom - sourceLogical.top;
    if (w == 0 || h == 0 || (usesSource && (sw == 0 || sh == 0))) return TRUE;
    Point d0 = LogicalToDevice(destLogical.TopLeft());
    Rect dest = Normalized(d0.x, d0.y, w, h);

    const Bitmap* src = usesSource ? source->Target() : nullptr;
    if (usesSource && !src) return TRUE;
    Point s0 = usesSource ? source->LogicalToDevice(sourceLogical.TopLeft()) : Point{};
    const bool oneToOne = !stretch || !usesSource || (w == sw && h == sh && w > 0 && h > 0);

    if (oneToOne) {
        Rect area = dest;
        if (usesSource) {
            // Only destination pixels whose source lies inside the source bitmap.
            Rect valid = Rect::FromSize(s0.x, s0.y, w, h).Intersect(src->Bounds());
            area = valid.Offset(d0.x - s0.x, d0.y - s0.y);
        }
        // Copies within one bitmap may overlap: read from a snapshot of the source block.
        std::vector<std::uint32_t> snapshot;
        const std::uint32_t* srcBase = nullptr;
        std::size_t srcStride = 0;
        if (usesSource) {
            srcBase = src->Pixels();
            srcStride = static_cast<std::size_t>(src->Width());
        }
        Point shift{s0.x - d0.x, s0.y - d0.y};
        if (src == dst && !area.IsEmpty()) {
            Rect block = area.Offset(shift);
            snapshot.resize(static_cast<std::size_t>(block.Width()) * block.Height());
            for (int yy = 0; yy < block.Height(); ++yy)
                std::memcpy(&snapshot[static_cast<std::size_t>(yy) * block.Width()], src->Row(block.top + yy) + block.left,
                            static_cast<std::size_t>(block.Width()) * 4);
            srcBase = snapshot.data();
            srcStride = static_cast<std::size_t>(block.Width());
            shift = {-area.left, -area.top};
        }
        for (const Rect& clip : DeviceClipRects()) {
            Rect r = area.Intersect(clip);
            if (r.IsEmpty()) continue;
            for (int yy = r.top; yy < r.bottom; ++yy) {
                const std::uint32_t* srow =
                    usesSource ? srcBase + static_cast<std::size_t>(yy + shift.y) * srcStride + (r.left + shift.x) : nullptr;
                RopRow(rop3, pattern, dst->Row(yy) + r.left, srow, r.Width());
            }
        }
        return TRUE;
    }

    // Stretching: per-column and per-row source maps over the clipped destination.
    Rect bound;
    for (const Rect& clip : DeviceClipRects()) bound = bound.Union(dest.Intersect(clip));
    if (bound.IsEmpty()) return TRUE;
    thread_local std::vector<int> cols, rows;
    BuildMap(cols, bound.left, bound.right, d0.x, w, s0.x, sw, src->Width());
    BuildMap(rows, bound.top, bound.bottom, d0.y, h, s0.y, sh, src->Height());
    const Bitmap* from = src;
    Bitmap copy(0, 0);
    if (src == dst) {
        copy = *src;
        from = &copy;
    }
    // The map is monotonic, so the columns with a source form one run.
    const int* map = cols.data() - bound.left;
    int validLeft = bound.left, validRight = bound.right;
    while (validLeft < validRight && map[validLeft] < 0) ++validLeft;
    while (validRight > validLeft && map[validRight - 1] < 0) --validRight;
    for (const Rect& clip : DeviceClipRects()) {
        Rect r = dest.Intersect(clip).Intersect({validLeft, bound.top, validRight, bound.bottom});
        if (r.IsEmpty()) continue;
        const std::size_t span = static_cast<std::size_t>(r.Width()) * 4;
        for (int yy = r.top; yy < r.bottom; ++yy) {
            int sy = rows[static_cast<std::size_t>(yy - bound.top)];
            if (sy < 0) continue;
            std::uint32_t* drow = dst->Row(yy);
            if (rop3 == 0xCC && yy > r.top && sy == rows[static_cast<std::size_t>(yy - 1 - bound.top)]) {
                std::memcpy(drow + r.left, dst->Row(yy - 1) + r.left, span);  // repeated source row
                continue;
            }
            const std::uint32_t* srow = from->Row(sy);
            if (rop3 == 0xCC) {
                for (int xx = r.left; xx < r.right; ++xx) drow[xx] = srow[map[xx]];
            } else {
                for (int xx = r.left; xx < r.right; ++xx) drow[xx] = ApplyRop3(rop3, pattern, srow[map[xx]], drow[xx]);
            }
        }
    }
    return TRUE;
}

}  // namespace win

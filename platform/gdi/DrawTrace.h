#pragma once
// Records the drawing calls made through every DC while a test has it running, so tests can check
// exact geometry without comparing pixels. Not recording costs one relaxed atomic load per call.
#include <atomic>
#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/gdi/GdiTypes.h"

namespace win {

enum class DrawOp { BitBlt, StretchBlt, FillRect, Rectangle, LineTo, TextOut, SetPixel };
const char* DrawOpName(DrawOp op);

// Rectangles are as the call asked, before clipping. Rects for StretchBlt keep the caller's signs,
// so a mirrored copy has right < left. For LineTo the rectangle runs from the start point (left,
// top) to the end point (right, bottom). For TextOut it is the text cell.
struct DrawTraceEntry {
    DrawOp op = DrawOp::BitBlt;
    int sourceResourceId = 0;   // copies: the source bitmap's resourceId
    std::string sourceLabel;    // copies: the source bitmap's label
    Rect sourceLogical;
    Rect sourceDevice;
    Rect destLogical;
    Rect destDevice;
    std::string destLabel;      // the target bitmap's label
    COLORREF color = 0;         // fill, pen, text or pixel colour
    std::string text;
    int penStyle = PS_SOLID;
    DWORD rop = 0;
};

class DrawTrace {
public:
    static void Start();  // clears earlier entries
    static std::vector<DrawTraceEntry> Stop();
    static bool Recording() { return recording_.load(std::memory_order_relaxed); }
    static std::vector<DrawTraceEntry> Entries();
    static void Clear();
    static void Append(DrawTraceEntry entry);

private:
    static std::atomic<bool> recording_;
};

// Starts recording for a scope.
class ScopedDrawTrace {
public:
    ScopedDrawTrace() { DrawTrace::Start(); }
    ~ScopedDrawTrace() { DrawTrace::Stop(); }
    ScopedDrawTrace(const ScopedDrawTrace&) = delete;
    ScopedDrawTrace& operator=(const ScopedDrawTrace&) = delete;
    std::vector<DrawTraceEntry> Entries() const { return DrawTrace::Entries(); }
};

}  // namespace win

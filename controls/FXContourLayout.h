#pragma once
// Where the contour control's items sit, in its client pixels, and the integer scales between values
// and pixels that its drawing and its drags share. Values from the host or a preset file may lie
// anywhere in an int; the picture shows them clamped to 0..127, so no drawing leaves its place.
#include <algorithm>

#include "platform/base/Geometry.h"
#include "platform/kernel/MulDiv.h"

namespace contour {

// The control's client (0,0) lies at this point of the panel and of its background bitmap.
constexpr win::Point kBackgroundOrigin{199, 30};
constexpr win::Size kClientSize{383, 248};

constexpr int kMaxValue = 127;
constexpr int kTrackHeight = 107;
constexpr int kCutoffSpan = 170;  // cutoff width in pixels at the highest cutoff

constexpr win::Rect kGraph{110, 83, 365, 190};
constexpr int kGraphTop = kGraph.top;
constexpr int kGraphFoot = kGraph.bottom;  // the row below the graph's last one
constexpr int kMidHighBoundary = 280;      // fixed edge between the mid and the high column
constexpr int kCutoffLineTop = 183;        // the cutoff line stops short of the marker's foot
constexpr int kLabelY = 68;
constexpr int kMarkerTop = 180;
constexpr win::Rect kBypassButtonRect{341, 20, 357, 36};

constexpr int kLowX = 25;
constexpr int kMidX = 50;
constexpr int kHighX = 75;

// The cell of a slider letter reaches at most this far right of its slider, and ends above the track.
constexpr int kLabelCellWidth = 16;
constexpr win::Rect kLabelStrip{kLowX, kLabelY, kHighX + kLabelCellWidth, kGraphTop};

constexpr int DrawnValue(int value) { return std::clamp(value, 0, kMaxValue); }

// Handle travel in pixels above the foot of the track; the integer division truncates.
constexpr int HandleTravel(int value, int trackHeight) { return trackHeight * DrawnValue(value) / kMaxValue; }

// Height of the band's column and level bar: a different, rounded scale from the travel (0..105).
inline int FillHeight(int value) { return win::MulDiv(DrawnValue(value), 107, 130); }

inline int CutoffWidth(int cutoffValue) { return win::MulDiv(DrawnValue(cutoffValue), kCutoffSpan, kMaxValue); }

constexpr win::Rect HandleRect(int x0, int travel) { return {x0, kGraphFoot - travel, x0 + 10, kGraphFoot + 20 - travel}; }

constexpr win::Rect TrackRect(int x0) { return {x0, kGraphTop, x0 + 8, kGraphFoot}; }

constexpr win::Rect CutoffMarkerRect(int cutoffWidth) {
    return {278 - cutoffWidth, kMarkerTop, 285 - cutoffWidth, 195};
}

constexpr win::Rect Grow(const win::Rect& r, int dx, int dy) {
    return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

}  // namespace contour

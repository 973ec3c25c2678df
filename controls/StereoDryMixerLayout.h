#pragma once
// Where the stereo dry mixer's items sit, in its client pixels, and the integer scales between the
// effect level and pixels that its drawing and its drags share. A level from the host or a preset
// file may lie anywhere in an int; the picture shows it clamped to 0..127, so nothing is drawn
// outside its place.
#include <algorithm>

#include "platform/base/Geometry.h"
#include "platform/kernel/MulDiv.h"

namespace mixer {

constexpr int kMaxLevel = 127;

// The mixer's client (0,0) lies at this point of the panel and of its background bitmap.
constexpr win::Point kBackgroundOrigin{0, 30};
constexpr win::Size kClientSize{201, 248};

constexpr win::Point kEffectLabel{75, 48};
constexpr win::Rect kFaderRestore{75, 81, 105, 211};
constexpr win::Point kTrack{88, 103};
// A left click here moves the fader; a right click on its upper part opens the settings menu.
constexpr win::Rect kTrackHit{88, 103, 108, 216};
constexpr win::Rect kMenuArea{88, 103, 108, 178};

constexpr int kKnobX = 90;
constexpr int kKnobLowestTop = 183;
constexpr int kKnobTravel = 90;
// The index line of the selected knob (bitmap 157), counted from its top row.
constexpr int kKnobIndexRow = 10;

constexpr win::Point kMeter{71, 108};
constexpr int kMeterWidth = 9;
constexpr int kMeterRows = 100;
constexpr int kMeterLitX = 73;
constexpr int kMeterLitSourceX = 15;
constexpr int kMeterLitWidth = 8;
constexpr int kMeterBottom = 208;  // the lit bar ends just above this row

constexpr win::Point kReadout{70, 212};
constexpr win::Point kReadoutText{79, 213};

constexpr win::Rect kLeftSwitch{73, 66, 90, 82};
constexpr win::Rect kRightSwitch{93, 66, 110, 82};
constexpr int kSwitchWidth = 17;
constexpr int kSwitchFrameRows = 16;

constexpr win::Point kClipLight{10, 60};
constexpr int kClipFrame = 17;
constexpr win::Rect kClipLabel{30, 62, 100, 80};

constexpr int DrawnLevel(int level) { return std::clamp(level, 0, kMaxLevel); }

// Knob travel above its lowest place; the integer division truncates (0..90).
constexpr int KnobTravel(int level) { return DrawnLevel(level) * kKnobTravel / kMaxLevel; }

constexpr win::Rect KnobRect(int travel) {
    return {kKnobX, kKnobLowestTop - travel, kKnobX + 16, kKnobLowestTop + 21 - travel};
}

// Height of the lit meter bar, rounded (0..98).
inline int MeterHeight(int level) { return win::MulDiv(DrawnLevel(level), kMeterRows, 130); }

// The level a knob drag gives: the travel at the grab plus the upward movement, rescaled.
inline int DragLevel(int grabOffset, int y) {
    return std::clamp(win::MulDiv(grabOffset - y + kKnobTravel, kMaxLevel, kKnobTravel), 0, kMaxLevel);
}

// The level a click on the track gives: the one that puts the selected knob's index line on the
// clicked row. Rounding up makes the knob land exactly there, as truncating KnobTravel would drop
// a rounded-down level one pixel short.
constexpr int TrackClickLevel(int y) {
    const int travel = std::clamp(kKnobLowestTop + kKnobIndexRow - y, 0, kKnobTravel);
    return (travel * kMaxLevel + kKnobTravel - 1) / kKnobTravel;
}

}  // namespace mixer

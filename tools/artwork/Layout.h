#pragma once
// Where the editor's code puts each picture and each text, in the pixels the art must line up with.
// Panel positions are panel client pixels; the mixer and the contour control draw in their own
// client pixels, which start at kMixerOrigin and kContourOrigin on the panel.
#include "platform/base/Geometry.h"

namespace art::layout {

constexpr int kPanelWidth = 582;
constexpr int kPanelHeight = 408;
constexpr int kBackgroundWidth = 583;
constexpr int kBackgroundHeight = 278;

// Top row.
constexpr win::Rect kNameRect{80, 12, 275, 26};
constexpr win::Point kCompare{300, 10};
constexpr win::Size kCompareFrame{40, 15};
constexpr win::Point kLoad{376, 7};
constexpr win::Point kSave{430, 7};
constexpr win::Size kFileButton{54, 21};
constexpr win::Point kHelp{537, 8};
constexpr win::Point kClose{554, 8};
constexpr win::Size kSmallButton{17, 14};

// The two controls' windows on the panel.
constexpr win::Point kMixerOrigin{0, 30};
constexpr win::Rect kMixerRect{0, 30, 201, 278};
constexpr win::Point kContourOrigin{199, 30};
constexpr win::Rect kContourRect{199, 30, 582, 278};

// Mixer client pixels.
constexpr win::Point kEffectLabel{75, 48};
constexpr win::Rect kFaderRestore{75, 81, 105, 211};
constexpr win::Point kFaderTrack{88, 103};
constexpr int kKnobX = 90;
constexpr int kKnobLowestTop = 183;
constexpr int kKnobTravel = 90;
constexpr win::Point kMeter{71, 108};
constexpr int kMeterRows = 100;
constexpr int kMeterLitX = 73;
constexpr int kMeterBottom = 208;  // the lit bar ends just above this row
constexpr win::Point kReadout{70, 212};
constexpr win::Point kReadoutText{79, 213};
constexpr win::Point kLeftSwitch{73, 66};
constexpr win::Point kRightSwitch{93, 66};
constexpr win::Point kClip{10, 60};
constexpr win::Rect kClipLabel{30, 62, 100, 80};

// Contour client pixels.
constexpr win::Rect kGraph{110, 83, 365, 190};
constexpr int kBandX[3] = {25, 50, 75};
constexpr int kTrackTop = 83;
constexpr int kTrackHeight = 107;  // handle travel
constexpr int kLabelY = 68;
constexpr int kBoundaryX = 280;    // between the mid and the high region
constexpr int kCutoffSpan = 170;
constexpr int kMarkerTop = 180;
constexpr win::Point kBypass{341, 20};

}  // namespace art::layout

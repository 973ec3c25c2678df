#pragma once
// The editor's layout as the artwork generator needs it, taken from the layout headers the panel
// and its controls draw with, so the art cannot drift from the code. Panel positions are panel
// client pixels; the mixer and the contour control draw in their own client pixels, which start at
// kMixerOrigin and kContourOrigin on the panel.
#include "controls/FXContourLayout.h"
#include "controls/StereoDryMixerLayout.h"
#include "panel/PanelLayout.h"
#include "platform/base/Geometry.h"

namespace art::layout {

constexpr int kPanelWidth = panel::kWidth;
constexpr int kPanelHeight = panel::kHeight;
// The background bitmap: one column wider than the panel, and as high as the controls reach.
constexpr int kBackgroundWidth = panel::kWidth + 1;
constexpr int kBackgroundHeight = panel::kContourRect.bottom;

// Top row.
using panel::kClose;
using panel::kCompare;
using panel::kCompareFrame;
using panel::kFileButton;
using panel::kHelp;
using panel::kLoad;
using panel::kNameRect;
using panel::kSave;
using panel::kSmallButton;

// The two controls' windows on the panel.
constexpr win::Point kMixerOrigin = mixer::kBackgroundOrigin;
constexpr win::Rect kMixerRect = panel::kMixerRect;
constexpr win::Point kContourOrigin = contour::kBackgroundOrigin;
constexpr win::Rect kContourRect = panel::kContourRect;

// Mixer client pixels.
using mixer::kClipLabel;
using mixer::kEffectLabel;
using mixer::kFaderRestore;
using mixer::kKnobLowestTop;
using mixer::kKnobTravel;
using mixer::kKnobX;
using mixer::kMeter;
using mixer::kMeterBottom;
using mixer::kMeterLitX;
using mixer::kMeterRows;
using mixer::kReadout;
using mixer::kReadoutText;
constexpr win::Point kFaderTrack = mixer::kTrack;
constexpr win::Point kLeftSwitch = mixer::kLeftSwitch.TopLeft();
constexpr win::Point kRightSwitch = mixer::kRightSwitch.TopLeft();
constexpr win::Point kClip = mixer::kClipLight;

// Contour client pixels.
using contour::kCutoffSpan;
using contour::kGraph;
using contour::kLabelY;
using contour::kMarkerTop;
using contour::kTrackHeight;  // handle travel
constexpr int kBandX[3] = {contour::kLowX, contour::kMidX, contour::kHighX};
constexpr int kTrackTop = contour::kGraphTop;
constexpr int kBoundaryX = contour::kMidHighBoundary;  // between the mid and the high region
constexpr win::Point kBypass = contour::kBypassButtonRect.TopLeft();

}  // namespace art::layout

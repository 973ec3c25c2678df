#pragma once
// Where the editor panel puts its top row and its two controls, in panel client pixels. The art of
// the top row is drawn a few pixels left of where the help and close buttons take their clicks.
#include "controls/FXContourLayout.h"
#include "controls/StereoDryMixerLayout.h"
#include "platform/base/Geometry.h"

namespace panel {

constexpr int kWidth = 582;
constexpr int kHeight = 408;
// The top row: what a press on one of its buttons repaints.
constexpr int kTopStripHeight = 30;

constexpr win::Rect kNameRect{80, 12, 275, 26};
constexpr win::Rect kCompareARect{300, 10, 320, 25};
constexpr win::Rect kCompareBRect{320, 10, 340, 25};
constexpr win::Rect kLoadRect{376, 7, 430, 25};
constexpr win::Rect kSaveRect{430, 7, 484, 25};
constexpr win::Rect kCloseRect{558, 8, 575, 22};
constexpr win::Rect kHelpRect = kCloseRect.Offset(-17, 0);

// The top row's art.
constexpr win::Point kCompare{300, 10};
constexpr win::Size kCompareFrame{40, 15};
constexpr win::Point kLoad{376, 7};
constexpr win::Point kSave{430, 7};
constexpr win::Size kFileButton{54, 21};
constexpr win::Point kHelp{537, 8};
constexpr win::Point kClose{554, 8};
constexpr win::Size kSmallButton{17, 14};

constexpr win::Rect kMixerRect =
    win::Rect::FromSize(mixer::kBackgroundOrigin.x, mixer::kBackgroundOrigin.y, mixer::kClientSize.cx, mixer::kClientSize.cy);
constexpr win::Rect kContourRect = win::Rect::FromSize(contour::kBackgroundOrigin.x, contour::kBackgroundOrigin.y,
                                                       contour::kClientSize.cx, contour::kClientSize.cy);
static_assert(kMixerRect == win::Rect{0, 30, 201, 278} && kContourRect == win::Rect{199, 30, 582, 278});
static_assert(kContourRect.right == kWidth);

}  // namespace panel

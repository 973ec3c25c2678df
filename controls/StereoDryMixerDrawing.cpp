// The mixer's paint procedure: the dirty picture groups are redrawn into the off-screen picture, the
// clip light at every paint, and the whole picture goes to the screen in one copy.
#include <cstdio>

#include "controls/StereoDryMixer.h"
#include "controls/ResourceArt.h"
#include "controls/StereoDryMixerLayout.h"
#include "host/lib/EffectParams.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/module/Module.h"
#include "platform/window/PaintDC.h"
#include "presets/UserPreset.h"
#include "resources/ResourceIds.h"

using namespace win;
using namespace mixer;

namespace {

// Labels are drawn with blended edges over what is already there, so each goes onto restored
// background: drawn over itself, its edges would thicken with every paint. Glyph ink may reach a
// little past the text's cell.
constexpr int kInkMargin = 2;

void RestoreUnderText(DC& dc, ArtPainter& art, Point at, const char* text) {
    const Size extent = dc.GetTextExtent(text);
    art.RestoreBackground(Rect::FromSize(at.x - kInkMargin, at.y - kInkMargin, extent.cx + 2 * kInkMargin,
                                         extent.cy + 2 * kInkMargin),
                          kBackgroundOrigin);
}

}  // namespace

void CStereoDryMixer::MakeBackBuffer() {
    MakePicture(ClientRect(), "StereoDryMixer picture");
    dirtyMask = kEverything;
    selection = kUnselected;
    backReady = true;
}

void CStereoDryMixer::OnPaint() {
    if (!backReady) MakeBackBuffer();
    PaintDC dc(this);
    DrawPicture();
    CopyPictureTo(dc);
    dirtyMask = kNothingPending;
}

void CStereoDryMixer::DrawPicture() {
    DC& dc = *backDC;
    ArtPainter art(dc);
    const int level = settings ? DrawnLevel(settings->effectLevel) : 0;

    if (dirtyMask & kBackground) art.RestoreBackground(Rect{0, 0, clientRect.Width(), clientRect.Height()}, kBackgroundOrigin);

    if (dirtyMask & kFaderGroup) {
        const bool selected = selection == kSelected;
        const COLORREF colour = selected ? highlightColour : normalColour;
        dc.SetBkMode(TRANSPARENT);
        dc.SelectFont(controlFont);
        dc.SetTextColor(colour);
        RestoreUnderText(dc, art, kEffectLabel, "Effect");
        dc.TextOutA(kEffectLabel.x, kEffectLabel.y, "Effect");

        art.RestoreBackground(kFaderRestore, kBackgroundOrigin);
        art.CopyWhole(IDB_FADER_TRACK, kTrack);
        const int travel = KnobTravel(level);
        knobRect = KnobRect(travel);
        knobRef = kKnobTravel - travel;
        art.CopyWhole(selected ? IDB_FADER_KNOB_SELECTED : IDB_FADER_KNOB, knobRect.TopLeft());
        dc.SetTextColor(colour);

        art.Copy(IDB_METER, kMeter.x, kMeter.y, kMeterWidth, kMeterRows, 0, 0);
        if (level > 0) {
            const int h = MeterHeight(level);
            art.Copy(IDB_METER, kMeterLitX, kMeterBottom - h, kMeterLitWidth, h, kMeterLitSourceX, kMeterRows - h);
        }

        art.CopyWhole(IDB_READOUT_PLATE, kReadout);
        char readout[8];
        std::snprintf(readout, sizeof readout, "%3d", level);
        dc.TextOutA(kReadoutText.x, kReadoutText.y, readout);
    }

    if (dirtyMask & kSwitches) {
        const bool leftOn = settings && settings->leftSwitch == 1;
        const bool rightOn = settings && settings->rightSwitch == 1;
        art.Copy(IDB_LEFT_SWITCH, kLeftSwitch.left, kLeftSwitch.top, kSwitchWidth, kSwitchFrameRows, 0,
                 leftOn ? 0 : kSwitchFrameRows);
        art.Copy(IDB_RIGHT_SWITCH, kRightSwitch.left, kRightSwitch.top, kSwitchWidth, kSwitchFrameRows, 0,
                 rightOn ? 0 : kSwitchFrameRows);
    }

    const bool clipping = paramBlock && (paramBlock->statusFlags & STATUS_CLIP);
    art.Copy(IDB_CLIP_INDICATOR, kClipLight.x, kClipLight.y, kClipFrame, kClipFrame, 0, clipping ? 0 : kClipFrame);
    if (paramBlock) clipLit = clipping;
    dc.SetBkMode(TRANSPARENT);
    dc.SelectFont(controlFont);
    dc.SetTextColor(normalColour);
    RestoreUnderText(dc, art, kClipLabel.TopLeft(), "Clip");
    Rect labelRect = kClipLabel;
    dc.DrawTextA("Clip", &labelRect, DT_LEFT | DT_TOP | DT_SINGLELINE);
}

#include "tools/artwork/EditorPreview.h"

#include <cstdio>

#include "platform/gdi/DC.h"
#include "tools/artwork/Canvas.h"
#include "tools/artwork/Layout.h"

namespace art {
namespace {

using namespace layout;

constexpr win::COLORREF kNormal = win::RGB(156, 206, 206);
constexpr win::COLORREF kHighlight = win::RGB(0, 255, 255);

// a * b / c rounded to the nearest integer, halves away from zero (non-negative use only here).
int MulDiv(int a, int b, int c) { return (2 * a * b + c) / (2 * c); }

std::shared_ptr<win::Font> ControlFont() { return ArialFont(13, win::FW_MEDIUM); }

class Painter {
public:
    explicit Painter(const PictureSet& pictures) : pictures_(pictures) {}

    // BitBlt from a resource picture, as the controls do with a scratch DC.
    void Copy(win::DC& to, int x, int y, int w, int h, unsigned id, int sx, int sy) {
        win::DC scratch;
        scratch.SelectBitmap(Find(id));
        to.BitBlt(x, y, w, h, &scratch, sx, sy, win::SRCCOPY);
    }
    void Copy(win::DC& to, int x, int y, unsigned id) {
        auto bitmap = Find(id);
        Copy(to, x, y, bitmap->Width(), bitmap->Height(), id, 0, 0);
    }
    void Stretch(win::DC& to, int x, int y, int w, int h, unsigned id, int sx, int sy, int sw, int sh) {
        win::DC scratch;
        scratch.SelectBitmap(Find(id));
        to.StretchBlt(x, y, w, h, &scratch, sx, sy, sw, sh, win::SRCCOPY);
    }

private:
    std::shared_ptr<win::Bitmap> Find(unsigned id) {
        auto it = pictures_.find(id);
        if (it == pictures_.end()) {
            std::fprintf(stderr, "preview: picture %u missing\n", id);
            return std::make_shared<win::Bitmap>(1, 1, 0xFF00FF);
        }
        return it->second;
    }
    const PictureSet& pictures_;
};

void PaintPanel(Painter& p, win::DC& dc, const EditorState& s) {
    p.Copy(dc, 0, 0, kPanelWidth, kPanelHeight, 185, 0, 0);
    dc.SetBkMode(win::TRANSPARENT);
    dc.SelectFont(ControlFont());
    dc.SetTextColor(kNormal);
    win::Rect name = kNameRect;
    dc.DrawTextA("Default", &name, win::DT_LEFT | win::DT_TOP);
    p.Copy(dc, kCompare.x, kCompare.y, 40, 15, 215, 0, s.edited == 1 ? 15 : 0);
    p.Copy(dc, kLoad.x, kLoad.y, 54, 21, 216, (s.pressedButtons & 4) ? 54 : 0, 0);
    p.Copy(dc, kSave.x, kSave.y, 54, 21, 216, (s.pressedButtons & 8) ? 54 : 0, 21);
    p.Copy(dc, kClose.x, kClose.y, 17, 14, 223, (s.pressedButtons & 1) ? 17 : 0, 14);
    p.Copy(dc, kHelp.x, kHelp.y, 17, 14, 223, (s.pressedButtons & 2) ? 17 : 0, 0);
    dc.FillSolidRect({0, kBackgroundHeight, kPanelWidth, kPanelHeight}, win::RGB(0, 0, 0));
}

void PaintMixer(Painter& p, win::DC& dc, const EditorState& s) {
    const win::Rect client{0, 0, kMixerRect.Width(), kMixerRect.Height()};
    p.Copy(dc, 0, 0, client.Width(), client.Height(), 185, kMixerOrigin.x, kMixerOrigin.y);
    dc.SetBkMode(win::TRANSPARENT);
    dc.SelectFont(ControlFont());
    win::COLORREF colour = s.mixerSelected ? kHighlight : kNormal;
    dc.SetTextColor(colour);
    dc.TextOutA(kEffectLabel.x, kEffectLabel.y, "Effect");
    p.Copy(dc, kFaderRestore.left, kFaderRestore.top, kFaderRestore.Width(), kFaderRestore.Height(), 185,
           kFaderRestore.left + kMixerOrigin.x, kFaderRestore.top + kMixerOrigin.y);
    p.Copy(dc, kFaderTrack.x, kFaderTrack.y, 159);
    int t = s.effectLevel * kKnobTravel / 127;
    p.Copy(dc, kKnobX, kKnobLowestTop - t, s.mixerSelected ? 157 : 133);
    p.Copy(dc, kMeter.x, kMeter.y, 9, 100, 131, 0, 0);
    if (s.effectLevel > 0) {
        int h = MulDiv(s.effectLevel, 100, 130);
        p.Copy(dc, kMeterLitX, kMeterBottom - h, 8, h, 131, 15, 100 - h);
    }
    p.Copy(dc, kReadout.x, kReadout.y, 197);
    char text[16];
    std::snprintf(text, sizeof text, "%3d", s.effectLevel);
    dc.TextOutA(kReadoutText.x, kReadoutText.y, text);
    p.Copy(dc, kLeftSwitch.x, kLeftSwitch.y, 17, 16, 189, 0, s.leftOn ? 0 : 16);
    p.Copy(dc, kRightSwitch.x, kRightSwitch.y, 17, 16, 191, 0, s.rightOn ? 0 : 16);
    p.Copy(dc, kClip.x, kClip.y, 17, 17, 219, 0, s.clipLit ? 0 : 17);
    dc.SetTextColor(kNormal);
    win::Rect clip = kClipLabel;
    dc.DrawTextA("Clip", &clip, win::DT_LEFT | win::DT_TOP | win::DT_SINGLELINE);
}

void PaintContour(Painter& p, win::DC& dc, const EditorState& s) {
    const win::Rect client{0, 0, kContourRect.Width(), kContourRect.Height()};
    p.Copy(dc, 0, 0, client.Width(), client.Height(), 185, kContourOrigin.x, kContourOrigin.y);
    dc.FillSolidRect(kGraph, win::RGB(0, 0, 0));
    const int cutoffWidth = MulDiv(s.cutoffValue, kCutoffSpan, 127);
    const struct {
        int value;
        const char* label;
        int bit;
        int left, right;
    } bands[3] = {{s.lowValue, "L", 1, kGraph.left, kBoundaryX - cutoffWidth},
                  {s.midValue, "M", 2, kBoundaryX - cutoffWidth, kBoundaryX},
                  {s.highValue, "H", 4, kBoundaryX, kGraph.right}};
    dc.SetBkMode(win::TRANSPARENT);
    for (int i = 0; i < 3; ++i) {
        const auto& band = bands[i];
        const int x0 = kBandX[i];
        p.Copy(dc, x0, kTrackTop, 141);
        int b = kTrackHeight * band.value / 127;
        int f = MulDiv(band.value, 107, 130);
        dc.FillSolidRect(win::Rect{band.left, kGraph.top, band.right, kGraph.bottom - f}, win::RGB(0, 0, 0));
        if (band.value > 0) {
            p.Copy(dc, x0, kGraph.bottom - f, 8, f + 20, 196, 0, 87 - f);
            p.Stretch(dc, band.left, kGraph.bottom - f, band.right - band.left, f, 199, 0, 0, 77, 63);
        }
        dc.SetTextColor(s.contourSelection == band.bit ? kHighlight : kNormal);
        dc.SelectFont(ControlFont());
        dc.TextOutA(x0, kLabelY, band.label);
        p.Copy(dc, x0, kGraph.bottom - b, s.contourSelection == band.bit ? 160 : 144);
    }
    p.Copy(dc, kBoundaryX - 2 - cutoffWidth, kMarkerTop, s.contourSelection == 16 ? 161 : 145);
    win::Pen previous = dc.SelectPen(win::CreatePen(win::PS_DOT, 1, win::RGB(255, 255, 255)));
    dc.MoveTo(kBoundaryX, kGraph.bottom);
    dc.LineTo(kBoundaryX, kGraph.top);
    dc.MoveTo(kBoundaryX - cutoffWidth, 183);
    dc.LineTo(kBoundaryX - cutoffWidth, kGraph.top);
    dc.SelectPen(previous);
    p.Copy(dc, kBypass.x, kBypass.y, 16, 16, 220, 0, s.bypassOn ? 0 : 16);
}

}  // namespace

std::shared_ptr<win::Bitmap> ComposeEditor(const PictureSet& pictures, const EditorState& state) {
    Painter painter(pictures);
    auto panel = std::make_shared<win::Bitmap>(kPanelWidth, kPanelHeight, 0);
    win::DC panelDc;
    panelDc.SelectBitmap(panel);
    PaintPanel(painter, panelDc, state);

    // Each control paints its own off-screen picture, which lands on the panel in one block.
    auto mixer = std::make_shared<win::Bitmap>(kMixerRect.Width(), kMixerRect.Height(), 0);
    win::DC mixerDc;
    mixerDc.SelectBitmap(mixer);
    PaintMixer(painter, mixerDc, state);
    panelDc.BitBlt(kMixerOrigin.x, kMixerOrigin.y, mixer->Width(), mixer->Height(), &mixerDc, 0, 0, win::SRCCOPY);

    auto contour = std::make_shared<win::Bitmap>(kContourRect.Width(), kContourRect.Height(), 0);
    win::DC contourDc;
    contourDc.SelectBitmap(contour);
    PaintContour(painter, contourDc, state);
    panelDc.BitBlt(kContourOrigin.x, kContourOrigin.y, contour->Width(), contour->Height(), &contourDc, 0, 0,
                   win::SRCCOPY);
    return panel;
}

}  // namespace art

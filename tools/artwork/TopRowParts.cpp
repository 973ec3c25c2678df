// The panel's top row: the A/B compare switch (215), Load and Save (216), help and close (223), and
// the preset chooser's title strip (222). Each frame is painted over the background at the place the
// panel copies it to.
#include <cmath>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/PartShapes.h"
#include "tools/artwork/Theme.h"

namespace art {
namespace {

using namespace layout;

// 40 x 30: rows 0-14 B lit, rows 15-29 A lit.
Canvas CompareSwitch(Canvas& background) {
    Canvas out(kCompareFrame.cx, kCompareFrame.cy * 2);
    for (int frame = 0; frame < 2; ++frame) {
        Canvas f = background.Crop(win::Rect::FromSize(kCompare.x, kCompare.y, kCompareFrame.cx, kCompareFrame.cy));
        bool aLit = frame == 1;
        f.RoundRect(0, 0, 40, 15, 2.5, Rgb{4, 8, 6});
        DrawBacklitKey(f, {0, 0, 20, 15}, "A", aLit);
        DrawBacklitKey(f, {20, 0, 40, 15}, "B", !aLit);
        out.Paste(f, 0, frame * kCompareFrame.cy);
    }
    return out;
}

// 108 x 42: Load in rows 0-20, Save in rows 21-41; up in columns 0-53, pressed in 54-107.
Canvas FileButtons(Canvas& background) {
    Canvas out(kFileButton.cx * 2, kFileButton.cy * 2);
    const struct {
        win::Point at;
        const char* label;
    } buttons[2] = {{kLoad, "Load"}, {kSave, "Save"}};
    for (int row = 0; row < 2; ++row)
        for (int pressed = 0; pressed < 2; ++pressed) {
            Canvas f = background.Crop(win::Rect::FromSize(buttons[row].at.x, buttons[row].at.y, kFileButton.cx, kFileButton.cy));
            DrawPushButton(f, {0.5, 0.5, 53.0, 20.0}, buttons[row].label, 12, pressed == 1);
            out.Paste(f, pressed * kFileButton.cx, row * kFileButton.cy);
        }
    return out;
}

void CloseGlyph(Canvas& c, double cx, double cy, double half, double thickness, Rgb colour) {
    c.Shape({int(cx - half) - 2, int(cy - half) - 2, int(cx + half) + 3, int(cy + half) + 3},
            [=](double x, double y) {
                double u = x - cx, v = y - cy;
                double d1 = std::abs(u - v) / std::sqrt(2.0), d2 = std::abs(u + v) / std::sqrt(2.0);
                double extent = std::max(std::abs(u), std::abs(v)) - half;
                return std::max(std::min(d1, d2) - thickness / 2, extent);
            },
            [colour](double, double) { return colour; });
}

// 34 x 28: help "?" in rows 0-13, close "X" in rows 14-27; up in columns 0-16, pressed in 17-33.
Canvas HelpAndClose(Canvas& background) {
    Canvas out(kSmallButton.cx * 2, kSmallButton.cy * 2);
    const win::Point at[2] = {kHelp, kClose};
    for (int row = 0; row < 2; ++row)
        for (int pressed = 0; pressed < 2; ++pressed) {
            Canvas f = background.Crop(win::Rect::FromSize(at[row].x, at[row].y, kSmallButton.cx, kSmallButton.cy));
            Box box{0.5, 0.5, 16.0, 13.0};
            if (row == 0) {
                DrawPushButton(f, box, "?", 12, pressed == 1);
            } else {
                DrawPushButton(f, box, "", 12, pressed == 1);
                double o = pressed ? 1 : 0;
                CloseGlyph(f, 8.25 + o, 7.75 + o, 3.4, 1.7, theme::kShadow);
                CloseGlyph(f, 8.25 + o, 6.75 + o, 3.4, 1.7, pressed ? theme::kLabel : Rgb{234, 244, 238});
            }
            out.Paste(f, pressed * kSmallButton.cx, row * kSmallButton.cy);
        }
    return out;
}

// 285 x 15: the preset chooser's title strip with its close box at the right end.
Canvas ChooserTitle() {
    Canvas c(285, 15);
    c.VerticalGradient({0, 0, 285, 15}, Rgb{50, 88, 68}, Rgb{22, 42, 32});
    c.HorizontalLine(0, 285, 0, Rgb{120, 160, 138}, 0.8);
    c.HorizontalLine(0, 285, 14, theme::kBevelDark, 1.0);
    auto font = ArialFont(12, win::FW_BOLD);
    TextMask title = RenderText(font, "Choose Reverb Preset...");
    c.PrintedText(title, 6, 1, theme::kPrint, theme::kShadow);
    Box box{271, 1.5, 283.5, 13};
    c.RoundRect(box.left, box.top, box.right, box.bottom, 2, Rgb{6, 12, 9});
    c.RoundRect(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1, 1.5,
                [](double, double y) { return Mix(Rgb{104, 130, 117}, Rgb{52, 70, 61}, (y - 2.5) / 9); });
    CloseGlyph(c, 277.25, 7.25, 3.2, 1.7, Rgb{234, 244, 238});
    return c;
}

}  // namespace

void PaintTopRowParts(Canvas& background, std::vector<Picture>& out) {
    out.push_back({215, 8, CompareSwitch(background)});
    out.push_back({216, 8, FileButtons(background)});
    out.push_back({223, 8, HelpAndClose(background)});
    out.push_back({222, 8, ChooserTitle()});
}

}  // namespace art

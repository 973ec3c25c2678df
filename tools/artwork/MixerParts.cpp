// The stereo dry mixer's parts: the fader track (159), its knob (133, and 157 selected), the meter
// (131), the readout plate (197), the L and R switches (189, 191) and the clip lamp (219).
#include <algorithm>
#include <cmath>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/PartShapes.h"
#include "tools/artwork/Theme.h"

namespace art {
namespace {

using namespace layout;

win::Rect OnPanel(win::Point client, int w, int h) {
    return win::Rect::FromSize(kMixerOrigin.x + client.x, kMixerOrigin.y + client.y, w, h);
}

// 16 x 103: a narrow slit cut into the panel, centred under the knob's middle column.
Canvas FaderTrack(Canvas& background) {
    Canvas c = background.Crop(OnPanel(kFaderTrack, 16, 103));
    c.RoundRect(5.5, 0.5, 10.5, 102.5, 2, theme::kShadow, 0.5);
    c.RoundRect(6, 1, 10, 102, 1.6, Rgb{3, 6, 4});
    c.BevelRing(5, 0, 11, 103, 2.2, theme::kBevelDark, theme::kBevelLight, 0.8);
    return c;
}

// 13 x 23 (22 selected): a dark fader cap with ribs and a bright index line at its middle.
Canvas FaderKnob(bool selected) {
    const int h = selected ? 22 : 23;
    const int index = selected ? 10 : 11;
    Canvas c(13, h);
    for (int y = 0; y < h; ++y) {
        double t = y / double(h - 1);
        // A rounded top face: lighter above the index line, darker below.
        Rgb body = y <= index ? Mix(Rgb{120, 128, 124}, Rgb{66, 72, 69}, t * 1.6) : Mix(Rgb{58, 63, 60}, Rgb{28, 31, 29}, t);
        for (int x = 0; x < 13; ++x) {
            double across = 1.0 - 0.28 * std::pow(std::abs(x - 6.0) / 6.0, 2);
            c.Set(x, y, Scale(body, across));
        }
    }
    for (int y = 2; y < h - 2; y += 2) {
        if (std::abs(y - index) <= 2) continue;
        c.HorizontalLine(1, 12, y, Rgb{12, 14, 13}, 0.55);
        c.HorizontalLine(1, 12, y + 1, Rgb{190, 198, 194}, 0.18);
    }
    const Rgb line = selected ? theme::kHighlight : Rgb{244, 248, 246};
    c.HorizontalLine(1, 12, index - 1, selected ? theme::kHighlight : Rgb{20, 22, 21}, selected ? 0.35 : 0.6);
    c.HorizontalLine(0, 13, index, line);
    c.HorizontalLine(1, 12, index + 1, selected ? theme::kHighlight : Rgb{20, 22, 21}, selected ? 0.35 : 0.6);
    c.HorizontalLine(0, 13, 0, Rgb{176, 184, 180});
    c.VerticalLine(0, 0, h, Rgb{150, 158, 154}, 0.8);
    c.VerticalLine(12, 0, h, Rgb{8, 10, 9});
    c.HorizontalLine(0, 13, h - 1, Rgb{8, 10, 9});
    return c;
}

Rgb MeterColour(double t) {  // 0 top .. 1 bottom
    const Rgb orange{255, 110, 20}, yellow{250, 226, 40}, green{56, 222, 76};
    return t < 0.35 ? Mix(orange, yellow, t / 0.35) : Mix(yellow, green, (t - 0.35) / 0.65);
}

// 24 x 102: the unlit bar in columns 0-8 (its first two columns are the frame's left rim) and the
// lit bar in columns 15-22 (its last column repeats the frame's right rim, which it covers).
Canvas Meter(Canvas& background) {
    Canvas c(24, 102, Rgb{8, 14, 11});
    // The right rim as the background shows it beside the unlit bar.
    Canvas rim = background.Crop(OnPanel({kMeter.x + 9, kMeter.y}, 1, kMeterRows));
    const double shade[7] = {0.70, 0.90, 1.0, 1.0, 0.96, 0.86, 0.70};
    for (int y = 0; y < 102; ++y) {
        bool gap = y % 3 == 0;
        Rgb colour = MeterColour(y / 99.0);
        c.Set(0, y, Rgb{4, 8, 6});
        c.Set(1, y, Rgb{10, 16, 13});
        for (int x = 0; x < 7; ++x) {
            Rgb unlit = gap ? Rgb{6, 10, 8} : Mix(Rgb{14, 22, 18}, colour, 0.16);
            Rgb lit = gap ? Scale(colour, 0.30) : Scale(colour, shade[x]);
            if (!gap && x == 2) lit = Mix(lit, Rgb{255, 255, 235}, 0.25);
            c.Set(2 + x, y, unlit);
            c.Set(15 + x, y, lit);
        }
        c.Set(22, y, y < kMeterRows ? rim.Get(0, y) : Rgb{8, 14, 11});
    }
    return c;
}

// 35 x 14: a sunken dark glass plate for the three-digit level.
Canvas ReadoutPlate(Canvas& background) {
    Canvas c = background.Crop(OnPanel(kReadout, 35, 14));
    c.RoundRect(0, 0, 35, 14, 2.5, theme::kDisplay);
    c.RoundRect(1, 1, 34, 7, 1.5, [](double, double y) { return Mix(Rgb{70, 110, 100}, theme::kDisplay, (y - 1) / 6); },
                0.18);
    c.BevelRing(0, 0, 35, 14, 2.5, theme::kBevelDark, theme::kBevelLight, 0.9);
    return c;
}

// 17 x 32: the "on" frame in rows 0-15, the "off" frame in rows 16-31.
Canvas OutputSwitch(Canvas& background, win::Point at, const char* letter) {
    Canvas out(17, 32);
    for (int frame = 0; frame < 2; ++frame) {
        Canvas f = background.Crop(OnPanel(at, 17, 16));
        DrawBacklitKey(f, {0.5, 0.5, 16.5, 15.5}, letter, frame == 0);
        out.Paste(f, 0, frame * 16);
    }
    return out;
}

// 17 x 34: the lit red lamp in rows 0-16, the dark one in rows 17-33.
Canvas ClipLamp(Canvas& background) {
    Canvas out(17, 34);
    for (int frame = 0; frame < 2; ++frame) {
        Canvas f = background.Crop(OnPanel(kClip, 17, 17));
        DrawLamp(f, 8.5, 8.5, 5.8, Rgb{255, 226, 200}, Rgb{226, 30, 22}, Rgb{96, 26, 22}, Rgb{40, 8, 8}, frame == 0);
        out.Paste(f, 0, frame * 17);
    }
    return out;
}

}  // namespace

void PaintMixerParts(Canvas& background, std::vector<Picture>& out) {
    out.push_back({159, 8, FaderTrack(background)});
    out.push_back({133, 8, FaderKnob(false)});
    out.push_back({157, 8, FaderKnob(true)});
    out.push_back({131, 8, Meter(background)});
    out.push_back({197, 8, ReadoutPlate(background)});
    out.push_back({189, 8, OutputSwitch(background, kLeftSwitch, "L")});
    out.push_back({191, 8, OutputSwitch(background, kRightSwitch, "R")});
    out.push_back({219, 8, ClipLamp(background)});
}

}  // namespace art

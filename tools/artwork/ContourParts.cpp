// The contour control's parts: the band slider track (141), its handles (144, and 160 selected, a
// 16-colour picture), the level bar (196), the band column texture (199), the cutoff marker (145,
// and 161 selected) and the bypass button (220).
#include <algorithm>
#include <cmath>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Noise.h"
#include "tools/artwork/PartShapes.h"
#include "tools/artwork/Theme.h"

namespace art {
namespace {

using namespace layout;

win::Rect OnPanel(int x, int y, int w, int h) {
    return win::Rect::FromSize(kContourOrigin.x + x, kContourOrigin.y + y, w, h);
}

// 9 x 127: a dark slot with a bevelled rim; the level bar and the handle cover columns 0-7.
Canvas SliderTrack() {
    Canvas c(9, 127);
    for (int y = 0; y < 127; ++y)
        for (int x = 0; x < 9; ++x) {
            double across = std::abs(x - 4.0) / 4.0;
            c.Set(x, y, Mix(Rgb{22, 30, 26}, Rgb{10, 15, 12}, across));
        }
    c.VerticalLine(0, 0, 127, Rgb{4, 8, 6});
    c.VerticalLine(1, 1, 126, Rgb{6, 10, 8});
    c.VerticalLine(8, 0, 127, Rgb{98, 128, 112});
    c.VerticalLine(7, 1, 126, Rgb{34, 46, 40});
    c.HorizontalLine(0, 9, 0, Rgb{4, 8, 6});
    c.HorizontalLine(1, 8, 1, Rgb{6, 10, 8});
    c.HorizontalLine(0, 9, 126, Rgb{98, 128, 112});
    return c;
}

Rgb HeatColour(double t) {  // 0 top (hot) .. 1 bottom (cool)
    const Rgb orange{255, 104, 18}, yellow{255, 218, 36}, green{52, 206, 70};
    return t < 0.42 ? Mix(orange, yellow, t / 0.42) : Mix(yellow, green, (t - 0.42) / 0.58);
}

// 8 x 108: a glowing bar fixed to the track, orange at the top through yellow to green at the foot,
// shaded round and cut into fine segments.
Canvas LevelBar() {
    Canvas c(8, 108);
    const double shade[8] = {0.45, 0.72, 0.92, 1.0, 0.97, 0.86, 0.70, 0.52};
    for (int y = 0; y < 108; ++y) {
        Rgb colour = HeatColour(y / 107.0);
        double segment = (y % 3 == 2) ? 0.62 : 1.0;
        for (int x = 0; x < 8; ++x) {
            Rgb p = Scale(colour, shade[x] * segment);
            if (x == 3 && segment == 1.0) p = Mix(p, Rgb{255, 255, 240}, 0.28);
            c.Set(x, y, p);
        }
    }
    return c;
}

// 8 x 18: a light metal cap with grip lines and a stripe across its middle.
Canvas SliderHandle(bool selected) {
    Canvas c(8, 18);
    const Rgb top{226, 232, 229}, bottom{146, 156, 151};
    for (int y = 0; y < 18; ++y) c.Fill({0, y, 8, y + 1}, Mix(top, bottom, y / 17.0));
    const Rgb grip = selected ? Rgb{0, 255, 64} : Rgb{104, 114, 109};
    const Rgb stripe = selected ? Rgb{0, 255, 64} : Rgb{36, 168, 82};
    for (int y : {3, 5, 12, 14}) c.HorizontalLine(2, 6, y, grip);
    c.Fill({1, 8, 7, 10}, stripe);
    if (selected) {
        const Rgb red{128, 14, 14};
        c.HorizontalLine(0, 8, 0, red);
        c.HorizontalLine(0, 8, 17, red);
        c.VerticalLine(0, 0, 18, red);
        c.VerticalLine(7, 0, 18, red);
    } else {
        c.HorizontalLine(0, 8, 0, Rgb{246, 250, 248});
        c.VerticalLine(0, 0, 18, Rgb{236, 242, 239});
        c.HorizontalLine(0, 8, 17, Rgb{48, 56, 52});
        c.VerticalLine(7, 1, 18, Rgb{62, 70, 66});
    }
    return c;
}

// 78 x 64, of which the top-left 77 x 63 are stretched over each band column: green on the left
// to dark blue on the right, ordered-dithered between coarse steps, brighter along the top.
Canvas BandTexture() {
    Canvas c(78, 64);
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const Rgb green{46, 206, 96}, teal{22, 120, 128}, blue{18, 30, 124};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 78; ++x) {
            double t = std::min(1.0, x / 76.0);
            Rgb colour = t < 0.5 ? Mix(green, teal, t / 0.5) : Mix(teal, blue, (t - 0.5) / 0.5);
            double v = std::min(1.0, y / 62.0);
            colour = Scale(colour, 1.12 - 0.30 * v);
            if (y == 0) colour = Mix(colour, Rgb{220, 255, 230}, 0.45);
            // Ordered dither to steps of 12 per channel.
            double threshold = (bayer[y % 4][x % 4] + 0.5) / 16.0;
            auto quantise = [&](double ch) { return std::floor(ch / 12.0 + threshold) * 12.0; };
            c.Set(x, y, Rgb{quantise(colour.r), quantise(colour.g), quantise(colour.b)});
        }
    return c;
}

// 5 x 19: an upward pointer on a narrow grip; the first ten rows lie in the black graph.
Canvas CutoffMarker(bool selected) {
    Canvas c(5, 19, Rgb{0, 0, 0});
    const Rgb face{170, 180, 175}, light{232, 238, 235}, dark{62, 70, 66};
    const Rgb mark = selected ? Rgb{0, 255, 64} : Rgb{96, 106, 101};
    c.Set(2, 0, light);
    c.Fill({1, 1, 4, 2}, face);
    c.Set(1, 1, light);
    c.Fill({0, 2, 5, 19}, face);
    c.VerticalLine(0, 2, 19, light);
    c.VerticalLine(4, 2, 19, dark);
    c.HorizontalLine(0, 5, 18, dark);
    c.VerticalLine(2, 3, 9, selected ? Rgb{0, 255, 64} : Rgb{120, 130, 125});
    for (int y : {11, 13, 15}) c.HorizontalLine(1, 4, y, mark);
    return c;
}

// 17 x 32: a round green lamp button, lit in rows 0-15 and dark in rows 16-31.
Canvas BypassButton(Canvas& background) {
    Canvas out(17, 32);
    for (int frame = 0; frame < 2; ++frame) {
        Canvas f = background.Crop(OnPanel(kBypass.x, kBypass.y, 17, 16));
        DrawLamp(f, 8.0, 8.0, 5.6, Rgb{226, 255, 226}, Rgb{34, 200, 72}, Rgb{44, 104, 60}, Rgb{14, 44, 24}, frame == 0);
        out.Paste(f, 0, frame * 16);
    }
    return out;
}

}  // namespace

void PaintContourParts(Canvas& background, std::vector<Picture>& out) {
    out.push_back({141, 8, SliderTrack()});
    out.push_back({144, 8, SliderHandle(false)});
    out.push_back({160, 4, SliderHandle(true)});
    out.push_back({196, 8, LevelBar()});
    out.push_back({199, 8, BandTexture()});
    out.push_back({145, 8, CutoffMarker(false)});
    out.push_back({161, 8, CutoffMarker(true)});
    out.push_back({220, 8, BypassButton(background)});
}

}  // namespace art

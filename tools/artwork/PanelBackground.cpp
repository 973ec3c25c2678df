// Bitmap 185: the whole panel behind the controls. Besides the metal it carries everything the code
// does not draw: the top row's lettering and name field, the section grooves, the scales of the
// mixer and of the contour, the graph's frame and the words "contour" and "bypass".
#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "tools/artwork/Artwork.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Noise.h"
#include "tools/artwork/Theme.h"

namespace art {
namespace {

using namespace layout;

constexpr int kHeaderBottom = 29;  // the groove between the top row and the controls

win::Point Contour(int x, int y) { return {kContourOrigin.x + x, kContourOrigin.y + y}; }
win::Point Mixer(int x, int y) { return {kMixerOrigin.x + x, kMixerOrigin.y + y}; }

void BrushedMetal(Canvas& c) {
    for (int y = 0; y < c.Height(); ++y) {
        bool header = y < kHeaderBottom;
        Rgb base = header ? theme::kHeader : theme::kPanel;
        double row = 0.30 * HashSigned(0, y, 14);
        for (int x = 0; x < c.Width(); ++x) {
            double streak = 0.50 * RowNoise(x, y, 73, 11) + 0.30 * RowNoise(x, y, 19, 12) + 0.22 * HashSigned(x, y, 13);
            double mottle = ValueNoise(x, y, 95, 15);
            double grain = 1 + 0.085 * (streak + row) + 0.05 * mottle;
            // Light falls from above and a little from the left.
            double light = header ? 1.0 + 0.05 * (1 - y / 28.0)
                                  : 1.10 - 0.16 * (y - kHeaderBottom) / double(c.Height() - kHeaderBottom) - 0.05 * x / c.Width();
            c.Set(x, y, Scale(base, grain * light));
        }
    }
}

constexpr double kPlateRadius = 12;
const double kMixerPlate[4] = {3, 33, 196, 274};
const double kContourPlate[4] = {202, 33, 578, 274};

// The two plates stand a little proud of the body: lighter, with the gaps between them in shade.
void Plates(Canvas& c) {
    for (int y = kHeaderBottom + 2; y < c.Height() - 1; ++y)
        for (int x = 1; x < kPanelWidth - 1; ++x) {
            double d = kPlateRadius;
            for (const double* p : {kMixerPlate, kContourPlate})
                d = std::min(d, RoundRectDistance(x + 0.5, y + 0.5, p[0], p[1], p[2], p[3], kPlateRadius));
            // Inside: up to 5 % lighter, fading in over the first pixels; outside: 12 % darker.
            double k = d < 0 ? 1.0 + 0.05 * std::min(1.0, -d / 4.0) : 0.88;
            c.Set(x, y, Scale(c.Get(x, y), k));
        }
}

void Edges(Canvas& c) {
    const int w = kPanelWidth, h = c.Height();
    c.HorizontalLine(0, w, 0, theme::kBevelLight, 0.55);
    c.VerticalLine(0, 0, h, theme::kBevelLight, 0.45);
    c.VerticalLine(w - 1, 0, h, theme::kBevelDark, 0.8);
    c.HorizontalLine(0, w, h - 1, theme::kBevelDark, 0.8);
    c.HorizontalLine(1, w - 1, kHeaderBottom - 1, theme::kBevelDark, 0.55);
    c.HorizontalLine(1, w - 1, kHeaderBottom, theme::kBevelDark, 0.95);
    c.HorizontalLine(1, w - 1, kHeaderBottom + 1, theme::kBevelLight, 0.45);
}

// A pan-head screw with a slot at `angle` radians.
void Screw(Canvas& c, double cx, double cy, double angle) {
    c.Circle(cx + 0.5, cy + 0.7, 3.9, [](double, double) { return theme::kShadow; }, 0.55);
    c.Circle(cx, cy, 3.5, [=](double x, double y) {
        double k = std::clamp(0.55 - ((x - cx) + (y - cy)) / 7.5, 0.0, 1.0);
        return Mix(Rgb{58, 68, 63}, Rgb{172, 184, 178}, k);
    });
    double dx = std::cos(angle), dy = std::sin(angle);
    c.Shape({int(cx) - 5, int(cy) - 5, int(cx) + 6, int(cy) + 6},
            [=](double x, double y) {
                double along = (x - cx) * dx + (y - cy) * dy, across = -(x - cx) * dy + (y - cy) * dx;
                return std::max(std::abs(along) - 2.7, std::abs(across) - 0.6);
            },
            [](double, double) { return Rgb{28, 34, 31}; });
}

// A sunken well: dark rim above and left, light rim below and right.
void Well(Canvas& c, double l, double t, double r, double b, double radius, Rgb inside, double insideAlpha) {
    c.RoundRect(l, t, r, b, radius, inside, insideAlpha);
    c.BevelRing(l, t, r, b, radius, theme::kBevelDark, theme::kBevelLight, 0.85);
}

// An engraved outline: a dark line with a light line one pixel below and right.
void Engrave(Canvas& c, double l, double t, double r, double b, double radius) {
    auto ring = [&](double o, Rgb col, double a) {
        c.Shape({int(l) - 2, int(t) - 2, int(r) + 3, int(b) + 3},
                [=](double x, double y) {
                    double d = RoundRectDistance(x - o, y - o, l, t, r, b, radius);
                    return std::abs(d + 0.5) - 0.5;
                },
                [col](double, double) { return col; }, a);
    };
    ring(1, theme::kBevelLight, 0.22);
    ring(0, theme::kBevelDark, 0.55);
}

// A title's engraved rule, from x0 to x1 on row y.
void Rule(Canvas& c, int x0, int x1, int y) {
    c.HorizontalLine(x0, x1, y, theme::kBevelDark, 0.55);
    c.HorizontalLine(x0, x1, y + 1, theme::kBevelLight, 0.25);
}

void Print(Canvas& c, const std::shared_ptr<win::Font>& font, const std::string& text, int x, int y, Rgb colour,
           int align = 0) {
    TextMask mask = RenderText(font, text);
    int width = font->GetTextExtent(text).cx;
    if (align == 1) x -= width / 2;
    if (align == 2) x -= width;
    c.PrintedText(mask, x, y, colour, theme::kShadow);
}

void TopRow(Canvas& c) {
    auto title = ArialFont(13, win::FW_BOLD);
    Print(c, title, "Program", 70, kNameRect.top, theme::kPrint, 2);
    // The name field: a dark glass pane the name text is written on.
    Well(c, 75, 9, 280, 29, 2.5, theme::kDisplay, 1.0);
    c.Shape({77, 11, 278, 19}, [](double x, double y) { return RoundRectDistance(x, y, 77, 11, 278, 27, 1.5); },
            [](double, double y) { return Mix(Rgb{60, 100, 90}, theme::kDisplay, (y - 11) / 8.0); }, 0.22);
    // Mounting recesses and drop shadows of the top-row buttons.
    Well(c, kCompare.x - 2, kCompare.y - 2, kCompare.x + kCompareFrame.cx + 2, kCompare.y + kCompareFrame.cy + 2, 2.5,
         theme::kShadow, 0.6);
    for (win::Point p : {kLoad, kSave})
        c.RoundRect(p.x + 1, p.y + 2, p.x + kFileButton.cx + 1, p.y + kFileButton.cy + 1.5, 3, theme::kShadow, 0.45);
    for (win::Point p : {kHelp, kClose})
        c.RoundRect(p.x + 1, p.y + 2, p.x + kSmallButton.cx + 1, p.y + kSmallButton.cy + 1.5, 3, theme::kShadow, 0.45);
}

// The scale beside the meter: the effect level at the height the lit bar reaches for it.
void MixerScales(Canvas& c) {
    auto small = ArialFont(10);
    for (int level : {127, 96, 64, 32, 0}) {
        int h = (level * 100 + 65) / 130;
        win::Point p = Mixer(kMeter.x, kMeterBottom - h);
        c.HorizontalLine(p.x - 4, p.x - 1, p.y, theme::kLabel, 0.7);
        Print(c, small, std::to_string(level), p.x - 6, p.y - 6, theme::kLabel, 2);
    }
    // Tick marks right of the fader at the knob's centre for the same levels.
    for (int i = 0; i <= 10; ++i) {
        int level = i * 127 / 10;
        int t = level * kKnobTravel / 127;
        win::Point p = Mixer(106, kKnobLowestTop - t + 11);
        bool major = i % 5 == 0;
        c.HorizontalLine(p.x, p.x + (major ? 6 : 3), p.y, theme::kLabel, major ? 0.8 : 0.5);
    }
}

// The meter's frame: the bitmap brings the left rim, the background the other three sides.
void MeterFrame(Canvas& c) {
    win::Point p = Mixer(kMeter.x, kMeter.y);
    c.HorizontalLine(p.x, p.x + 10, p.y - 1, theme::kBevelDark, 0.9);
    c.HorizontalLine(p.x, p.x + 10, p.y + kMeterRows, theme::kBevelLight, 0.6);
    for (int y = p.y; y < p.y + kMeterRows; ++y) c.Set(p.x + 9, y, Rgb{64, 92, 78});
}

// Cooling slots, as on the hardware the panel imitates; they fill the mixer's free column.
void Vents(Canvas& c, int left, int right, int top, int count, int pitch) {
    for (int i = 0; i < count; ++i) {
        double y = top + i * pitch;
        c.RoundRect(left, y, right, y + 6, 3, Rgb{3, 6, 4}, 0.92);
        c.RoundRect(left + 1, y + 1, right - 1, y + 3, 1.5, Rgb{0, 0, 0}, 0.5);
        c.BevelRing(left, y, right, y + 6, 3, theme::kBevelDark, theme::kBevelLight, 0.8);
    }
}

void MixerPanel(Canvas& c) {
    Engrave(c, kMixerPlate[0], kMixerPlate[1], kMixerPlate[2], kMixerPlate[3], kPlateRadius);
    MeterFrame(c);
    MixerScales(c);
    auto title = ArialFont(12, win::FW_BOLD);
    Print(c, title, "stereo dry mixer", 18, 43, theme::kPrint, 0);
    Rule(c, 18 + title->GetTextExtent("stereo dry mixer").cx + 6, 184, 52);
    Vents(c, 134, 178, 150, 8, 12);
}

void ContourScales(Canvas& c) {
    auto small = ArialFont(10);
    const char* db[7] = {"18", "12", "6", "0", "\xE2\x88\x92" "6", "\xE2\x88\x92" "12", "\xE2\x88\x92" "18"};
    for (int i = 0; i < 7; ++i) {
        // Centre of the band handle at this level.
        int y = kTrackTop + 9 + (i * kTrackHeight + 3) / 6;
        win::Point left = Contour(21, y), right = Contour(88, y);
        Print(c, small, db[i], left.x, left.y - 6, theme::kLabel, 2);
        Print(c, small, db[i], right.x, right.y - 6, theme::kLabel, 0);
        bool zero = i == 3;
        for (int gap = 0; gap < 2; ++gap) {
            int x0 = kBandX[gap] + 11, x1 = kBandX[gap + 1] - 2;
            win::Point a = Contour(x0, y);
            c.HorizontalLine(a.x, a.x + (x1 - x0), a.y, theme::kLabel, zero ? 0.75 : 0.35);
        }
        win::Point tick = Contour(106, y);
        c.HorizontalLine(tick.x, tick.x + 2, tick.y, theme::kLabel, 0.6);
    }
    Print(c, small, "dB", Contour(21, 68).x, Contour(0, 70).y, theme::kLabel, 2);
    Print(c, small, "dB", Contour(88, 68).x, Contour(0, 70).y, theme::kLabel, 0);

    const char* hz[11] = {"16", "32", "64", "128", "250", "500", "1k", "2k", "4k", "8k", "16k"};
    for (int i = 0; i < 11; ++i) {
        int x = kGraph.left + (i * kGraph.Width() * 2 + 10) / 20;
        if (i == 10) x = kGraph.right - 1;
        win::Point p = Contour(x, kGraph.bottom + 1);
        c.VerticalLine(p.x, p.y, p.y + 3, theme::kLabel, 0.7);
        Print(c, small, hz[i], p.x, p.y + 10, theme::kLabel, 1);
    }
}

void Graph(Canvas& c) {
    win::Point tl = Contour(kGraph.left, kGraph.top), br = Contour(kGraph.right, kGraph.bottom);
    // A shallow bezel around the display, then its thin grey frame.
    Well(c, tl.x - 4, tl.y - 4, br.x + 4, br.y + 4, 3, theme::kShadow, 0.35);
    for (int x = tl.x - 1; x <= br.x; ++x) {
        c.Set(x, tl.y - 1, Rgb{120, 132, 126});
        c.Set(x, br.y, Rgb{150, 162, 156});
    }
    for (int y = tl.y - 1; y <= br.y; ++y) {
        c.Set(tl.x - 1, y, Rgb{120, 132, 126});
        c.Set(br.x, y, Rgb{150, 162, 156});
    }
    c.Fill({tl.x, tl.y, br.x, br.y}, Rgb{0, 0, 0});
}

// The maker's line across the top of the contour section.
void Brand(Canvas& c) {
    auto brand = ArialFont(26, win::FW_BOLD);
    win::Point at = Contour(14, 8);
    TextMask mask = RenderText(brand, "KVX4");
    c.Text(mask, at.x + 1, at.y + 1, theme::kShadow, 0.8);
    c.Text(mask, at.x - 1, at.y - 1, theme::kBevelLight, 0.35);
    c.Text(mask, at.x, at.y, [&](double, double y) { return Mix(Rgb{196, 226, 210}, Rgb{118, 160, 138}, (y - at.y - 5) / 18); });
    auto sub = ArialFont(12);
    int x = at.x + brand->GetTextExtent("KVX4").cx + 10;
    Print(c, sub, "three-band contour equaliser", x, at.y + 11, theme::kLabel, 0);
}

void ContourPanel(Canvas& c) {
    Engrave(c, kContourPlate[0], kContourPlate[1], kContourPlate[2], kContourPlate[3], kPlateRadius);
    Brand(c);
    Graph(c);
    ContourScales(c);
    auto title = ArialFont(14, win::FW_BOLD);
    win::Point at = Contour(kGraph.left, 64);
    Print(c, title, "contour", at.x, at.y, theme::kPrint, 0);
    Rule(c, at.x + title->GetTextExtent("contour").cx + 6, Contour(kGraph.right, 0).x, at.y + 9);
    auto small = ArialFont(10, win::FW_BOLD);
    Print(c, small, "bypass", Contour(kBypass.x + 8, 0).x, Contour(0, 6).y, theme::kPrint, 1);
    // The bypass button's mounting ring.
    win::Point bp = Contour(kBypass.x, kBypass.y);
    c.Circle(bp.x + 8.5, bp.y + 8.8, 8.6, [](double, double) { return theme::kShadow; }, 0.45);
}

}  // namespace

Canvas PaintPanelBackground() {
    Canvas c(kBackgroundWidth, kBackgroundHeight);
    BrushedMetal(c);
    Plates(c);
    Edges(c);
    TopRow(c);
    MixerPanel(c);
    ContourPanel(c);
    // One screw in each outer corner of the two plates.
    for (auto [x, y, angle] : {std::tuple{10.0, 40.0, 1.1}, std::tuple{10.0, 267.0, 0.6}, std::tuple{571.0, 40.0, 2.8},
                               std::tuple{571.0, 267.0, 2.2}})
        Screw(c, x, y, angle);
    return c;
}

}  // namespace art

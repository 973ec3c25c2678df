#include "tools/artwork/PartShapes.h"

#include <cmath>

#include "tools/artwork/Theme.h"

namespace art {
namespace {

void CentredText(Canvas& c, Box box, const std::string& text, const std::shared_ptr<win::Font>& font, Rgb colour,
                 Rgb shadow, double shadowAlpha, int dx = 0, int dy = 0) {
    TextMask mask = RenderText(font, text);
    win::Size extent = font->GetTextExtent(text);
    int x = int(std::lround((box.left + box.right - extent.cx) / 2)) + dx;
    int y = int(std::lround((box.top + box.bottom - extent.cy) / 2)) + dy;
    if (shadowAlpha > 0) c.Text(mask, x, y + 1, shadow, shadowAlpha);
    c.Text(mask, x, y, colour);
}

}  // namespace

void DrawBacklitKey(Canvas& c, Box b, const std::string& letter, bool lit) {
    c.RoundRect(b.left, b.top, b.right, b.bottom, 2.5, Rgb{5, 10, 8});
    Box f{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
    double cx = (f.left + f.right) / 2, cy = (f.top + f.bottom) / 2;
    double w = f.right - f.left, h = f.bottom - f.top;
    c.RoundRect(f.left, f.top, f.right, f.bottom, 1.8, [=](double x, double y) {
        double ty = (y - f.top) / h;
        if (!lit) return Mix(Rgb{66, 82, 74}, Rgb{30, 40, 35}, ty);
        double glow = std::exp(-(std::pow((x - cx) / w, 2) + std::pow((y - cy) / h, 2)) * 3.0);
        return Add(Mix(Rgb{104, 232, 140}, Rgb{26, 142, 66}, ty), 46 * glow);
    });
    c.HorizontalLine(int(f.left) + 1, int(f.right) - 1, int(f.top), lit ? Rgb{214, 255, 224} : Rgb{128, 148, 138},
                     lit ? 0.6 : 0.35);
    auto font = ArialFont(11, win::FW_BOLD);
    if (lit)
        CentredText(c, f, letter, font, Rgb{10, 52, 24}, Rgb{190, 255, 205}, 0.45);
    else
        CentredText(c, f, letter, font, Rgb{142, 166, 154}, theme::kShadow, 0.8);
}

void DrawPushButton(Canvas& c, Box b, const std::string& label, int fontHeight, bool pressed) {
    c.RoundRect(b.left, b.top, b.right, b.bottom, 3, Rgb{6, 12, 9});
    Box f{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
    double h = f.bottom - f.top;
    c.RoundRect(f.left, f.top, f.right, f.bottom, 2, [=](double, double y) {
        double ty = (y - f.top) / h;
        return pressed ? Mix(Rgb{30, 44, 37}, Rgb{54, 70, 62}, ty) : Mix(Rgb{106, 132, 119}, Rgb{50, 68, 59}, ty);
    });
    if (pressed) {
        c.HorizontalLine(int(f.left) + 1, int(f.right) - 1, int(f.top), Rgb{4, 8, 6}, 0.7);
        c.VerticalLine(int(f.left), int(f.top) + 1, int(f.bottom) - 1, Rgb{4, 8, 6}, 0.45);
    } else {
        c.HorizontalLine(int(f.left) + 1, int(f.right) - 1, int(f.top), Rgb{190, 216, 202}, 0.6);
        c.HorizontalLine(int(f.left) + 1, int(f.right) - 1, int(f.bottom) - 1, Rgb{20, 30, 25}, 0.5);
    }
    auto font = ArialFont(fontHeight, win::FW_BOLD);
    if (pressed)
        CentredText(c, f, label, font, theme::kLabel, theme::kShadow, 0.6, 1, 1);
    else
        CentredText(c, f, label, font, Rgb{234, 244, 238}, theme::kShadow, 0.85);
}

void DrawLamp(Canvas& c, double cx, double cy, double r, Rgb litCore, Rgb litRim, Rgb darkCore, Rgb darkRim,
              bool lit) {
    c.Circle(cx, cy, r + 1.7, [=](double x, double y) {
        double k = std::clamp(0.5 - ((x - cx) + (y - cy)) / (2.6 * r), 0.0, 1.0);
        return Mix(Rgb{34, 40, 37}, Rgb{176, 188, 182}, k);
    });
    c.Circle(cx, cy, r + 0.5, [](double, double) { return Rgb{4, 7, 5}; });
    c.Circle(cx, cy, r, [=](double x, double y) {
        double d = std::min(1.0, std::hypot(x - cx, y - cy + r * 0.15) / r);
        return lit ? Mix(litCore, litRim, std::pow(d, 1.4)) : Mix(darkCore, darkRim, d);
    });
    c.Circle(cx - r * 0.32, cy - r * 0.38, r * 0.38, [](double, double) { return Rgb{255, 255, 255}; },
             lit ? 0.55 : 0.2);
}

}  // namespace art

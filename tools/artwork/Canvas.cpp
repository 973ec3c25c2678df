#include "tools/artwork/Canvas.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

int Channel(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); }

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Scale(Rgb c, double f) { return {c.r * f, c.g * f, c.b * f}; }
Rgb Add(Rgb c, double v) { return {c.r + v, c.g + v, c.b + v}; }
win::COLORREF Ref(Rgb c) { return win::RGB(Channel(c.r), Channel(c.g), Channel(c.b)); }
std::uint32_t Pack(Rgb c) {
    return (std::uint32_t(Channel(c.r)) << 16) | (std::uint32_t(Channel(c.g)) << 8) | std::uint32_t(Channel(c.b));
}
Rgb Unpack(std::uint32_t p) { return {double((p >> 16) & 0xFF), double((p >> 8) & 0xFF), double(p & 0xFF)}; }

double RoundRectDistance(double x, double y, double left, double top, double right, double bottom, double radius) {
    double cx = (left + right) / 2, cy = (top + bottom) / 2;
    double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

std::shared_ptr<win::Font> ArialFont(int cellHeight, int weight) {
    return win::CreateFontA(cellHeight, 0, 0, 0, weight, 0, 0, 0, win::ANSI_CHARSET, 0, 0, win::ANTIALIASED_QUALITY, 0,
                            "Arial");
}

TextMask RenderText(const std::shared_ptr<win::Font>& font, std::string_view text) {
    // Room for glyphs that overhang their advance (the last letter's side bearing).
    TextMask mask;
    mask.width = font->GetTextExtent(text).cx + 2;
    mask.height = font->TextMetrics().tmHeight;
    auto bitmap = std::make_shared<win::Bitmap>(mask.width, mask.height, 0);
    win::DC dc(bitmap.get());
    dc.SelectFont(font);
    dc.SetBkMode(win::TRANSPARENT);
    dc.SetTextColor(win::RGB(255, 255, 255));
    dc.TextOutA(0, 0, text);
    mask.coverage.resize(std::size_t(mask.width) * mask.height);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            mask.coverage[std::size_t(y) * mask.width + x] = float(((bitmap->GetPixel(x, y) >> 8) & 0xFF) / 255.0);
    return mask;
}

Canvas::Canvas(int width, int height, Rgb fill)
    : Canvas(std::make_shared<win::Bitmap>(width, height, Pack(fill))) {}

Canvas::Canvas(std::shared_ptr<win::Bitmap> bitmap) : bitmap_(std::move(bitmap)), dc_(std::make_unique<win::DC>()) {
    dc_->SelectBitmap(bitmap_);
}

Rgb Canvas::Get(int x, int y) const { return Unpack(bitmap_->GetPixel(x, y)); }

void Canvas::Set(int x, int y, Rgb c) { dc_->SetPixel(x, y, Ref(c)); }

void Canvas::Blend(int x, int y, Rgb c, double alpha) {
    if (alpha <= 0 || !bitmap_->Inside(x, y)) return;
    Set(x, y, alpha >= 1 ? c : Mix(Get(x, y), c, alpha));
}

void Canvas::Fill(const win::Rect& r, Rgb c) { dc_->FillSolidRect(r, Ref(c)); }

void Canvas::VerticalGradient(const win::Rect& r, Rgb top, Rgb bottom) {
    for (int y = r.top; y < r.bottom; ++y) {
        double t = r.Height() > 1 ? double(y - r.top) / (r.Height() - 1) : 0.0;
        Fill({r.left, y, r.right, y + 1}, Mix(top, bottom, t));
    }
}

void Canvas::HorizontalLine(int x0, int x1, int y, Rgb c, double alpha) {
    for (int x = x0; x < x1; ++x) Blend(x, y, c, alpha);
}

void Canvas::VerticalLine(int x, int y0, int y1, Rgb c, double alpha) {
    for (int y = y0; y < y1; ++y) Blend(x, y, c, alpha);
}

void Canvas::Shape(const win::Rect& bounds, const Distance& distance, const Shader& shader, double alpha) {
    win::Rect r = bounds.Intersect(bitmap_->Bounds());
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            double cx = x + 0.5, cy = y + 0.5;
            double d = distance(cx, cy);
            double cover;
            if (d <= -1.0) cover = 1.0;
            else if (d >= 1.0) cover = 0.0;
            else {
                int inside = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx)
                        if (distance(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) < 0) ++inside;
                cover = inside / 16.0;
            }
            if (cover > 0) Blend(x, y, shader(cx, cy), cover * alpha);
        }
    }
}

void Canvas::RoundRect(double l, double t, double r, double b, double radius, const Shader& shader, double alpha) {
    win::Rect bounds{int(std::floor(l)) - 1, int(std::floor(t)) - 1, int(std::ceil(r)) + 1, int(std::ceil(b)) + 1};
    Shape(bounds, [=](double x, double y) { return RoundRectDistance(x, y, l, t, r, b, radius); }, shader, alpha);
}

void Canvas::RoundRect(double l, double t, double r, double b, double radius, Rgb c, double alpha) {
    RoundRect(l, t, r, b, radius, [c](double, double) { return c; }, alpha);
}

void Canvas::Circle(double cx, double cy, double radius, const Shader& shader, double alpha) {
    win::Rect bounds{int(std::floor(cx - radius)) - 1, int(std::floor(cy - radius)) - 1, int(std::ceil(cx + radius)) + 1,
                     int(std::ceil(cy + radius)) + 1};
    Shape(bounds, [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; }, shader, alpha);
}

void Canvas::BevelRing(double l, double t, double r, double b, double radius, Rgb light, Rgb dark, double alpha) {
    win::Rect bounds{int(std::floor(l)) - 1, int(std::floor(t)) - 1, int(std::ceil(r)) + 1, int(std::ceil(b)) + 1};
    double cx = (l + r) / 2, cy = (t + b) / 2;
    Shape(
        bounds,
        [=](double x, double y) {
            double d = RoundRectDistance(x, y, l, t, r, b, radius);
            return std::max(d, -1.0 - d);
        },
        [=](double x, double y) {
            // Light falls from the top left: blend by the direction from the centre.
            double k = std::clamp(0.5 - ((x - cx) / (r - l) + (y - cy) / (b - t)) * 1.4, 0.0, 1.0);
            return Mix(dark, light, k);
        },
        alpha);
}

void Canvas::Text(const TextMask& mask, int x, int y, Rgb c, double alpha) {
    Text(mask, x, y, [c](double, double) { return c; }, alpha);
}

void Canvas::Text(const TextMask& mask, int x, int y, const Shader& shader, double alpha) {
    for (int my = 0; my < mask.height; ++my)
        for (int mx = 0; mx < mask.width; ++mx) {
            float a = mask.At(mx, my);
            if (a > 0) Blend(x + mx, y + my, shader(x + mx + 0.5, y + my + 0.5), a * alpha);
        }
}

void Canvas::PrintedText(const TextMask& mask, int x, int y, Rgb c, Rgb shadow) {
    Text(mask, x + 1, y + 1, shadow, 0.75);
    Text(mask, x, y, c);
}

Canvas Canvas::Crop(const win::Rect& r) {
    Canvas out(r.Width(), r.Height());
    out.Dc().BitBlt(0, 0, r.Width(), r.Height(), dc_.get(), r.left, r.top, win::SRCCOPY);
    return out;
}

void Canvas::Paste(Canvas& source, int x, int y) {
    dc_->BitBlt(x, y, source.Width(), source.Height(), &source.Dc(), 0, 0, win::SRCCOPY);
}

}  // namespace art

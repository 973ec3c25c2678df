#pragma once
// A picture being drawn by the artwork generator: a display-format bitmap with a DC selected into
// it, plus the soft-edged shapes, gradients and shaded text that GDI has no call for, built from
// per-pixel blending. Every picture of the editor is painted on one of these.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gdi/DC.h"

namespace art {

// A colour with channels 0..255 as doubles, so shading can overshoot and be clamped once.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double factor);
Rgb Add(Rgb c, double amount);
win::COLORREF Ref(Rgb c);
std::uint32_t Pack(Rgb c);
Rgb Unpack(std::uint32_t display);

// Per-pixel shader for shapes: colour at pixel centre (x, y) in canvas coordinates.
using Shader = std::function<Rgb(double x, double y)>;
// Signed distance to a shape's edge; negative inside.
using Distance = std::function<double(double x, double y)>;

double RoundRectDistance(double x, double y, double left, double top, double right, double bottom, double radius);

// Anti-aliased coverage mask of a text line, drawn white on black through the DC.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<float> coverage;
    float At(int x, int y) const {
        return (x < 0 || y < 0 || x >= width || y >= height) ? 0.f : coverage[std::size_t(y) * width + x];
    }
};

std::shared_ptr<win::Font> ArialFont(int cellHeight, int weight = win::FW_NORMAL);
TextMask RenderText(const std::shared_ptr<win::Font>& font, std::string_view text);

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});
    explicit Canvas(std::shared_ptr<win::Bitmap> bitmap);

    int Width() const { return bitmap_->Width(); }
    int Height() const { return bitmap_->Height(); }
    win::Bitmap& Pixels() { return *bitmap_; }
    const win::Bitmap& Pixels() const { return *bitmap_; }
    std::shared_ptr<win::Bitmap> Shared() const { return bitmap_; }
    win::DC& Dc() { return *dc_; }

    Rgb Get(int x, int y) const;
    void Set(int x, int y, Rgb c);
    void Blend(int x, int y, Rgb c, double alpha);

    void Fill(const win::Rect& r, Rgb c);
    void VerticalGradient(const win::Rect& r, Rgb top, Rgb bottom);
    void HorizontalLine(int x0, int x1, int y, Rgb c, double alpha = 1.0);
    void VerticalLine(int x, int y0, int y1, Rgb c, double alpha = 1.0);

    // Covers the pixels of `bounds` where `distance` is negative, 4x4 supersampled at the edges.
    void Shape(const win::Rect& bounds, const Distance& distance, const Shader& shader, double alpha = 1.0);
    void RoundRect(double left, double top, double right, double bottom, double radius, const Shader& shader,
                   double alpha = 1.0);
    void RoundRect(double left, double top, double right, double bottom, double radius, Rgb c, double alpha = 1.0);
    void Circle(double cx, double cy, double radius, const Shader& shader, double alpha = 1.0);
    // A bevelled edge: light on the top/left half of the outline, dark on the bottom/right.
    void BevelRing(double left, double top, double right, double bottom, double radius, Rgb light, Rgb dark,
                   double alpha = 1.0);

    // Text with its cell's top-left at (x, y), in one colour or shaded per pixel.
    void Text(const TextMask& mask, int x, int y, Rgb c, double alpha = 1.0);
    void Text(const TextMask& mask, int x, int y, const Shader& shader, double alpha = 1.0);
    // Silk-screened lettering: the glyphs over a soft dark shadow one pixel below and right.
    void PrintedText(const TextMask& mask, int x, int y, Rgb c, Rgb shadow);

    Canvas Crop(const win::Rect& r);
    void Paste(Canvas& source, int x, int y);

private:
    std::shared_ptr<win::Bitmap> bitmap_;
    std::unique_ptr<win::DC> dc_;  // on the heap so that a canvas can be moved
};

}  // namespace art

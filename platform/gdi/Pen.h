#pragma once
// A pen as selected into a DC: style, width in pixels and colour. A value type; the DC keeps a copy.
#include "platform/gdi/GdiTypes.h"

namespace win {

struct Pen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = RGB(0, 0, 0);

    Pen() = default;
    Pen(int style_, int width_, COLORREF color_) : style(style_), width(width_ < 1 ? 1 : width_), color(color_) {}
    static Pen Solid(COLORREF c, int width = 1) { return {PS_SOLID, width, c}; }
    static Pen Null() { return {PS_NULL, 1, 0}; }
    bool IsNull() const { return style == PS_NULL; }
    friend bool operator==(const Pen&, const Pen&) = default;
};

inline Pen CreatePen(int style, int width, COLORREF color) { return {style, width, color}; }

}  // namespace win

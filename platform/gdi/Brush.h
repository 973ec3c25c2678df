#pragma once
// A brush as selected into a DC: a solid colour or the null (hollow) brush. A value type.
#include "platform/gdi/GdiTypes.h"

namespace win {

struct Brush {
    bool null = false;
    COLORREF color = RGB(255, 255, 255);

    static Brush Solid(COLORREF c) { return {false, c}; }
    static Brush Null() { return {true, 0}; }
    bool IsNull() const { return null; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

inline Brush CreateSolidBrush(COLORREF color) { return Brush::Solid(color); }

}  // namespace win

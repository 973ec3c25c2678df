#pragma once
// GetStockObject for pens and brushes (fonts: GetStockFont in Font.h).
#include "platform/gdi/Brush.h"
#include "platform/gdi/Pen.h"

namespace win {

inline Brush GetStockBrush(int index) {
    switch (index) {
        case WHITE_BRUSH: return Brush::Solid(RGB(255, 255, 255));
        case LTGRAY_BRUSH: return Brush::Solid(RGB(192, 192, 192));
        case GRAY_BRUSH: return Brush::Solid(RGB(128, 128, 128));
        case DKGRAY_BRUSH: return Brush::Solid(RGB(64, 64, 64));
        case BLACK_BRUSH: return Brush::Solid(RGB(0, 0, 0));
        default: return Brush::Null();
    }
}

inline Pen GetStockPen(int index) {
    switch (index) {
        case WHITE_PEN: return Pen::Solid(RGB(255, 255, 255));
        case BLACK_PEN: return Pen::Solid(RGB(0, 0, 0));
        default: return Pen::Null();
    }
}

}  // namespace win

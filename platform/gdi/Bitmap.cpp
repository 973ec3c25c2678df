#include "platform/gdi/Bitmap.h"

#include <algorithm>

namespace win {

Bitmap::Bitmap(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill & 0x00FFFFFF) {
}

void Bitmap::Fill(std::uint32_t pixel) {
    std::fill(pixels_.begin(), pixels_.end(), pixel & 0x00FFFFFF);
}

}  // namespace win

#include "platform/gdi/Bitmap.h"

#include <algorithm>
#include <cstring>

namespace win {

Bitmap::Bitmap(int width, int height, std::uint32_t fill) : Bitmap(width, height, NoFill{}) { Fill(fill); }

Bitmap::Bitmap(int width, int height, NoFill) : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    pixels_.resize(static_cast<std::size_t>(width_) * height_);
}

void Bitmap::Fill(std::uint32_t pixel) {
    pixel &= 0x00FFFFFF;
    if (pixel == 0) {
        if (!pixels_.empty()) std::memset(pixels_.data(), 0, pixels_.size() * sizeof(std::uint32_t));
        return;
    }
    std::fill(pixels_.begin(), pixels_.end(), pixel);
}

}  // namespace win

#pragma once
// Palette building for the palettised resources: a palette of at most N colours for a picture and
// the nearest-entry lookup used by the encoder.
#include <cstdint>
#include <vector>

#include "platform/gdi/Bitmap.h"

namespace win {

// The picture's own colours when it has no more than maxColors of them (sorted, so the result is
// deterministic); otherwise a median-cut palette weighted by pixel counts. maxColors is 1..256.
std::vector<std::uint32_t> BuildPalette(const Bitmap& picture, int maxColors);
// Several pictures sharing one palette.
std::vector<std::uint32_t> BuildPalette(const std::vector<const Bitmap*>& pictures, int maxColors);

// Index of the entry nearest to `pixel` by squared RGB distance; the first of equals wins.
int NearestPaletteIndex(const std::vector<std::uint32_t>& palette, std::uint32_t pixel);

}  // namespace win

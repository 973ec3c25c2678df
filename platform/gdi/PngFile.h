#pragma once
// PNG files through libpng, for screenshots of drawn output and for art kept as PNG. Alpha is
// dropped on reading (display format has none).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Bitmap.h"

namespace win {

bool WritePng(const Bitmap& bitmap, const std::string& path);
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap);
// nullptr for a missing, corrupt or oversized (over kMaxPngPixels) file.
std::shared_ptr<Bitmap> ReadPng(const std::string& path);
std::shared_ptr<Bitmap> DecodePng(const std::uint8_t* bytes, std::size_t size);

constexpr std::uint64_t kMaxPngPixels = std::uint64_t{1} << 26;

}  // namespace win

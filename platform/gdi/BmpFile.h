#pragma once
// Reading and writing Windows BMP files. Decoding converts to display format, as LoadBitmap does;
// encoding writes the palettised and true-colour files that the resource generator commits.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Bitmap.h"

namespace win {

// Files larger than this many pixels are refused rather than allocated.
constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 26;

// A BMP file (BITMAPFILEHEADER followed by a DIB). Accepts BITMAPCOREHEADER, BITMAPINFOHEADER and
// its V4/V5 extensions at 1, 4, 8, 16, 24 and 32 bits, BI_RGB, BI_BITFIELDS, BI_RLE8 and BI_RLE4,
// bottom-up and top-down. Anything truncated, inconsistent or out of range (including a palette
// index beyond the palette) gives nullptr and a reason in *error; nothing outside `bytes` is read.
std::shared_ptr<Bitmap> DecodeBmp(const std::uint8_t* bytes, std::size_t size, std::string* error = nullptr);
// A packed DIB without the file header, as stored in RT_BITMAP resources.
std::shared_ptr<Bitmap> DecodeDib(const std::uint8_t* bytes, std::size_t size, std::string* error = nullptr);
std::shared_ptr<Bitmap> LoadBmpFile(const std::string& path, std::string* error = nullptr);

// Palette entries are display-format colours. Each pixel is written as the index of its nearest
// entry (squared RGB distance, first wins on ties). An empty palette, or one larger than the depth
// allows, gives an empty result.
std::vector<std::uint8_t> EncodeBmpIndexed(const Bitmap& bitmap, const std::vector<std::uint32_t>& palette,
                                           int bitsPerPixel);
inline std::vector<std::uint8_t> EncodeBmp8(const Bitmap& bitmap, const std::vector<std::uint32_t>& palette) {
    return EncodeBmpIndexed(bitmap, palette, 8);
}
inline std::vector<std::uint8_t> EncodeBmp4(const Bitmap& bitmap, const std::vector<std::uint32_t>& palette) {
    return EncodeBmpIndexed(bitmap, palette, 4);
}
std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap);
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace win

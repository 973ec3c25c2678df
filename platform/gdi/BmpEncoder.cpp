// Writes bottom-up BI_RGB files with a BITMAPINFOHEADER, the form every BMP reader accepts.
#include <fstream>
#include <unordered_map>

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/ColorPalette.h"

namespace win {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = v & 0xFF;
    out[at + 1] = (v >> 8) & 0xFF;
}
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = (v >> (8 * i)) & 0xFF;
}

// Headers for a file with `paletteCount` entries and `stride`-byte rows; returns the pixel offset.
std::size_t WriteHeaders(std::vector<std::uint8_t>& out, const Bitmap& bitmap, int bits, std::size_t paletteCount,
                         std::size_t stride) {
    std::size_t offset = 14 + 40 + paletteCount * 4;
    std::size_t imageSize = stride * bitmap.Height();
    out.assign(offset + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(bitmap.Width()));
    Put32(out, 22, static_cast<std::uint32_t>(bitmap.Height()));
    Put16(out, 26, 1);
    Put16(out, 28, static_cast<std::uint32_t>(bits));
    Put32(out, 34, static_cast<std::uint32_t>(imageSize));
    Put32(out, 38, 3780);  // 96 dpi
    Put32(out, 42, 3780);
    Put32(out, 46, static_cast<std::uint32_t>(paletteCount));
    return offset;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmpIndexed(const Bitmap& bitmap, const std::vector<std::uint32_t>& palette,
                                           int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8) return {};
    if (palette.empty() || palette.size() > (std::size_t{1} << bitsPerPixel)) return {};
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0) return {};
    std::size_t stride = (static_cast<std::size_t>(bitmap.Width()) * bitsPerPixel + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    std::size_t offset = WriteHeaders(out, bitmap, bitsPerPixel, palette.size(), stride);
    for (std::size_t i = 0; i < palette.size(); ++i) Put32(out, 54 + 4 * i, palette[i] & 0x00FFFFFF);
    std::unordered_map<std::uint32_t, std::uint8_t> nearest;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint32_t* src = bitmap.Row(y);
        std::uint8_t* row = out.data() + offset + static_cast<std::size_t>(bitmap.Height() - 1 - y) * stride;
        for (int x = 0; x < bitmap.Width(); ++x) {
            std::uint32_t pixel = src[x] & 0x00FFFFFF;
            auto it = nearest.find(pixel);
            if (it == nearest.end())
                it = nearest.emplace(pixel, static_cast<std::uint8_t>(NearestPaletteIndex(palette, pixel))).first;
            std::uint8_t index = it->second;
            if (bitsPerPixel == 8) row[x] = index;
            else if (bitsPerPixel == 4) row[x >> 1] |= (x & 1) ? index : static_cast<std::uint8_t>(index << 4);
            else row[x >> 3] |= static_cast<std::uint8_t>(index << (7 - (x & 7)));
        }
    }
    return out;
}

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap) {
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0) return {};
    std::size_t stride = (static_cast<std::size_t>(bitmap.Width()) * 24 + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    std::size_t offset = WriteHeaders(out, bitmap, 24, 0, stride);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint32_t* src = bitmap.Row(y);
        std::uint8_t* row = out.data() + offset + static_cast<std::size_t>(bitmap.Height() - 1 - y) * stride;
        for (int x = 0; x < bitmap.Width(); ++x) {
            row[3 * x] = src[x] & 0xFF;
            row[3 * x + 1] = (src[x] >> 8) & 0xFF;
            row[3 * x + 2] = (src[x] >> 16) & 0xFF;
        }
    }
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace win

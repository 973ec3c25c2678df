#pragma once
// Builds BMP files byte by byte for the decoder tests, so each header field can be set or broken.
#include <cstdint>
#include <vector>

namespace gdi_test {

struct BmpSpec {
    int width = 0;
    int height = 0;  // negative: top-down
    int bits = 8;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB, written as RGBQUAD
    std::uint32_t colorsUsed = 0xFFFFFFFF;  // default: palette.size()
    std::vector<std::uint8_t> pixels;   // raw pixel data as stored in the file
    std::vector<std::uint32_t> masks;   // BI_BITFIELDS masks after a 40-byte header
};

inline void Put(std::vector<std::uint8_t>& v, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) v.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::vector<std::uint8_t> BuildBmp(const BmpSpec& s) {
    std::vector<std::uint8_t> v;
    std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(s.masks.size() + s.palette.size());
    v.push_back('B');
    v.push_back('M');
    Put(v, offset + static_cast<std::uint32_t>(s.pixels.size()), 4);
    Put(v, 0, 4);
    Put(v, offset, 4);
    Put(v, 40, 4);
    Put(v, static_cast<std::uint32_t>(s.width), 4);
    Put(v, static_cast<std::uint32_t>(s.height), 4);
    Put(v, 1, 2);
    Put(v, static_cast<std::uint32_t>(s.bits), 2);
    Put(v, s.compression, 4);
    Put(v, static_cast<std::uint32_t>(s.pixels.size()), 4);
    Put(v, 3780, 4);
    Put(v, 3780, 4);
    Put(v, s.colorsUsed == 0xFFFFFFFF ? static_cast<std::uint32_t>(s.palette.size()) : s.colorsUsed, 4);
    Put(v, 0, 4);
    for (std::uint32_t m : s.masks) Put(v, m, 4);
    for (std::uint32_t c : s.palette) Put(v, c & 0x00FFFFFF, 4);
    v.insert(v.end(), s.pixels.begin(), s.pixels.end());
    return v;
}

// Rows of `bits`-deep palette indexes, each padded to 4 bytes, stored in the given order.
inline std::vector<std::uint8_t> PackIndexRows(const std::vector<std::vector<int>>& rows, int bits) {
    std::vector<std::uint8_t> out;
    for (const auto& row : rows) {
        std::size_t stride = (row.size() * bits + 31) / 32 * 4;
        std::vector<std::uint8_t> bytes(stride, 0);
        for (std::size_t x = 0; x < row.size(); ++x) {
            std::size_t bit = x * bits;
            bytes[bit / 8] |= static_cast<std::uint8_t>(row[x] << (8 - bits - bit % 8));
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

}  // namespace gdi_test

// BMP and packed-DIB decoding. Every read goes through bounds-checked offsets into the caller's
// bytes; sizes are computed in 64 bits so that hostile headers cannot wrap them.
#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/gdi/BmpFile.h"

namespace win {
namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;
// Marks palette slots past the file's palette; any pixel that reaches one fails the decode.
constexpr std::uint32_t kBadIndex = 0xFF000000;

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::shared_ptr<Bitmap> Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return nullptr;
}

// One channel of a BI_BITFIELDS pixel scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    bool Init(std::uint32_t m) {
        mask = m;
        if (m == 0) return true;  // channel absent: reads as 0
        shift = std::countr_zero(m);
        std::uint32_t v = m >> shift;
        if ((v & (v + 1)) != 0) return false;  // not contiguous
        bits = std::popcount(v);
        return true;
    }
    std::uint32_t Get(std::uint32_t pixel) const {
        if (!mask) return 0;
        std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return v >> (bits - 8);
        return v * 255 / ((1u << bits) - 1);
    }
};

struct DibLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t masks[3] = {};
    std::size_t paletteOffset = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t paletteCount = 0;
    std::size_t paletteEnd = 0;
    std::uint32_t sizeImage = 0;
};

const char* ParseHeader(const std::uint8_t* bytes, std::size_t size, std::size_t dib, DibLayout& d) {
    if (dib > size || size - dib < 4) return "truncated bitmap header";
    std::uint32_t headerSize = Le32(bytes + dib);
    switch (headerSize) {
        case 12: case 40: case 52: case 56: case 108: case 124: break;
        default: return "unsupported bitmap header size";
    }
    if (size - dib < headerSize) return "truncated bitmap header";
    const std::uint8_t* h = bytes + dib;
    int planes;
    std::uint32_t colorsUsed = 0;
    if (headerSize == 12) {
        d.width = Le16(h + 4);
        d.height = Le16(h + 6);
        planes = Le16(h + 8);
        d.bits = Le16(h + 10);
        d.paletteEntrySize = 3;
    } else {
        d.width = static_cast<std::int32_t>(Le32(h + 4));
        d.height = static_cast<std::int32_t>(Le32(h + 8));
        planes = Le16(h + 12);
        d.bits = Le16(h + 14);
        d.compression = Le32(h + 16);
        d.sizeImage = Le32(h + 20);
        colorsUsed = Le32(h + 32);
    }
    if (planes != 1) return "bitmap has more than one plane";
    if (d.height < 0) {
        d.topDown = true;
        d.height = -d.height;
    }
    if (d.width <= 0 || d.height <= 0) return "bitmap has no pixels";
    if (d.width * d.height > kMaxBmpPixels) return "bitmap too large";
    switch (d.bits) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return "unsupported bit depth";
    }
    std::size_t masksEnd = dib + headerSize;
    switch (d.compression) {
        case BI_RGB:
            if (d.bits == 16) { d.masks[0] = 0x7C00; d.masks[1] = 0x03E0; d.masks[2] = 0x001F; }
            if (d.bits == 32) { d.masks[0] = 0xFF0000; d.masks[1] = 0xFF00; d.masks[2] = 0xFF; }
            break;
        case BI_RLE8:
            if (d.bits != 8 || d.topDown) return "invalid RLE8 bitmap";
            break;
        case BI_RLE4:
            if (d.bits != 4 || d.topDown) return "invalid RLE4 bitmap";
            break;
        case BI_BITFIELDS:
            if (d.bits != 16 && d.bits != 32) return "bit fields need 16 or 32 bits";
            if (headerSize == 40) {
                if (size - masksEnd < 12) return "truncated colour masks";
                masksEnd += 12;
            }
            for (int i = 0; i < 3; ++i) d.masks[i] = Le32(bytes + dib + 40 + 4 * i);
            break;
        default: return "unsupported compression";
    }
    d.paletteOffset = masksEnd;
    if (d.bits <= 8) {
        std::size_t maxColors = std::size_t{1} << d.bits;
        d.paletteCount = (colorsUsed == 0 || colorsUsed > maxColors) ? maxColors : colorsUsed;
    }
    // True-colour DIBs may still carry a (display hint) colour table; packed DIBs place their
    // pixels after it.
    std::uint64_t tableCount = d.bits <= 8 ? d.paletteCount : std::min<std::uint32_t>(colorsUsed, 256);
    std::uint64_t paletteBytes = tableCount * d.paletteEntrySize;
    if (paletteBytes > size - d.paletteOffset) return "truncated palette";
    d.paletteEnd = d.paletteOffset + static_cast<std::size_t>(paletteBytes);
    return nullptr;
}

// Palette as display colours; unused slots hold kBadIndex.
void ReadPalette(const std::uint8_t* bytes, const DibLayout& d, std::uint32_t table[256]) {
    for (int i = 0; i < 256; ++i) table[i] = kBadIndex;
    for (std::size_t i = 0; i < d.paletteCount; ++i) {
        const std::uint8_t* e = bytes + d.paletteOffset + i * d.paletteEntrySize;
        table[i] = static_cast<std::uint32_t>(e[0]) | (static_cast<std::uint32_t>(e[1]) << 8) |
                   (static_cast<std::uint32_t>(e[2]) << 16);
    }
}

// Uncompressed rows; returns false when a pixel names a slot past the palette.
bool ConvertRows(const std::uint8_t* data, std::size_t stride, const DibLayout& d, const std::uint32_t* table,
                 Bitmap& out) {
    const int w = static_cast<int>(d.width);
    const int h = static_cast<int>(d.height);
    Channel r, g, b;
    r.Init(d.masks[0]);
    g.Init(d.masks[1]);
    b.Init(d.masks[2]);
    const bool plain32 = d.bits == 32 && d.masks[0] == 0xFF0000 && d.masks[1] == 0xFF00 && d.masks[2] == 0xFF;
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* src = data + static_cast<std::size_t>(row) * stride;
        std::uint32_t* dst = out.Row(d.topDown ? row : h - 1 - row);
        std::uint32_t bad = 0;
        switch (d.bits) {
            case 8: {
                int x = 0;
                for (; x + 4 <= w; x += 4) {
                    std::uint32_t four;
                    std::memcpy(&four, src + x, 4);
                    std::uint32_t p0 = table[four & 0xFF], p1 = table[(four >> 8) & 0xFF];
                    std::uint32_t p2 = table[(four >> 16) & 0xFF], p3 = table[four >> 24];
                    dst[x] = p0;
                    dst[x + 1] = p1;
                    dst[x + 2] = p2;
                    dst[x + 3] = p3;
                    bad |= p0 | p1 | p2 | p3;
                }
                for (; x < w; ++x) bad |= dst[x] = table[src[x]];
                break;
            }
            case 4:
                for (int x = 0; x < w; ++x) {
                    std::uint8_t byte = src[x >> 1];
                    bad |= dst[x] = table[(x & 1) ? (byte & 0x0F) : (byte >> 4)];
                }
                break;
            case 1:
                for (int x = 0; x < w; ++x) bad |= dst[x] = table[(src[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 24:
                for (int x = 0; x < w; ++x) {
                    const std::uint8_t* p = src + 3 * x;
                    dst[x] = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                             (static_cast<std::uint32_t>(p[2]) << 16);
                }
                break;
            case 32:
                if (plain32) {
                    std::memcpy(dst, src, static_cast<std::size_t>(w) * 4);
                    for (int x = 0; x < w; ++x) dst[x] &= 0x00FFFFFF;
                    break;
                }
                for (int x = 0; x < w; ++x) {
                    std::uint32_t v = Le32(src + 4 * x);
                    dst[x] = (r.Get(v) << 16) | (g.Get(v) << 8) | b.Get(v);
                }
                break;
            case 16:
                for (int x = 0; x < w; ++x) {
                    std::uint32_t v = Le16(src + 2 * x);
                    dst[x] = (r.Get(v) << 16) | (g.Get(v) << 8) | b.Get(v);
                }
                break;
        }
        if (bad & kBadIndex) return false;
    }
    return true;
}

// BI_RLE8 / BI_RLE4 streams, bottom-up. Runs past the row end are clipped; pixels the stream
// skips keep palette entry 0. With `out` null the stream is only checked, so that a broken file
// is refused before a large bitmap is allocated for it.
const char* DecodeRle(const std::uint8_t* data, std::size_t size, const DibLayout& d, const std::uint32_t* table,
                      Bitmap* out) {
    const std::int64_t w = d.width;
    const std::int64_t h = d.height;
    const bool four = d.compression == BI_RLE4;
    if (out) out->Fill(table[0] & 0x00FFFFFF);
    std::int64_t x = 0, y = 0;
    std::size_t pos = 0;
    auto put = [&](unsigned index) -> bool {
        if (table[index] & kBadIndex) return false;
        if (out && x < w && y < h) out->Row(static_cast<int>(h - 1 - y))[x] = table[index];
        ++x;
        return true;
    };
    while (y < h) {
        if (size - pos < 2) return "truncated RLE data";
        unsigned count = data[pos];
        unsigned value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < w; ++i) {
                unsigned index = four ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value;
                if (!put(index)) return "palette index beyond the palette";
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return nullptr;
        } else if (value == 2) {  // delta
            if (size - pos < 2) return "truncated RLE data";
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
        } else {  // absolute run, padded to a 16-bit boundary
            std::size_t bytes = four ? (value + 1) / 2 : value;
            std::size_t padded = (bytes + 1) & ~std::size_t{1};
            if (size - pos < bytes) return "truncated RLE data";
            for (unsigned i = 0; i < value; ++i) {
                unsigned index = four ? ((i & 1) ? (data[pos + i / 2] & 0x0F) : (data[pos + i / 2] >> 4)) : data[pos + i];
                if (!put(index)) return "palette index beyond the palette";
            }
            pos += std::min(padded, size - pos);
        }
    }
    return nullptr;
}

// pixelOffset 0 means "right after the palette".
std::shared_ptr<Bitmap> DecodeAt(const std::uint8_t* bytes, std::size_t size, std::size_t dib, std::size_t pixelOffset,
                                 std::string* error) {
    DibLayout d;
    if (const char* why = ParseHeader(bytes, size, dib, d)) return Fail(error, why);
    if (pixelOffset == 0) pixelOffset = d.paletteEnd;
    if (pixelOffset < d.paletteEnd || pixelOffset > size) return Fail(error, "bad pixel data offset");
    std::uint32_t table[256];
    ReadPalette(bytes, d, table);
    const std::uint8_t* data = bytes + pixelOffset;
    std::size_t available = size - pixelOffset;
    if (d.compression == BI_RLE8 || d.compression == BI_RLE4) {
        if (d.sizeImage != 0 && d.sizeImage < available) available = d.sizeImage;
        if (const char* why = DecodeRle(data, available, d, table, nullptr)) return Fail(error, why);
        auto bitmap = std::make_shared<Bitmap>(static_cast<int>(d.width), static_cast<int>(d.height), Bitmap::NoFill{});
        DecodeRle(data, available, d, table, bitmap.get());
        return bitmap;
    }
    std::uint64_t rowBits = static_cast<std::uint64_t>(d.width) * d.bits;
    std::uint64_t stride = (rowBits + 31) / 32 * 4;
    std::uint64_t needed = stride * static_cast<std::uint64_t>(d.height - 1) + (rowBits + 7) / 8;
    if (needed > available) return Fail(error, "truncated pixel data");
    Channel probe;
    for (std::uint32_t m : d.masks)
        if (!probe.Init(m)) return Fail(error, "colour mask is not contiguous");
    auto bitmap = std::make_shared<Bitmap>(static_cast<int>(d.width), static_cast<int>(d.height), Bitmap::NoFill{});
    if (!ConvertRows(data, static_cast<std::size_t>(stride), d, table, *bitmap))
        return Fail(error, "palette index beyond the palette");
    return bitmap;
}

}  // namespace

std::shared_ptr<Bitmap> DecodeBmp(const std::uint8_t* bytes, std::size_t size, std::string* error) {
    if (!bytes || size < 14 || bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "not a BMP file");
    std::uint32_t offBits = Le32(bytes + 10);
    if (offBits != 0 && offBits < 14 + 12) return Fail(error, "bad pixel data offset");
    return DecodeAt(bytes, size, 14, offBits, error);
}

std::shared_ptr<Bitmap> DecodeDib(const std::uint8_t* bytes, std::size_t size, std::string* error) {
    if (!bytes) return Fail(error, "no data");
    return DecodeAt(bytes, size, 0, 0, error);
}

std::shared_ptr<Bitmap> LoadBmpFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(error, "cannot open file");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodeBmp(bytes.data(), bytes.size(), error);
}

}  // namespace win

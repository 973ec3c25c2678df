#include "platform/gdi/PngFile.h"

#include <png.h>

#include <cstring>

namespace win {
namespace {

// The simplified writer has no filler-byte format, so display rows (B,G,R,x) are packed to BGR.
std::vector<std::uint8_t> ToBgr(const Bitmap& bitmap) {
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height() * 3);
    std::size_t o = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint32_t* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            bgr[o++] = row[x] & 0xFF;
            bgr[o++] = (row[x] >> 8) & 0xFF;
            bgr[o++] = (row[x] >> 16) & 0xFF;
        }
    }
    return bgr;
}

png_image Describe(const Bitmap& bitmap) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.Width());
    image.height = static_cast<png_uint_32>(bitmap.Height());
    image.format = PNG_FORMAT_BGR;
    return image;
}

std::shared_ptr<Bitmap> Finish(png_image& image) {
    if (image.width == 0 || image.height == 0 ||
        static_cast<std::uint64_t>(image.width) * image.height > kMaxPngPixels) {
        png_image_free(&image);
        return nullptr;
    }
    image.format = PNG_FORMAT_BGRA;
    auto bitmap = std::make_shared<Bitmap>(static_cast<int>(image.width), static_cast<int>(image.height), Bitmap::NoFill{});
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&image, &black, bitmap->Pixels(), 0, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    std::uint32_t* p = bitmap->Pixels();
    for (std::size_t i = 0, n = static_cast<std::size_t>(image.width) * image.height; i < n; ++i) p[i] &= 0x00FFFFFF;
    return bitmap;
}

}  // namespace

bool WritePng(const Bitmap& bitmap, const std::string& path) {
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0) return false;
    png_image image = Describe(bitmap);
    std::vector<std::uint8_t> bgr = ToBgr(bitmap);
    return png_image_write_to_file(&image, path.c_str(), 0, bgr.data(), 0, nullptr) != 0;
}

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap) {
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0) return {};
    png_image image = Describe(bitmap);
    std::vector<std::uint8_t> bgr = ToBgr(bitmap);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, bgr.data(), 0, nullptr)) return {};
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, bgr.data(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}

std::shared_ptr<Bitmap> ReadPng(const std::string& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return nullptr;
    return Finish(image);
}

std::shared_ptr<Bitmap> DecodePng(const std::uint8_t* bytes, std::size_t size) {
    if (!bytes || size == 0) return nullptr;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) return nullptr;
    return Finish(image);
}

}  // namespace win

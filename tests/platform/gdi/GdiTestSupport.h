#pragma once
// Small helpers shared by the DC tests: a memory DC over a fresh bitmap and pixel queries.
#include <memory>
#include <string>

#include "platform/gdi/DC.h"

namespace gdi_test {

constexpr std::uint32_t kWhite = 0xFFFFFF;

struct Canvas {
    explicit Canvas(int w, int h, std::uint32_t fill = kWhite) : bitmap(std::make_shared<win::Bitmap>(w, h, fill)) {
        dc.SelectBitmap(bitmap);
    }
    std::uint32_t At(int x, int y) const { return bitmap->GetPixel(x, y); }
    // Pixels equal to `pixel` inside the bitmap.
    int Count(std::uint32_t pixel) const {
        int n = 0;
        for (int y = 0; y < bitmap->Height(); ++y)
            for (int x = 0; x < bitmap->Width(); ++x) n += bitmap->GetPixel(x, y) == pixel;
        return n;
    }
    // Bounding box of the pixels that differ from `background`.
    win::Rect Ink(std::uint32_t background = kWhite) const {
        win::Rect box;
        for (int y = 0; y < bitmap->Height(); ++y)
            for (int x = 0; x < bitmap->Width(); ++x)
                if (bitmap->GetPixel(x, y) != background) box = box.Union({x, y, x + 1, y + 1});
        return box;
    }
    // One character per pixel of a row: '#' for `ink`, '.' for anything else.
    std::string Row(int y, std::uint32_t ink, int from = 0, int to = -1) const {
        std::string s;
        for (int x = from; x < (to < 0 ? bitmap->Width() : to); ++x) s += bitmap->GetPixel(x, y) == ink ? '#' : '.';
        return s;
    }
    std::string Column(int x, std::uint32_t ink, int from = 0, int to = -1) const {
        std::string s;
        for (int y = from; y < (to < 0 ? bitmap->Height() : to); ++y) s += bitmap->GetPixel(x, y) == ink ? '#' : '.';
        return s;
    }

    std::shared_ptr<win::Bitmap> bitmap;
    win::DC dc;
};

}  // namespace gdi_test

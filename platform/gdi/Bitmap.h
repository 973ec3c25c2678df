#pragma once
// A 32-bit pixel store in display format 0x00RRGGBB with top-down rows; the target of every DC and
// the result of loading BMP and PNG art. Shared as std::shared_ptr<Bitmap> between DCs and owners.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

namespace win {

// COLORREF (0x00BBGGRR) to display format (0x00RRGGBB) and back; the spare byte is dropped.
constexpr std::uint32_t ToDisplay(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF FromDisplay(std::uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

class Bitmap {
public:
    // Negative sizes are taken as 0.
    Bitmap(int width, int height, std::uint32_t fill = 0);
    // Leaves the pixels unspecified, for decoders that write every one of them.
    struct NoFill {};
    Bitmap(int width, int height, NoFill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    std::uint32_t* Pixels() { return pixels_.data(); }
    const std::uint32_t* Pixels() const { return pixels_.data(); }
    // y must be inside the bitmap.
    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

    // Display-format access; reads outside give 0, writes outside are ignored.
    std::uint32_t GetPixel(int x, int y) const {
        return Inside(x, y) ? Row(y)[x] : 0;
    }
    void SetPixel(int x, int y, std::uint32_t pixel) {
        if (Inside(x, y)) Row(y)[x] = pixel & 0x00FFFFFF;
    }
    void Fill(std::uint32_t pixel);
    bool Inside(int x, int y) const {
        return static_cast<unsigned>(x) < static_cast<unsigned>(width_) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(height_);
    }

    // Set by the resource loader; the drawing trace reports both for copies from this bitmap.
    int resourceId = 0;
    std::string label;

private:
    // Lets resize() skip zeroing, so a bitmap is written once, not twice.
    template <typename T>
    struct UninitializedAllocator : std::allocator<T> {
        template <typename U>
        struct rebind {
            using other = UninitializedAllocator<U>;
        };
        template <typename U>
        void construct(U* p) noexcept {
            ::new (static_cast<void*>(p)) U;
        }
        template <typename U, typename... Args>
        void construct(U* p, Args&&... args) {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };

    int width_;
    int height_;
    std::vector<std::uint32_t, UninitializedAllocator<std::uint32_t>> pixels_;
};

}  // namespace win

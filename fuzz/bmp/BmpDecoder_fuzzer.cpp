// BMP decoding over any bytes, as a file and, past the file header, as a packed DIB. A refusal
// must say why; a decoded bitmap must lie within the size limit and hold display-format pixels
// (the spare byte clear). A small one must come back pixel for pixel through the 24-bit encoder,
// and through the 8-bit and 4-bit ones when its colours fit their palettes: the encoders write the
// art the resource generator commits, which the decoder reads at every start.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/support/Scratch.h"
#include "platform/gdi/BmpFile.h"

namespace {


// Re-encoding is for finding disagreements, not for timing large pictures.
constexpr std::int64_t kLargestRoundTrip = 1 << 16;

bool SamePixels(const win::Bitmap& a, const win::Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    return std::memcmp(a.Pixels(), b.Pixels(), sizeof(std::uint32_t) * static_cast<std::size_t>(a.Width()) * a.Height()) == 0;
}

std::vector<std::uint32_t> ColoursOf(const win::Bitmap& bitmap, std::size_t atMost) {
    std::vector<std::uint32_t> colours;
    const std::uint32_t* pixels = bitmap.Pixels();
    const std::size_t count = static_cast<std::size_t>(bitmap.Width()) * bitmap.Height();
    for (std::size_t i = 0; i < count; ++i) {
        if (std::find(colours.begin(), colours.end(), pixels[i]) != colours.end()) continue;
        if (colours.size() == atMost) return {};
        colours.push_back(pixels[i]);
    }
    return colours;
}

void CheckRoundTrip(const win::Bitmap& bitmap, const std::vector<std::uint8_t>& encoded, const char* encoder) {
    std::string error;
    auto back = win::DecodeBmp(encoded.data(), encoded.size(), &error);
    FUZZ_REQUIRE(back != nullptr, std::string(encoder) + " wrote a file the decoder refuses: " + error);
    FUZZ_REQUIRE(SamePixels(bitmap, *back), std::string(encoder) + " does not round-trip");
}

void Check(const std::shared_ptr<win::Bitmap>& bitmap, const std::string& error) {
    if (!bitmap) {
        FUZZ_REQUIRE(!error.empty(), "a refused bitmap without a reason");
        return;
    }
    const std::int64_t pixels = std::int64_t{bitmap->Width()} * bitmap->Height();
    FUZZ_REQUIRE(bitmap->Width() > 0 && bitmap->Height() > 0 && pixels <= win::kMaxBmpPixels, "decoded size out of range");
    const std::uint32_t* p = bitmap->Pixels();
    FUZZ_REQUIRE(std::none_of(p, p + pixels, [](std::uint32_t pixel) { return (pixel & 0xFF000000) != 0; }),
            "a decoded pixel has bits outside 0x00RRGGBB");
    if (pixels > kLargestRoundTrip) return;
    CheckRoundTrip(*bitmap, win::EncodeBmp24(*bitmap), "EncodeBmp24");
    const std::vector<std::uint32_t> colours = ColoursOf(*bitmap, 256);
    if (!colours.empty()) CheckRoundTrip(*bitmap, win::EncodeBmp8(*bitmap, colours), "EncodeBmp8");
    if (!colours.empty() && colours.size() <= 16) CheckRoundTrip(*bitmap, win::EncodeBmp4(*bitmap, colours), "EncodeBmp4");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    Check(win::DecodeBmp(data, size, &error), error);
    if (size > 14) {
        error.clear();
        Check(win::DecodeDib(data + 14, size - 14, &error), error);
    }
    return 0;
}

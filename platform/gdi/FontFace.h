#pragma once
// One font file opened at one pixel size through FreeType, with its rendered glyphs. Shared by every
// Font created with the same file, size and rendering; never destroyed once opened (UI code uses a
// handful). Glyph() must be called with Mutex() held; the returned glyph stays valid.
#include <array>
#include <compare>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace win {

struct GlyphImage {
    int left = 0;     // from the pen position to the first column
    int top = 0;      // from the baseline up to the first row
    int width = 0;
    int height = 0;
    int advance = 0;   // whole pixels, as hinted; PairAdvance places the next glyph
    int lsbDelta = 0;  // how far hinting moved the left and right side bearings, in 1/64 pixel
    int rsbDelta = 0;
    std::vector<std::uint8_t> coverage;  // width * height, 0..255
};

struct FaceRequest {
    std::string path;
    int index = 0;
    int ppemY = 0;
    int ppemX64 = 0;  // horizontal size in 1/64 pixel (lfWidth stretches it)
    bool mono = false;
    bool embolden = false;
    bool oblique = false;
    auto operator<=>(const FaceRequest&) const = default;
};

// Design-unit metrics from the font's tables, as GDI reads them.
struct FaceMetrics {
    int unitsPerEm = 2048;
    int winAscent = 0;
    int winDescent = 0;
    int hheaAscent = 0;
    int hheaDescent = 0;  // positive
    int lineGap = 0;
    int avgCharWidth = 0;
    int maxAdvance = 0;
    int weightClass = 400;
    int underlinePosition = 0;  // below the baseline, positive down
    int underlineThickness = 0;
    int strikeoutPosition = 0;  // above the baseline
    int strikeoutSize = 0;
};

// Reads a file's metrics without choosing a size; false when FreeType cannot open it.
bool ReadFaceMetrics(const std::string& path, int index, FaceMetrics* metrics);

// Whole pixels from this glyph's pen position to the next one's. Hinting snaps stems to the pixel
// grid and rounds each side bearing on its own, so a pair's gap can come out a pixel too wide or
// too narrow; FreeType's lsb_delta / rsb_delta correction moves the next glyph back by that pixel
// so gaps between letters stay even. With no next glyph (end of the text, a tab) it is the
// glyph's own advance. Every measuring and drawing path lays text out with this.
int PairAdvance(const GlyphImage& glyph, const GlyphImage* next);

class FontFace {
public:
    static std::shared_ptr<FontFace> Open(const FaceRequest& request);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FaceRequest& Request() const { return request_; }
    std::mutex& Mutex() const { return mutex_; }
    const GlyphImage& Glyph(char32_t codePoint);

private:
    struct Impl;
    FontFace(FaceRequest request, std::unique_ptr<Impl> impl);
    GlyphImage Render(char32_t codePoint);

    FaceRequest request_;
    std::unique_ptr<Impl> impl_;
    mutable std::mutex mutex_;
    std::array<std::unique_ptr<GlyphImage>, 256> latin_;
    std::unordered_map<char32_t, std::unique_ptr<GlyphImage>> others_;
};

}  // namespace win

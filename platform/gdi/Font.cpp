#include "platform/gdi/Font.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/gdi/FontFace.h"
#include "platform/gdi/FontMatcher.h"
#include "platform/gdi/TextCodec.h"

namespace win {
namespace {

constexpr int kDefaultCharHeight = 16;
constexpr int kMaxPixelSize = 2048;  // larger requests are clamped so glyphs stay allocatable

bool CachedMetrics(const std::string& path, int index, FaceMetrics* metrics) {
    static std::mutex mutex;
    static std::map<std::pair<std::string, int>, FaceMetrics> cache;
    std::lock_guard lock(mutex);
    auto key = std::make_pair(path, index);
    if (auto it = cache.find(key); it != cache.end()) {
        *metrics = it->second;
        return true;
    }
    if (!ReadFaceMetrics(path, index, metrics)) return false;
    cache.emplace(key, *metrics);
    return true;
}

// Scales font units to pixels, rounding up the way GDI sizes ascent and descent. The small
// tolerance keeps exact products (10.0000001) from growing a pixel.
int CeilScale(int units, int ppem, int unitsPerEm) {
    return static_cast<int>(std::ceil(double(units) * ppem / unitsPerEm - 1e-6));
}
int RoundScale(int units, double ppem, int unitsPerEm) {
    return static_cast<int>(std::lround(double(units) * ppem / unitsPerEm));
}

}  // namespace

std::shared_ptr<Font> Font::Create(const LOGFONTA& logFont) {
    std::shared_ptr<Font> font(new Font);
    font->logFont_ = logFont;
    font->logFont_.lfFaceName[LF_FACESIZE - 1] = '\0';
    const LOGFONTA& lf = font->logFont_;
    int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
    bool italic = lf.lfItalic != 0;
    std::string_view faceName(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));

    FontMatch match = MatchFont(faceName, weight, italic);
    FaceMetrics fm;
    if (match.path.empty() || !CachedMetrics(match.path, match.index, &fm)) {
        match = MatchFont("DejaVu Sans", weight, italic);
        if (match.path.empty() || !CachedMetrics(match.path, match.index, &fm)) return font;
    }
    font->family_ = match.family;
    font->path_ = match.path;
    // Bitmap fonts are drawn as they are, whatever quality is asked for (LOGFONT lfQuality).
    const FaceLook look = WindowsFaceLook(faceName);
    font->monochrome_ = lf.lfQuality == NONANTIALIASED_QUALITY || look.raster;

    const int cellUnits = std::max(fm.winAscent + fm.winDescent, 1);
    int requested = lf.lfHeight == 0 ? -kDefaultCharHeight : std::clamp<int>(lf.lfHeight, -kMaxPixelSize, kMaxPixelSize);
    int ppem, ascent, descent;
    if (requested < 0) {
        ppem = -requested;
        ascent = CeilScale(fm.winAscent, ppem, fm.unitsPerEm);
        descent = CeilScale(fm.winDescent, ppem, fm.unitsPerEm);
    } else {
        ppem = std::max(1, static_cast<int>(std::lround(double(requested) * fm.unitsPerEm / cellUnits)));
        ascent = static_cast<int>(std::lround(double(requested) * fm.winAscent / cellUnits));
        descent = requested - ascent;
    }
    int ppemX64 = std::max(64, static_cast<int>(std::lround(ppem * 64 * look.widthScale)));
    if (lf.lfWidth > 0 && fm.avgCharWidth > 0)
        ppemX64 = std::clamp(static_cast<int>(std::lround(double(std::min<int>(lf.lfWidth, kMaxPixelSize)) * 64 *
                                                          fm.unitsPerEm / fm.avgCharWidth)),
                             64, kMaxPixelSize * 64);
    const double ppemX = ppemX64 / 64.0;

    FaceRequest request;
    request.path = match.path;
    request.index = match.index;
    request.ppemY = ppem;
    request.ppemX64 = ppemX64;
    request.mono = font->monochrome_;
    request.embolden = weight >= FW_SEMIBOLD && match.weight < FW_SEMIBOLD;
    request.oblique = italic && !match.italic;
    font->face_ = FontFace::Open(request);

    TEXTMETRICA& tm = font->metrics_;
    tm.tmAscent = ascent;
    tm.tmDescent = descent;
    tm.tmHeight = ascent + descent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - ppem);
    int gap = fm.lineGap - (cellUnits - (fm.hheaAscent + fm.hheaDescent));
    tm.tmExternalLeading = std::max(0, RoundScale(gap, ppem, fm.unitsPerEm));
    tm.tmAveCharWidth = lf.lfWidth > 0 ? lf.lfWidth : std::max(1, RoundScale(fm.avgCharWidth, ppemX, fm.unitsPerEm));
    tm.tmMaxCharWidth = std::max(1, RoundScale(fm.maxAdvance, ppemX, fm.unitsPerEm));
    tm.tmWeight = request.embolden ? FW_BOLD : fm.weightClass;
    tm.tmItalic = italic;
    tm.tmUnderlined = lf.lfUnderline != 0;
    tm.tmStruckOut = lf.lfStrikeOut != 0;
    tm.tmPitchAndFamily = lf.lfPitchAndFamily;
    tm.tmCharSet = lf.lfCharSet;

    font->underlineThickness_ = std::max(1, RoundScale(fm.underlineThickness, ppem, fm.unitsPerEm));
    font->underlineOffset_ = std::max(1, RoundScale(fm.underlinePosition, ppem, fm.unitsPerEm));
    if (font->underlineOffset_ + font->underlineThickness_ > descent)
        font->underlineOffset_ = std::max(0, descent - font->underlineThickness_);
    font->strikeoutThickness_ = std::max(1, RoundScale(fm.strikeoutSize, ppem, fm.unitsPerEm));
    font->strikeoutOffset_ = std::max(1, RoundScale(fm.strikeoutPosition, ppem, fm.unitsPerEm));
    return font;
}

Size Font::GetTextExtent(std::string_view text) const {
    Size size{0, metrics_.tmHeight};
    if (!face_) return size;
    thread_local std::u32string codePoints;
    DecodeText(text, codePoints);
    std::lock_guard lock(face_->Mutex());
    const GlyphImage* previous = nullptr;
    for (char32_t c : codePoints) {
        const GlyphImage& glyph = face_->Glyph(c);
        if (previous) size.cx += PairAdvance(*previous, &glyph);
        previous = &glyph;
    }
    if (previous) size.cx += PairAdvance(*previous, nullptr);
    return size;
}

std::shared_ptr<Font> CreateFontIndirectA(const LOGFONTA& logFont) { return Font::Create(logFont); }

std::shared_ptr<Font> CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName) {
    LOGFONTA lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic != 0);
    lf.lfUnderline = static_cast<BYTE>(underline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName) std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return Font::Create(lf);
}

std::shared_ptr<Font> GetStockFont(int index) {
    static std::once_flag once;
    static std::shared_ptr<Font> gui, system;
    std::call_once(once, [] {
        gui = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, DEFAULT_QUALITY, 0, "MS Sans Serif");
        system = CreateFontA(16, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, DEFAULT_QUALITY, 0, "System");
    });
    switch (index) {
        case DEFAULT_GUI_FONT:
        case ANSI_VAR_FONT: return gui;
        case SYSTEM_FONT: return system;
        default: return nullptr;
    }
}

Size DialogBaseUnits(const Font& font) {
    Size extent = font.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(extent.cx / 26 + 1) / 2, font.TextMetrics().tmHeight};
}

}  // namespace win

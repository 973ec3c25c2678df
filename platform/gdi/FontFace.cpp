#include "platform/gdi/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstring>
#include <map>

namespace win {
namespace {

struct Library {
    FT_Library handle = nullptr;
    std::mutex mutex;  // FT_New_Face / FT_Done_Face on a shared library must not race
    Library() {
        if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
    }
};

// Deliberately never destroyed: fonts held in static objects elsewhere outlive any exit order.
Library& SharedLibrary() {
    static Library* library = new Library;
    return *library;
}

FT_Face OpenFace(const std::string& path, int index) {
    Library& lib = SharedLibrary();
    if (!lib.handle) return nullptr;
    std::lock_guard lock(lib.mutex);
    FT_Face face = nullptr;
    if (FT_New_Face(lib.handle, path.c_str(), index, &face) != 0) return nullptr;
    return face;
}

void CloseFace(FT_Face face) {
    Library& lib = SharedLibrary();
    std::lock_guard lock(lib.mutex);
    FT_Done_Face(face);
}

void FillMetrics(FT_Face face, FaceMetrics* m) {
    m->unitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
    m->hheaAscent = face->ascender;
    m->hheaDescent = -face->descender;
    m->lineGap = face->height - (face->ascender - face->descender);
    m->maxAdvance = face->max_advance_width;
    m->underlinePosition = -face->underline_position;
    m->underlineThickness = face->underline_thickness;
    m->winAscent = m->hheaAscent;
    m->winDescent = m->hheaDescent;
    m->avgCharWidth = m->unitsPerEm / 2;
    m->strikeoutPosition = m->unitsPerEm / 4;
    m->strikeoutSize = m->underlineThickness;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            m->winAscent = os2->usWinAscent;
            m->winDescent = os2->usWinDescent;
        }
        if (os2->xAvgCharWidth > 0) m->avgCharWidth = os2->xAvgCharWidth;
        m->weightClass = os2->usWeightClass;
        m->strikeoutPosition = os2->yStrikeoutPosition;
        m->strikeoutSize = os2->yStrikeoutSize;
    }
}

// Blending coverage linearly in display space makes thin stems look grey and washed out; GDI's
// grayscale text is visibly darker. Lifting partial coverage with a gamma curve gives the same
// firm strokes while keeping edges smooth.
const std::uint8_t* CoverageCurve() {
    static const auto curve = [] {
        std::array<std::uint8_t, 256> c{};
        for (int i = 0; i < 256; ++i) c[i] = static_cast<std::uint8_t>(std::lround(255.0 * std::pow(i / 255.0, 1.0 / 1.4)));
        return c;
    }();
    return curve.data();
}

// Windows-1252 text reaches symbol fonts as U+F000 + byte.
FT_UInt GlyphIndex(FT_Face face, char32_t codePoint) {
    FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0 && codePoint < 0x100) index = FT_Get_Char_Index(face, 0xF000 + codePoint);
    return index;
}

}  // namespace

struct FontFace::Impl {
    FT_Face face = nullptr;
};

bool ReadFaceMetrics(const std::string& path, int index, FaceMetrics* metrics) {
    FT_Face face = OpenFace(path, index);
    if (!face) return false;
    FillMetrics(face, metrics);
    CloseFace(face);
    return true;
}

std::shared_ptr<FontFace> FontFace::Open(const FaceRequest& request) {
    static std::mutex cacheMutex;
    static auto& cache = *new std::map<FaceRequest, std::shared_ptr<FontFace>>;  // lives to the end
    std::lock_guard lock(cacheMutex);
    if (auto it = cache.find(request); it != cache.end()) return it->second;
    FT_Face face = OpenFace(request.path, request.index);
    if (!face) return nullptr;
    if (FT_Set_Char_Size(face, request.ppemX64, static_cast<FT_F26Dot6>(request.ppemY) * 64, 72, 72) != 0) {
        CloseFace(face);
        return nullptr;
    }
    if (request.oblique) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees, like GDI's synthetic italic
        FT_Set_Transform(face, &shear, nullptr);
    }
    auto impl = std::make_unique<Impl>();
    impl->face = face;
    std::shared_ptr<FontFace> result(new FontFace(request, std::move(impl)));
    cache.emplace(request, result);
    return result;
}

FontFace::FontFace(FaceRequest request, std::unique_ptr<Impl> impl)
    : request_(std::move(request)), impl_(std::move(impl)) {}

FontFace::~FontFace() {
    if (impl_ && impl_->face) CloseFace(impl_->face);
}

int PairAdvance(const GlyphImage& glyph, const GlyphImage* next) {
    if (!next) return glyph.advance;
    const int drift = glyph.rsbDelta - next->lsbDelta;
    if (drift > 32) return glyph.advance - 1;
    if (drift < -32) return glyph.advance + 1;
    return glyph.advance;
}

const GlyphImage& FontFace::Glyph(char32_t codePoint) {
    if (codePoint < 256) {
        if (!latin_[codePoint]) latin_[codePoint] = std::make_unique<GlyphImage>(Render(codePoint));
        return *latin_[codePoint];
    }
    auto& slot = others_[codePoint];
    if (!slot) slot = std::make_unique<GlyphImage>(Render(codePoint));
    return *slot;
}

GlyphImage FontFace::Render(char32_t codePoint) {
    GlyphImage glyph;
    GlyphImage* out = &glyph;
    FT_Face face = impl_->face;
    // The Liberation and DejaVu instructions hint only vertically, which leaves stems smeared over
    // two pixels at 11 px; FreeType's own hinter snaps them in both directions like GDI does.
    FT_Int32 flags = (request_.mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL) | FT_LOAD_FORCE_AUTOHINT;
    if (FT_Load_Glyph(face, GlyphIndex(face, codePoint), flags) != 0) return glyph;
    FT_GlyphSlot slot = face->glyph;
    if (request_.embolden) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, request_.mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return glyph;
    const FT_Bitmap& bm = slot->bitmap;
    // The hinted advance, not the font's linear one: the bitmaps are hinted, and only with their own
    // advance does the delta correction in PairAdvance leave even gaps (the linear widths made
    // letters touch or drift apart at 10-11 px). Over a word the two differ by a pixel or two;
    // emboldening has already widened this advance.
    out->advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out->lsbDelta = static_cast<int>(slot->lsb_delta);
    out->rsbDelta = static_cast<int>(slot->rsb_delta);
    out->left = slot->bitmap_left;
    out->top = slot->bitmap_top;
    out->width = static_cast<int>(bm.width);
    out->height = static_cast<int>(bm.rows);
    out->coverage.assign(static_cast<std::size_t>(out->width) * out->height, 0);
    if (out->coverage.empty()) return glyph;
    for (int y = 0; y < out->height; ++y) {
        const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        std::uint8_t* dst = out->coverage.data() + static_cast<std::size_t>(y) * out->width;
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int x = 0; x < out->width; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
            const std::uint8_t* curve = CoverageCurve();
            for (int x = 0; x < out->width; ++x) dst[x] = curve[src[x]];
        }
    }
    return glyph;
}

}  // namespace win

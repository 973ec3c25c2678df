#pragma once
// A logical font: the LOGFONTA it was created from, resolved through fontconfig to a font file and
// rendered by FreeType at the size GDI would choose. Immutable and shared between DCs. Created by
// UI code (CreateFontA, stock fonts); the DC draws with it.
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/Geometry.h"
#include "platform/gdi/GdiTypes.h"

namespace win {

constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

struct TEXTMETRICA {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 96;
    LONG tmDigitizedAspectY = 96;
    BYTE tmFirstChar = 0x20;
    BYTE tmLastChar = 0xFF;
    BYTE tmDefaultChar = 0x1F;
    BYTE tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

class FontFace;

class Font {
public:
    // lfHeight < 0: character height (em) in pixels; > 0: cell height (ascent + descent);
    // 0: 16-pixel characters. lfWidth > 0 stretches to that average width. lfEscapement is not
    // supported (text is always horizontal). Never null: without any usable font file the result
    // measures and draws nothing.
    static std::shared_ptr<Font> Create(const LOGFONTA& logFont);

    const LOGFONTA& LogFont() const { return logFont_; }
    const TEXTMETRICA& TextMetrics() const { return metrics_; }
    const std::string& FamilyName() const { return family_; }
    const std::string& FilePath() const { return path_; }
    bool IsMonochrome() const { return monochrome_; }

    Size GetTextExtent(std::string_view text) const;

    // For the DC: the rendered face (may be null) and the decoration lines, in pixels relative to
    // the baseline (positive down for the underline, up for the strike-out).
    FontFace* Face() const { return face_.get(); }
    int UnderlineOffset() const { return underlineOffset_; }
    int UnderlineThickness() const { return underlineThickness_; }
    int StrikeoutOffset() const { return strikeoutOffset_; }
    int StrikeoutThickness() const { return strikeoutThickness_; }

private:
    Font() = default;

    LOGFONTA logFont_;
    TEXTMETRICA metrics_;
    std::string family_;
    std::string path_;
    bool monochrome_ = false;
    std::shared_ptr<FontFace> face_;
    int underlineOffset_ = 1;
    int underlineThickness_ = 1;
    int strikeoutOffset_ = 3;
    int strikeoutThickness_ = 1;
};

std::shared_ptr<Font> CreateFontIndirectA(const LOGFONTA& logFont);
std::shared_ptr<Font> CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName);

// GetStockObject for fonts: DEFAULT_GUI_FONT and ANSI_VAR_FONT are "MS Sans Serif" at -11 (8 pt),
// SYSTEM_FONT is the bold 16-pixel "System" font that a fresh DC holds. Other indices give nullptr.
std::shared_ptr<Font> GetStockFont(int index);

// Dialog base units as Windows computes them for a dialog font: x is the average width of
// "A".."Z" "a".."z" rounded, y the font's cell height.
Size DialogBaseUnits(const Font& font);

}  // namespace win

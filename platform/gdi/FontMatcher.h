#pragma once
// Finds the font file for a Windows face name, weight and slant through fontconfig. Windows UI
// face names that fontconfig would map to faces of quite different width are substituted first.
#include <string>
#include <string_view>

namespace win {

struct FontMatch {
    std::string path;
    int index = 0;
    std::string family;
    int weight = 400;  // Windows / OpenType scale
    bool italic = false;
};

// The family we ask fontconfig for in place of `faceName` (the name itself when not substituted).
std::string SubstituteFaceName(std::string_view faceName);
// How a stand-in face is drawn to look like the Windows face it replaces: unsmoothed for a bitmap
// font (Windows never smooths those), and condensed where the stand-in runs wider.
struct FaceLook {
    bool raster = false;
    double widthScale = 1.0;
};
FaceLook WindowsFaceLook(std::string_view faceName);
// Cached; an empty path when fontconfig finds nothing at all.
FontMatch MatchFont(std::string_view faceName, int weight, bool italic);

}  // namespace win

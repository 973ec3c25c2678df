#include "platform/gdi/FontMatcher.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <tuple>

namespace win {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// "MS Sans Serif" and the dialog aliases have Arial-like widths (6 x 13 dialog units at 8 pt);
// fontconfig's default for unknown names is DejaVu Sans, about 15 % wider, which breaks layouts.
// Some of these names are bitmap (raster) fonts on Windows, which are never smoothed. MS Sans Serif's
// 13-pixel bitmaps run about 5 % narrower than Liberation Sans at that height (A-Z a-z: 323 pixels
// against 331 in Wine's metric copy; "Controller" 44 against 47), enough to wrap labels sized for
// them, so its stand-in is condensed to match.
struct Substitute {
    const char* windowsName;
    const char* family;
    FaceLook look = {};
};
constexpr FaceLook kMsSansSerif{true, 0.95};
constexpr Substitute kSubstitutes[] = {
    {"", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans", kMsSansSerif},
    {"ms shell dlg", "Liberation Sans", kMsSansSerif},  // MS Sans Serif through the system's substitutes
    {"helv", "Liberation Sans", kMsSansSerif},
    {"ms shell dlg 2", "Liberation Sans"},
    {"microsoft sans serif", "Liberation Sans"},
    {"system", "Liberation Sans", {true}},
    {"tahoma", "Liberation Sans"},
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"verdana", "DejaVu Sans"},
    {"courier", "Liberation Mono", {true}},
    {"courier new", "Liberation Mono"},
    {"fixedsys", "Liberation Mono", {true}},
    {"terminal", "Liberation Mono", {true}},
    {"lucida console", "Liberation Mono"},
    {"times new roman", "Liberation Serif"},
    {"ms serif", "Liberation Serif", {true}},
};

const Substitute* FindSubstitute(std::string_view faceName) {
    std::string key = Lower(faceName);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    for (const Substitute& s : kSubstitutes)
        if (key == s.windowsName) return &s;
    return nullptr;
}

FontMatch Query(const std::string& family, int weight, bool italic) {
    FontMatch result;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult status;
    FcPattern* match = FcFontMatch(nullptr, pattern, &status);
    if (match) {
        FcChar8* text = nullptr;
        int value = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &text) == FcResultMatch) result.path = reinterpret_cast<char*>(text);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &value) == FcResultMatch) result.index = value;
        if (FcPatternGetString(match, FC_FAMILY, 0, &text) == FcResultMatch) result.family = reinterpret_cast<char*>(text);
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &value) == FcResultMatch) result.weight = FcWeightToOpenType(value);
        if (FcPatternGetInteger(match, FC_SLANT, 0, &value) == FcResultMatch) result.italic = value != FC_SLANT_ROMAN;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return result;
}

}  // namespace

std::string SubstituteFaceName(std::string_view faceName) {
    const Substitute* substitute = FindSubstitute(faceName);
    return substitute ? substitute->family : std::string(faceName);
}

FaceLook WindowsFaceLook(std::string_view faceName) {
    const Substitute* substitute = FindSubstitute(faceName);
    return substitute ? substitute->look : FaceLook{};
}

FontMatch MatchFont(std::string_view faceName, int weight, bool italic) {
    static std::mutex mutex;
    static std::map<std::tuple<std::string, int, bool>, FontMatch> cache;
    std::string family = SubstituteFaceName(faceName);
    auto key = std::make_tuple(Lower(family), weight, italic);
    std::lock_guard lock(mutex);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    FontMatch match = Query(family, weight, italic);
    cache.emplace(key, match);
    return match;
}

}  // namespace win

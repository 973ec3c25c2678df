#pragma once
// The editor's colours: the green panel metal, its printed lettering and the lit accents, shared by
// every picture so that the parts sit together.
#include "tools/artwork/Canvas.h"

namespace art::theme {

constexpr Rgb kPanel{33, 59, 45};
constexpr Rgb kHeader{22, 41, 31};
constexpr Rgb kPrint{192, 220, 205};          // silk-screened titles
constexpr Rgb kLabel{156, 206, 206};          // the controls' own text colour, for scales
constexpr Rgb kHighlight{0, 255, 255};
constexpr Rgb kShadow{3, 9, 6};
constexpr Rgb kBevelLight{112, 150, 128};
constexpr Rgb kBevelDark{6, 14, 10};
constexpr Rgb kDisplay{7, 17, 13};            // glass of the name field and the readout

}  // namespace art::theme

#pragma once
// The editor's pictures as the generator paints them: the panel background first, then every part
// that the controls copy over it, each painted on the background where it will be shown so that
// its edges melt into the panel.
#include <vector>

#include "tools/artwork/Canvas.h"

namespace art {

struct Picture {
    unsigned id = 0;
    int bitsPerPixel = 8;
    Canvas canvas;
};

Canvas PaintPanelBackground();
void PaintTopRowParts(Canvas& background, std::vector<Picture>& out);     // 215, 216, 223, 222
void PaintContourParts(Canvas& background, std::vector<Picture>& out);    // 141 144 160 196 199 145 161 220
void PaintMixerParts(Canvas& background, std::vector<Picture>& out);      // 159 133 157 131 197 189 191 219

// Every picture of the editor, background included, in a fixed order.
std::vector<Picture> PaintAllPictures();

}  // namespace art

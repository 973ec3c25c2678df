#pragma once
// Composes the whole 582 x 408 editor from the encoded pictures the way the panel, the mixer and
// the contour control paint it (same sources, same destinations, same order), so that the art can
// be judged in place and in both states of every part.
#include <map>
#include <memory>

#include "platform/gdi/Bitmap.h"

namespace art {

struct EditorState {
    int edited = 0;            // 1 lights A on the compare switch
    int pressedButtons = 0;    // bits: 1 close, 2 help, 4 load, 8 save (the panel holds one at a time)
    int effectLevel = 96;
    bool mixerSelected = false;
    bool leftOn = true;
    bool rightOn = true;
    bool clipLit = false;
    int lowValue = 100, midValue = 70, highValue = 40, cutoffValue = 64;
    int contourSelection = 8;  // 1 low, 2 mid, 4 high, 16 cutoff marker, 8 none
    bool bypassOn = false;
};

using PictureSet = std::map<unsigned, std::shared_ptr<win::Bitmap>>;

std::shared_ptr<win::Bitmap> ComposeEditor(const PictureSet& pictures, const EditorState& state);

}  // namespace art

#include "tools/artwork/Artwork.h"

namespace art {

std::vector<Picture> PaintAllPictures() {
    std::vector<Picture> pictures;
    Canvas background = PaintPanelBackground();
    // The parts are painted over the finished background, before it is moved into the list.
    PaintTopRowParts(background, pictures);
    PaintContourParts(background, pictures);
    PaintMixerParts(background, pictures);
    pictures.insert(pictures.begin(), Picture{185, 8, std::move(background)});
    return pictures;
}

}  // namespace art

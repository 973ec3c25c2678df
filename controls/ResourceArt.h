#pragma once
// Copies resource art (the library's bitmaps) into a device context: the one way the panel and its
// controls put their pictures together. A bitmap that cannot be loaded draws nothing.
#include <memory>

#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/DC.h"

namespace win { class Bitmap; }

// One copy, with the bitmap loaded for it and released right after.
void CopyArt(win::DC& target, win::UINT id, int x, int y, int w, int h, int sx, int sy);
// The whole bitmap at its natural size.
void CopyArt(win::DC& target, win::UINT id, win::Point at);

// Many copies into one target through one scratch DC, for a paint procedure that draws several
// pieces. Each bitmap is loaded when needed; the panel background, which serves several copies of
// one paint, is kept until the painter goes.
class ArtPainter {
public:
    explicit ArtPainter(win::DC& target) : target_(target) {}

    void Copy(win::UINT id, int x, int y, int w, int h, int sx, int sy);
    void CopyWhole(win::UINT id, win::Point at);
    // Puts the panel background back under a rectangle of a window whose client origin lies at
    // `origin` on the panel.
    void RestoreBackground(const win::Rect& r, win::Point origin);

private:
    void CopyFrom(const std::shared_ptr<win::Bitmap>& art, int x, int y, int w, int h, int sx, int sy);

    win::DC& target_;
    win::DC scratch_;
    std::shared_ptr<win::Bitmap> background_;
};

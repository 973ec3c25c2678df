#include "controls/ResourceArt.h"

#include "platform/gdi/Bitmap.h"
#include "platform/module/Module.h"
#include "resources/ResourceIds.h"

using namespace win;

namespace {

void Blit(DC& target, DC& scratch, const std::shared_ptr<Bitmap>& art, int x, int y, int w, int h, int sx, int sy) {
    if (!art) return;
    scratch.SelectBitmap(art);
    target.BitBlt(x, y, w, h, &scratch, sx, sy, SRCCOPY);
    scratch.SelectBitmap(nullptr);
}

}  // namespace

void CopyArt(DC& target, UINT id, int x, int y, int w, int h, int sx, int sy) {
    DC scratch;
    Blit(target, scratch, LoadBitmap(id), x, y, w, h, sx, sy);
}

void CopyArt(DC& target, UINT id, Point at) {
    std::shared_ptr<Bitmap> art = LoadBitmap(id);
    if (!art) return;
    DC scratch;
    Blit(target, scratch, art, at.x, at.y, art->Width(), art->Height(), 0, 0);
}

void ArtPainter::CopyFrom(const std::shared_ptr<Bitmap>& art, int x, int y, int w, int h, int sx, int sy) {
    Blit(target_, scratch_, art, x, y, w, h, sx, sy);
}

void ArtPainter::Copy(UINT id, int x, int y, int w, int h, int sx, int sy) {
    if (id != IDB_PANEL_BACKGROUND) {
        CopyFrom(LoadBitmap(id), x, y, w, h, sx, sy);
        return;
    }
    if (!background_) background_ = LoadBitmap(IDB_PANEL_BACKGROUND);
    CopyFrom(background_, x, y, w, h, sx, sy);
}

void ArtPainter::CopyWhole(UINT id, Point at) {
    std::shared_ptr<Bitmap> art = LoadBitmap(id);
    if (art) CopyFrom(art, at.x, at.y, art->Width(), art->Height(), 0, 0);
}

void ArtPainter::RestoreBackground(const Rect& r, Point origin) {
    Copy(IDB_PANEL_BACKGROUND, r.left, r.top, r.Width(), r.Height(), r.left + origin.x, r.top + origin.y);
}

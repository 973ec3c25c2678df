#include "controls/OffscreenPicture.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"

using namespace win;

OffscreenPicture::OffscreenPicture() = default;

OffscreenPicture::~OffscreenPicture() {
    if (backDC && savedBitmap) backDC->SelectBitmap(savedBitmap);
    backDC.reset();
    backBitmap.reset();
}

void OffscreenPicture::MakePicture(const Rect& client, const char* label) {
    clientRect = client;
    backBitmap = std::make_shared<Bitmap>(clientRect.Width(), clientRect.Height());
    if (label) backBitmap->label = label;
    backDC = std::make_unique<DC>();
    savedBitmap = backDC->SelectBitmap(backBitmap);
}

void OffscreenPicture::CopyPictureTo(DC& screen) const {
    if (!backDC) return;
    screen.BitBlt(clientRect.left, clientRect.top, clientRect.Width(), clientRect.Height(), backDC.get(), 0, 0, SRCCOPY);
}

#pragma once
// The persistent off-screen picture of a custom-drawn window: a bitmap of its client size selected
// into a memory DC, made at the first paint and kept for the window's life. A paint redraws what
// changed into it and copies the whole of it to the screen in one block.
#include <memory>

#include "platform/base/Geometry.h"

namespace win {
class Bitmap;
class DC;
}

class OffscreenPicture {
public:
    OffscreenPicture();
    ~OffscreenPicture();
    OffscreenPicture(const OffscreenPicture&) = delete;
    OffscreenPicture& operator=(const OffscreenPicture&) = delete;

    // Makes the picture for a client rectangle; `label` names the bitmap in diagnostics.
    void MakePicture(const win::Rect& client, const char* label);
    // The whole picture onto `screen` at the client rectangle.
    void CopyPictureTo(win::DC& screen) const;

    std::shared_ptr<win::Bitmap> backBitmap;
    win::Rect clientRect;
    // What the DC held before the picture, given back before both go.
    std::shared_ptr<win::Bitmap> savedBitmap;
    std::unique_ptr<win::DC> backDC;
    bool backReady = false;
};

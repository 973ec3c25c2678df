#pragma once
// Device contexts on a window: PaintDC brackets a WM_PAINT (BeginPaint/EndPaint) and is clipped to
// the update area; ClientDC draws at any time. Both draw into the window's top-level surface, clipped
// to the window's visible client area without its visible children, so a parent's paint never wipes
// a child's picture.
#include "platform/gdi/DC.h"

namespace win {

class Window;

class PaintDC : public DC {
public:
    explicit PaintDC(Window* window);
    ~PaintDC();
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    const Rect& PaintRect() const { return paintRect_; }  // bounds of the area to paint, client coordinates

private:
    Rect paintRect_;
};

class ClientDC : public DC {
public:
    explicit ClientDC(Window* window);
};

// Fonts the window system draws with when a window has none of its own.
Font* DefaultGuiFont();
Font* CaptionFont();

}  // namespace win

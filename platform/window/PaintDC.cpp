#include "platform/window/PaintDC.h"

#include "platform/gdi/Font.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

void Aim(DC& dc, Window* window, Region clip) {
    Point origin = window->ClientOriginInSurface();
    dc.SetDeviceOrigin(origin);
    clip.Offset(origin.x, origin.y);
    dc.SetClipRegion(clip);
    if (Font* font = window->TextFont()) dc.SelectFont(std::shared_ptr<Font>(std::shared_ptr<Font>(), font));
    WindowSystem::Instance().NoteDamage(window->GetTopLevelParent(), clip.Bounds());
}

}  // namespace

PaintDC::PaintDC(Window* window) : DC(window ? window->Surface() : nullptr) {
    if (!window || !window->GetSafeHwnd()) return;
    Region area = window->UpdateRegion();
    area.Intersect(window->VisibleClientRegion(true));
    paintRect_ = window->UpdateRegion().Bounds();
    const bool erase = window->EraseNeeded();
    window->ValidateRect(nullptr);
    Aim(*this, window, area);
    if (erase) window->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<DC*>(this)), 0);
}

PaintDC::~PaintDC() = default;

ClientDC::ClientDC(Window* window) : DC(window ? window->Surface() : nullptr) {
    if (!window || !window->GetSafeHwnd()) return;
    Aim(*this, window, window->VisibleClientRegion(true));
}

Font* DefaultGuiFont() {
    static std::shared_ptr<Font> font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    return font.get();
}

Font* CaptionFont() {
    static std::shared_ptr<Font> font = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    return font.get();
}

}  // namespace win

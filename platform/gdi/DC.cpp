// DC state: selected objects, colours, origins, the clip region and SaveDC/RestoreDC.
#include "platform/gdi/DC.h"

namespace win {

DC::DC() { state_.font = GetStockFont(SYSTEM_FONT); }

DC::DC(Bitmap* target) : DC() { state_.target = target; }

std::shared_ptr<Bitmap> DC::SelectBitmap(std::shared_ptr<Bitmap> bitmap) {
    std::shared_ptr<Bitmap> previous = std::move(state_.selected);
    state_.selected = std::move(bitmap);
    state_.target = state_.selected.get();
    ClipChanged();
    return previous;
}

void DC::SetDeviceOrigin(Point origin) { state_.deviceOrigin = origin; }

BOOL DC::SetViewportOrgEx(int x, int y, Point* previous) {
    if (previous) *previous = state_.viewportOrigin;
    state_.viewportOrigin = {x, y};
    return TRUE;
}

BOOL DC::OffsetViewportOrgEx(int dx, int dy, Point* previous) {
    return SetViewportOrgEx(state_.viewportOrigin.x + dx, state_.viewportOrigin.y + dy, previous);
}

BOOL DC::GetViewportOrgEx(Point* origin) const {
    if (!origin) return FALSE;
    *origin = state_.viewportOrigin;
    return TRUE;
}

BOOL DC::SetWindowOrgEx(int x, int y, Point* previous) {
    if (previous) *previous = state_.windowOrigin;
    state_.windowOrigin = {x, y};
    return TRUE;
}

BOOL DC::GetWindowOrgEx(Point* origin) const {
    if (!origin) return FALSE;
    *origin = state_.windowOrigin;
    return TRUE;
}

void DC::SetClipRegion(const std::optional<Region>& deviceRegion) {
    state_.clip = deviceRegion;
    ClipChanged();
}

Region DC::CurrentClipRegion() const {
    Rect bounds = state_.target ? state_.target->Bounds() : Rect{};
    Region region = state_.clip ? *state_.clip : Region(bounds);
    region.Intersect(bounds);
    return region;
}

const std::vector<Rect>& DC::DeviceClipRects() const {
    // The target may be resized behind our back (a window surface reassigned), so the cache
    // remembers which size it was cut to.
    Size size = state_.target ? Size{state_.target->Width(), state_.target->Height()} : Size{};
    if (!clipValid_ || clipTarget_ != state_.target || clipSize_ != size) {
        clipRects_ = CurrentClipRegion().Rects();
        clipValid_ = true;
        clipTarget_ = state_.target;
        clipSize_ = size;
    }
    return clipRects_;
}

int DC::ClipType() const {
    const std::vector<Rect>& rects = DeviceClipRects();
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int DC::IntersectClipRect(const Rect& logical) {
    Region region = CurrentClipRegion();
    region.Intersect(LogicalToDevice(logical));
    SetClipRegion(region);
    return ClipType();
}

int DC::ExcludeClipRect(const Rect& logical) {
    Region region = CurrentClipRegion();
    region.Subtract(LogicalToDevice(logical));
    SetClipRegion(region);
    return ClipType();
}

int DC::GetClipBox(Rect* logical) const {
    if (!logical) return ERROR;
    Rect box;
    for (const Rect& r : DeviceClipRects()) box = box.Union(r);
    *logical = box.IsEmpty() ? Rect{} : box.Offset(Point{} - Offset());
    return ClipType();
}

BOOL DC::PtVisible(int x, int y) const {
    Point p = LogicalToDevice(Point{x, y});
    for (const Rect& r : DeviceClipRects())
        if (r.Contains(p)) return TRUE;
    return FALSE;
}

Pen DC::SelectPen(const Pen& pen) {
    Pen previous = state_.pen;
    state_.pen = pen;
    return previous;
}

Brush DC::SelectBrush(const Brush& brush) {
    Brush previous = state_.brush;
    state_.brush = brush;
    return previous;
}

std::shared_ptr<Font> DC::SelectFont(std::shared_ptr<Font> font) {
    std::shared_ptr<Font> previous = std::move(state_.font);
    state_.font = font ? std::move(font) : GetStockFont(SYSTEM_FONT);
    return previous;
}

const Font& DC::ActiveFont() const { return *state_.font; }

COLORREF DC::SetTextColor(COLORREF color) {
    COLORREF previous = state_.textColor;
    state_.textColor = color & 0x00FFFFFF;
    return previous;
}

COLORREF DC::SetBkColor(COLORREF color) {
    COLORREF previous = state_.bkColor;
    state_.bkColor = color & 0x00FFFFFF;
    return previous;
}

int DC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    int previous = state_.bkMode;
    state_.bkMode = mode;
    return previous;
}

int DC::SetStretchBltMode(int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    int previous = state_.stretchMode;
    state_.stretchMode = mode;
    return previous;
}

UINT DC::SetTextAlign(UINT align) {
    UINT previous = state_.textAlign;
    state_.textAlign = align;
    return previous;
}

int DC::SaveDC() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

BOOL DC::RestoreDC(int saved) {
    int level = saved < 0 ? static_cast<int>(saved_.size()) + 1 + saved : saved;
    if (level < 1 || level > static_cast<int>(saved_.size())) return FALSE;
    state_ = saved_[static_cast<std::size_t>(level - 1)];
    saved_.resize(static_cast<std::size_t>(level - 1));
    ClipChanged();
    return TRUE;
}

}  // namespace win

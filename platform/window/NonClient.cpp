// The frame and caption of windows that have them, in the classic 3-D look, and their hit-testing.
#include <algorithm>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/window/PaintDC.h"
#include "platform/window/SystemMetrics.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

namespace win {
namespace {

void Edge(DC& dc, Rect r, COLORREF topLeft, COLORREF bottomRight) {
    dc.FillSolidRect({r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    dc.FillSolidRect({r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    dc.FillSolidRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    dc.FillSolidRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

Rect Shrink(Rect r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

// The frame's width without the client and static edges, which lie inside the caption.
int FrameWidth(const Window& w) {
    int frame = w.NonClientInsets().left;
    if (w.GetExStyle() & WS_EX_CLIENTEDGE) frame -= 2;
    if (w.GetExStyle() & WS_EX_STATICEDGE) frame -= 1;
    return std::max(frame, 0);
}

bool IsToolWindow(const Window& w) { return (w.GetExStyle() & WS_EX_TOOLWINDOW) != 0; }

// The close box at the right end of the caption: a caption button (SM_CXSIZE x SM_CYSIZE, or the
// small sizes on a tool window's caption) drawn 2 pixels narrower and 4 shorter, 2 pixels in from the
// frame: 16 x 14 on a caption, 10 x 11 on a small one.
Rect CloseBox(const Window& w) {
    const bool tool = IsToolWindow(w);
    const int frame = FrameWidth(w);
    const int width = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
    const int height = GetSystemMetrics(tool ? SM_CYSMSIZE : SM_CYSIZE) - 4;
    return Rect::FromSize(w.RectInParent().Width() - frame - 2 - width, frame + 2, width, height);
}

void DrawCaption(DC& dc, const Window& w, Rect caption, bool active) {
    COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    int width = std::max(1, caption.Width());
    for (int x = 0; x < caption.Width(); ++x) {
        auto mix = [&](int a, int b) { return a + (b - a) * x / width; };
        COLORREF c = RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                         mix(GetBValue(from), GetBValue(to)));
        dc.FillSolidRect({caption.left + x, caption.top, caption.left + x + 1, caption.bottom}, c);
    }
    dc.SelectFont(std::shared_ptr<Font>(std::shared_ptr<Font>(), CaptionFont()));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    const bool closeBox = (w.GetStyle() & WS_SYSMENU) != 0;
    Rect box = CloseBox(w);
    Rect text{caption.left + 3, caption.top, closeBox ? box.left - 2 : caption.right - 2, caption.bottom};
    dc.DrawTextA(w.GetWindowText(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

    if (!closeBox) return;
    dc.FillSolidRect(box, GetSysColor(COLOR_BTNFACE));
    Edge(dc, box, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    Edge(dc, Shrink(box, 1), GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
    // The cross: two 2-pixel-wide diagonals, 8 x 7 pixels in the caption's box, 6 x 5 in the small one.
    int size = IsToolWindow(w) ? 5 : 7;
    int x0 = box.left + (box.Width() - size) / 2;
    int y0 = box.top + (box.Height() - size) / 2;
    for (int i = 0; i < size; ++i) {
        dc.FillSolidRect(Rect::FromSize(x0 + i, y0 + i, 2, 1), RGB(0, 0, 0));
        dc.FillSolidRect(Rect::FromSize(x0 + size - 1 - i, y0 + i, 2, 1), RGB(0, 0, 0));
    }
}

}  // namespace

void Window::OnNcPaint() {
    if (!frameDirty_) return;
    frameDirty_ = false;
    Rect in = NonClientInsets();
    if (in.left == 0 && in.top == 0 && in.right == 0 && in.bottom == 0) return;
    DC dc(Surface());
    Point origin = ClientOriginInSurface();
    origin = {origin.x - in.left, origin.y - in.top};
    dc.SetDeviceOrigin(origin);
    Rect outer{0, 0, rect_.Width(), rect_.Height()};
    Region clip(outer.Offset(origin));
    if (parent_) {
        // A child's frame is clipped to its parent's client area.
        Point parentOrigin = parent_->ClientOriginInSurface();
        Region own(outer.Offset(origin));
        own.Intersect(parent_->ClientRect().Offset(parentOrigin));
        clip = own;
    }
    clip.Subtract(ClientRect().Offset(in.left + origin.x, in.top + origin.y));
    dc.SetClipRegion(clip);

    Rect r = outer;
    int frame = in.left;
    if (exStyle_ & WS_EX_CLIENTEDGE) frame -= 2;
    if (exStyle_ & WS_EX_STATICEDGE) frame -= 1;
    if (frame >= 3) {
        Edge(dc, r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        Edge(dc, Shrink(r, 1), GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        for (int i = 2; i < frame; ++i) Edge(dc, Shrink(r, i), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    } else if (frame == 1) {
        Edge(dc, r, RGB(0, 0, 0), RGB(0, 0, 0));
    }
    r = Shrink(r, std::max(frame, 0));
    if ((style_ & WS_CAPTION) == WS_CAPTION) {
        int captionHeight = GetSystemMetrics((exStyle_ & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
        Rect caption{r.left, r.top, r.right, r.top + captionHeight - 1};
        DrawCaption(dc, *this, caption, WindowSystem::Instance().Active() == this);
        dc.FillSolidRect({r.left, caption.bottom, r.right, caption.bottom + 1}, GetSysColor(COLOR_BTNFACE));
        r.top += captionHeight;
    }
    if (exStyle_ & WS_EX_CLIENTEDGE) {
        Edge(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        Edge(dc, Shrink(r, 1), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
        r = Shrink(r, 2);
    }
    if (exStyle_ & WS_EX_STATICEDGE) Edge(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    WindowSystem::Instance().NoteDamage(GetTopLevelParent(), clip.Bounds());
}

int Window::OnNcHitTest(Point screen) {
    Rect wr = WindowRect();
    if (!wr.Contains(screen)) return HTNOWHERE;
    Point p = screen - wr.TopLeft();
    Rect in = NonClientInsets();
    if (ClientRect().Offset(in.left, in.top).Contains(p)) return HTCLIENT;
    if ((style_ & WS_CAPTION) == WS_CAPTION && p.y >= in.left && p.y < in.top) {
        if ((style_ & WS_SYSMENU) && CloseBox(*this).Contains(p)) return HTCLOSE;
        return HTCAPTION;
    }
    return HTBORDER;
}

}  // namespace win

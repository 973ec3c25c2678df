#pragma once
// A device context: draws into a target bitmap through a device origin and a clip region, with the
// selected pen, brush and font. Window surfaces are drawn through DC(Bitmap*), owned by the window
// system, which sets the origin and clip; memory DCs get their bitmap with SelectBitmap.
//
// Coordinates: device = logical - window origin + viewport origin + device origin. The clip region
// is kept in device coordinates and is always limited to the target's bounds.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Pen.h"

namespace win {

class DC {
public:
    DC();                           // memory DC: draws nothing until a bitmap is selected
    explicit DC(Bitmap* target);    // draws into `target`, which must outlive the DC
    DC(const DC&) = delete;
    DC& operator=(const DC&) = delete;

    std::shared_ptr<Bitmap> SelectBitmap(std::shared_ptr<Bitmap> bitmap);  // returns the previous one
    Bitmap* Target() const { return state_.target; }

    void SetDeviceOrigin(Point origin);
    Point DeviceOrigin() const { return state_.deviceOrigin; }
    BOOL SetViewportOrgEx(int x, int y, Point* previous = nullptr);
    BOOL OffsetViewportOrgEx(int dx, int dy, Point* previous = nullptr);
    BOOL GetViewportOrgEx(Point* origin) const;
    BOOL SetWindowOrgEx(int x, int y, Point* previous = nullptr);
    BOOL GetWindowOrgEx(Point* origin) const;
    Point LogicalToDevice(Point p) const { return p + Offset(); }
    Rect LogicalToDevice(const Rect& r) const { return r.Offset(Offset()); }
    Point DeviceToLogical(Point p) const { return p - Offset(); }

    // Clipping. SetClipRegion replaces the region (device coordinates); nullopt means the whole
    // target. IntersectClipRect / ExcludeClipRect take logical rectangles and return the region
    // type, like GetClipBox, which gives the logical bounding box of what can be drawn.
    void SetClipRegion(const std::optional<Region>& deviceRegion);
    void ClearClip() { SetClipRegion(std::nullopt); }
    int IntersectClipRect(const Rect& logical);
    int IntersectClipRect(int left, int top, int right, int bottom) { return IntersectClipRect(Rect{left, top, right, bottom}); }
    int ExcludeClipRect(const Rect& logical);
    int ExcludeClipRect(int left, int top, int right, int bottom) { return ExcludeClipRect(Rect{left, top, right, bottom}); }
    int GetClipBox(Rect* logical) const;
    BOOL PtVisible(int x, int y) const;
    // The drawable area in device coordinates: disjoint rectangles inside the target.
    const std::vector<Rect>& DeviceClipRects() const;

    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    std::shared_ptr<Font> SelectFont(std::shared_ptr<Font> font);  // null selects the stock system font
    const Pen& CurrentPen() const { return state_.pen; }
    const Brush& CurrentBrush() const { return state_.brush; }
    const std::shared_ptr<Font>& CurrentFont() const { return state_.font; }

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return state_.textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return state_.bkColor; }
    int SetBkMode(int mode);  // TRANSPARENT or OPAQUE; 0 (and the mode unchanged) otherwise
    int GetBkMode() const { return state_.bkMode; }
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return state_.stretchMode; }
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const { return state_.textAlign; }

    // Saves everything above (objects, colours, modes, origins, clip, current position).
    int SaveDC();
    BOOL RestoreDC(int saved);  // a level from SaveDC, or -1 for the latest

    // Copies. Source pixels outside the source bitmap leave their destination pixels untouched.
    BOOL BitBlt(int x, int y, int w, int h, DC* source, int sx, int sy, DWORD rop = SRCCOPY);
    // Nearest-neighbour in every stretch mode. Walking the destination away from (x, y), pixel i
    // takes source pixel floor((2i + 1) * |sw| / (2 * |w|)) counted away from (sx, sy). A negative
    // extent covers the pixels before its start (x + w .. x - 1), so opposite signs mirror.
    BOOL StretchBlt(int x, int y, int w, int h, DC* source, int sx, int sy, int sw, int sh, DWORD rop = SRCCOPY);
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop);

    void FillRect(const Rect& rect, const Brush& brush);
    // As MFC's CDC::FillSolidRect, this leaves the background colour set to `color`.
    void FillSolidRect(const Rect& rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color) { FillSolidRect(Rect::FromSize(x, y, cx, cy), color); }
    BOOL FrameRect(const Rect& rect, const Brush& brush);
    BOOL InvertRect(const Rect& rect);
    // Inverts every other pixel of the outline (XOR), so a second call removes it.
    BOOL DrawFocusRect(const Rect& rect);
    // Outline with the pen on the outermost pixels (right/bottom excluded) and the inside filled
    // with the brush. A wider pen is centred on that outline; with a null pen the filled area is
    // one pixel smaller to the right and bottom, as in GDI.
    BOOL Rectangle(int left, int top, int right, int bottom);
    Point MoveTo(int x, int y);  // returns the previous position
    BOOL MoveToEx(int x, int y, Point* previous);
    Point CurrentPosition() const { return state_.position; }
    // Bresenham from the current position, end point excluded. PS_DOT: 3 pixels on, 3 off,
    // restarting at MoveTo; gaps get the background colour in OPAQUE mode.
    BOOL LineTo(int x, int y);
    COLORREF SetPixel(int x, int y, COLORREF color);  // CLR_INVALID when clipped away
    COLORREF GetPixel(int x, int y) const;            // CLR_INVALID outside the clip or target

    // Text. (x, y) is the top-left of the text cell unless SetTextAlign says otherwise; OPAQUE mode
    // fills the cell with the background colour.
    BOOL TextOutA(int x, int y, const char* text, int length);
    BOOL TextOutA(int x, int y, std::string_view text);
    // ETO_OPAQUE fills *rect with the background colour, ETO_CLIPPED clips to it; dx, when given,
    // holds one advance per character.
    BOOL ExtTextOutA(int x, int y, UINT options, const Rect* rect, std::string_view text, const int* dx = nullptr);
    // Lines break at CR, LF and CR LF unless DT_SINGLELINE; DT_WORDBREAK wraps at spaces (a word
    // wider than the rectangle keeps its own line); "&x" underlines x and "&&" is "&" unless
    // DT_NOPREFIX; DT_END_ELLIPSIS shortens each line that does not fit with "...". Tabs expand
    // to 8 average character widths with DT_EXPANDTABS. Returns the text height, or with
    // DT_VCENTER / DT_BOTTOM the offset from rect->top to the bottom of the text.
    int DrawTextA(std::string_view text, Rect* rect, UINT format);
    int DrawTextA(const char* text, int length, Rect* rect, UINT format);
    Size GetTextExtent(std::string_view text) const;
    BOOL GetTextExtentPoint32A(const char* text, int length, Size* size) const;
    BOOL GetTextMetricsA(TEXTMETRICA* metrics) const;

private:
    struct State {
        Point deviceOrigin;
        Point viewportOrigin;
        Point windowOrigin;
        std::optional<Region> clip;  // device coordinates
        Pen pen;
        Brush brush;
        std::shared_ptr<Font> font;
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF bkColor = RGB(255, 255, 255);
        int bkMode = OPAQUE;
        int stretchMode = BLACKONWHITE;
        UINT textAlign = 0;
        Point position;
        int dotPhase = 0;
        Bitmap* target = nullptr;
        std::shared_ptr<Bitmap> selected;
    };

    Point Offset() const {
        return state_.deviceOrigin + state_.viewportOrigin - state_.windowOrigin;
    }
    void ClipChanged() { clipValid_ = false; }
    Region CurrentClipRegion() const;
    int ClipType() const;
    // Device-space primitives, clipped to DeviceClipRects().
    void FillDevice(const Rect& device, std::uint32_t pixel);
    void InvertDevice(const Rect& device);
    void PlotDevice(int x, int y, std::uint32_t pixel);
    void DrawLineDevice(Point from, Point to, const Pen& pen);
    BOOL Copy(const Rect& destLogical, DC* source, const Rect& sourceLogical, DWORD rop, bool stretch);
    // Draws one line with its cell's top-left at `cell` (logical); returns its width. `dx`
    // overrides the advances, `mnemonics` lists characters to underline, `clipLogical` limits the
    // drawing further. Traced as TextOut with `traceText`, or the text itself when that is empty.
    int PaintText(Point cell, const std::u32string& text, const int* dx, const std::vector<int>& mnemonics,
                  const Rect* clipLogical, std::string_view traceText);
    const Font& ActiveFont() const;

    State state_;
    std::vector<State> saved_;
    mutable std::vector<Rect> clipRects_;
    mutable bool clipValid_ = false;
    mutable const Bitmap* clipTarget_ = nullptr;
    mutable Size clipSize_;
};

}  // namespace win

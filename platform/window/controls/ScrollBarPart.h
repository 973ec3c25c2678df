#pragma once
// A vertical scroll bar's geometry and its classic look: an arrow button at each end, the dithered
// track between them and a raised thumb sized in proportion to the page. A value made from the
// bar's rectangle and a SCROLLINFO-like range; the window that shows the bar (the list box, and
// through it a combo box's dropped list) owns the tracking and asks it where the parts are.
//
// - The bar is SM_CXVSCROLL (16) pixels wide; each arrow button is SM_CYVSCROLL (16) high, or half
//   the bar when it is shorter than two buttons.
// - Thumb length = track × page / (max − min + 1), at least 8 pixels (unverified; Windows' own
//   minimum is not documented); no thumb when the track is shorter, or when there is nothing to
//   scroll. Its position is proportional to (pos − min) / (max − page + 1 − min).
// - Classic colours: buttons and thumb raised (outer 3DLIGHT/3DDKSHADOW, inner BTNHIGHLIGHT/
//   BTNSHADOW, face BTNFACE), a pressed arrow flat with a BTNSHADOW frame and its glyph shifted one
//   pixel; the track a checkerboard of BTNHIGHLIGHT and BTNFACE, inverted while a page area is held.
#include "platform/base/Geometry.h"

namespace win {

class DC;

struct ScrollRange {
    int min = 0;
    int max = 0;   // last position of the content (a list box: its last line)
    int page = 0;  // positions in view (a list box: whole lines)
    int pos = 0;   // first position in view
};

// One arrow button in the classic look, raised or (pressed) flat with its glyph shifted; a combo
// box's drop button is the scroll bar's down arrow.
void DrawArrowButton(DC& dc, const Rect& box, bool up, bool pressed, bool enabled);

enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

class ScrollBarPart {
public:
    ScrollBarPart(const Rect& bar, const ScrollRange& range);

    Rect UpArrow() const;
    Rect DownArrow() const;
    Rect Track() const;  // between the arrows
    Rect Thumb() const;  // empty when there is no thumb
    ScrollPart HitTest(Point point) const;
    // The highest position a scroll can reach: the content's end is then in view.
    int MaxPos() const;
    // The position that puts the thumb's top edge at `thumbTop`, clamped to the range.
    int PosForThumbTop(int thumbTop) const;

    // `pressed` is drawn held down (an arrow, or a page area); `enabled` false draws grey arrows.
    void Draw(DC& dc, ScrollPart pressed, bool enabled) const;

private:
    int ArrowHeight() const;
    int ThumbLength() const;  // 0: no thumb

    Rect bar_;
    ScrollRange range_;
};

}  // namespace win

// The edit control's layout, scrolling and painting. Each byte is one Windows-1252 character with
// its own advance, so the caret and the selection land exactly between the glyphs drawn.
#include <algorithm>

#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/window/PaintDC.h"
#include "platform/window/controls/EditControl.h"

namespace win {

Rect EditControl::FormatRect() const {
    const Rect client = ClientRect();
    const Font* font = TextFont();
    const int height = font ? font->TextMetrics().tmHeight : 13;
    return {1 + leftMargin_, 1, std::max(1 + leftMargin_, client.right - 1 - rightMargin_), 1 + height};
}

int EditControl::CharWidth(unsigned char c) const {
    const Font* font = TextFont();
    if (font != measuredFont_) {
        std::fill(std::begin(charWidths_), std::end(charWidths_), -1);
        measuredFont_ = font;
    }
    if (charWidths_[c] < 0) {
        // A lone byte of 0x80 or more is never UTF-8, so the font reads it as Windows-1252.
        const char one = static_cast<char>(c);
        charWidths_[c] = font ? font->GetTextExtent(std::string_view(&one, 1)).cx : 0;
    }
    return charWidths_[c];
}

const std::vector<int>& EditControl::Offsets() const {
    if (offsetsValid_ && measuredFont_ == TextFont() && offsets_.size() == edit_.Length() + 1) return offsets_;
    const std::string& text = edit_.Text();
    offsets_.resize(text.size() + 1);
    offsets_[0] = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        offsets_[i + 1] = offsets_[i] + CharWidth(static_cast<unsigned char>(text[i]));
    offsetsValid_ = true;
    return offsets_;
}

int EditControl::TextWidth(std::size_t from, std::size_t to) const { return Offsets()[to] - Offsets()[from]; }

int EditControl::XOfIndex(std::size_t index) const {
    return FormatRect().left + Offsets()[std::min(index, edit_.Length())] - scrollX_;
}

std::size_t EditControl::IndexNearest(int x) const {
    const std::vector<int>& offsets = Offsets();
    const int at = x - FormatRect().left + scrollX_;
    for (std::size_t i = 0; i + 1 < offsets.size(); ++i)
        if (2 * at < offsets[i] + offsets[i + 1]) return i;
    return edit_.Length();
}

std::size_t EditControl::IndexUnder(int x) const {
    const std::vector<int>& offsets = Offsets();
    const int at = x - FormatRect().left + scrollX_;
    auto after = std::upper_bound(offsets.begin(), offsets.end(), at);
    std::size_t index = after == offsets.begin() ? 0 : static_cast<std::size_t>(after - offsets.begin() - 1);
    return std::min(index, edit_.Length() > 0 ? edit_.Length() - 1 : 0);
}

std::size_t EditControl::FirstVisible() const {
    const std::vector<int>& offsets = Offsets();
    return static_cast<std::size_t>(std::lower_bound(offsets.begin(), offsets.end(), scrollX_) - offsets.begin());
}

std::size_t EditControl::CharsThatFit(std::string_view insert) const {
    int used = Offsets().back() - TextWidth(edit_.SelStart(), edit_.SelEnd());
    const int room = FormatRect().Width();
    std::size_t count = 0;
    for (char c : insert) {
        used += CharWidth(static_cast<unsigned char>(c));
        if (used > room) break;
        ++count;
    }
    return count;
}

void EditControl::KeepCaretVisible(Scroll scroll) {
    if (!(GetStyle() & ES_AUTOHSCROLL)) {
        scrollX_ = 0;
        return;
    }
    // The text scrolls by whole characters, so the first one that shows starts at the left edge.
    const std::vector<int>& offsets = Offsets();
    const int width = FormatRect().Width();
    const int jump = scroll == Scroll::Jump ? width / 3 : 0;
    const int x = offsets[edit_.Caret()];
    if (x < scrollX_) {
        scrollX_ = *(std::upper_bound(offsets.begin(), offsets.end(), std::max(0, x - jump)) - 1);
    } else if (x > scrollX_ + width) {
        scrollX_ = *std::lower_bound(offsets.begin(), offsets.end(), x - width + jump);
    }
}

Rect EditControl::CaretRect() const {
    const Rect text = FormatRect();
    const int x = XOfIndex(edit_.Caret());
    return {x, text.top, x + 1, text.bottom};
}

void EditControl::DragTo(Point point) {
    // Past an edge the selection reaches one character beyond what shows, which scrolls it in.
    const Rect text = FormatRect();
    std::size_t to;
    if (point.x < text.left) {
        const std::size_t first = FirstVisible();
        to = first > 0 ? first - 1 : 0;
    } else if (point.x >= text.right) {
        to = std::min(IndexNearest(text.right - 1) + 1, edit_.Length());
    } else {
        to = IndexNearest(point.x);
    }
    if (to == edit_.Caret()) return;
    edit_.MoveCaret(to, true);
    SelectionChanged(Scroll::Minimal);
}

void EditControl::DrawRun(DC& dc, int x, int y, std::size_t from, std::size_t to) const {
    // Runs of ASCII go out with their advances given; every other byte alone, so that no sequence
    // of bytes is taken for UTF-8.
    const std::string& text = edit_.Text();
    std::vector<int> advances;
    for (std::size_t i = from; i < to;) {
        std::size_t end = i;
        while (end < to && static_cast<unsigned char>(text[end]) < 0x80) ++end;
        if (end == i) end = i + 1;
        advances.clear();
        for (std::size_t k = i; k < end; ++k) advances.push_back(CharWidth(static_cast<unsigned char>(text[k])));
        dc.ExtTextOutA(x, y, 0, nullptr, std::string_view(text).substr(i, end - i), advances.data());
        x += TextWidth(i, end);
        i = end;
    }
}

void EditControl::OnPaint() {
    PaintDC dc(this);
    const Rect client = ClientRect();
    const bool enabled = IsWindowEnabled();
    dc.FillSolidRect(client, GetSysColor(enabled && !ReadOnly() ? COLOR_WINDOW : COLOR_BTNFACE));

    const Rect text = FormatRect();
    const std::vector<int>& offsets = Offsets();
    // Only the characters that show are drawn: from the one the left edge cuts to the right edge.
    std::size_t first = FirstVisible();
    if (first > 0) --first;
    std::size_t last = first;
    while (last < edit_.Length() && offsets[last] - scrollX_ < text.Width()) ++last;
    const bool focused = GetFocus() == this;
    const bool showSelection = enabled && edit_.HasSelection() && (focused || (GetStyle() & ES_NOHIDESEL));
    const std::size_t selStart = showSelection ? std::clamp(edit_.SelStart(), first, last) : last;
    const std::size_t selEnd = showSelection ? std::clamp(edit_.SelEnd(), first, last) : last;

    dc.SaveDC();
    dc.IntersectClipRect({text.left, 0, text.right, client.bottom});
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawRun(dc, XOfIndex(first), text.top, first, selStart);
    DrawRun(dc, XOfIndex(selEnd), text.top, selEnd, last);
    if (selEnd > selStart) {
        dc.FillSolidRect({XOfIndex(selStart), text.top, XOfIndex(selEnd), text.bottom}, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        DrawRun(dc, XOfIndex(selStart), text.top, selStart, selEnd);
    }
    dc.RestoreDC(-1);

    // The caret inverts what is under it, as Windows' caret does.
    if (focused && caretShown_) dc.InvertRect(CaretRect());
}

}  // namespace win

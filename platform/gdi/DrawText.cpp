// DrawTextA: splits the text into lines (CR/LF, word wrap), handles mnemonic prefixes, tabs and end
// ellipses, then places each line in the rectangle and paints it through PaintText.
#include <algorithm>

#include "platform/gdi/DC.h"
#include "platform/gdi/FontFace.h"
#include "platform/gdi/TextCodec.h"

namespace win {
namespace {

struct Line {
    std::u32string text;
    std::vector<int> mnemonics;  // indexes into text
    std::vector<int> advances;
    int width = 0;
};

// Removes '&' prefixes: "&x" marks x, "&&" is a literal '&', a '&' ending the text is shown as it
// is [impl].
void StripPrefixes(const std::u32string& in, std::u32string& out, std::vector<bool>& marked) {
    out.clear();
    marked.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == U'&' && i + 1 < in.size()) {
            ++i;
            out.push_back(in[i]);
            marked.push_back(in[i] != U'&');
            continue;
        }
        out.push_back(in[i]);
        marked.push_back(false);
    }
}

class Measurer {
public:
    Measurer(const Font& font, bool expandTabs)
        : face_(font.Face()), tabStop_(8 * std::max<int>(1, font.TextMetrics().tmAveCharWidth)), expandTabs_(expandTabs) {
        if (face_) lock_ = std::unique_lock(face_->Mutex());
    }
    // Advance of c followed by `next` (0 at the end of the line) when the line so far is `x` wide.
    int Advance(char32_t c, char32_t next, int x) {
        if (!face_) return 0;
        if (c == U'\t') {
            if (expandTabs_) return (x / tabStop_ + 1) * tabStop_ - x;
            c = U' ';
        }
        const bool paired = next != 0 && !(next == U'\t' && expandTabs_);
        return PairAdvance(face_->Glyph(c), paired ? &face_->Glyph(next == U'\t' ? U' ' : next) : nullptr);
    }
    void Measure(Line& line) {
        line.advances.resize(line.text.size());
        line.width = 0;
        for (std::size_t i = 0; i < line.text.size(); ++i) {
            line.advances[i] = Advance(line.text[i], i + 1 < line.text.size() ? line.text[i + 1] : 0, line.width);
            line.width += line.advances[i];
        }
    }

private:
    FontFace* face_;
    std::unique_lock<std::mutex> lock_;
    int tabStop_;
    bool expandTabs_;
};

Line MakeLine(const std::u32string& text, const std::vector<bool>& marked, std::size_t begin, std::size_t end) {
    Line line;
    line.text = text.substr(begin, end - begin);
    for (std::size_t i = begin; i < end; ++i)
        if (marked[i]) line.mnemonics.push_back(static_cast<int>(i - begin));
    return line;
}

// Greedy wrapping at spaces; the spaces at a break are dropped.
void Wrap(const std::u32string& text, const std::vector<bool>& marked, int width, Measurer& m, std::vector<Line>& out) {
    const std::size_t n = text.size();
    std::size_t start = 0;
    do {
        int x = 0;
        std::size_t i = start, lastSpace = std::u32string::npos;
        bool overflow = false;
        for (; i < n; ++i) {
            int advance = m.Advance(text[i], i + 1 < n ? text[i + 1] : 0, x);
            if (text[i] != U' ' && x + advance > width && i > start) {
                overflow = true;
                break;
            }
            if (text[i] == U' ') lastSpace = i;
            x += advance;
        }
        if (!overflow) {
            out.push_back(MakeLine(text, marked, start, n));
            break;
        }
        std::size_t end = lastSpace != std::u32string::npos && lastSpace > start ? lastSpace : i;
        if (end == i)  // a word wider than the rectangle keeps its own line
            while (end < n && text[end] != U' ') ++end;
        std::size_t trimmed = end;
        while (trimmed > start && text[trimmed - 1] == U' ') --trimmed;
        out.push_back(MakeLine(text, marked, start, trimmed));
        start = end;
        while (start < n && text[start] == U' ') ++start;
    } while (start < n);
}

void AddEllipsis(Line& line, int width, Measurer& m) {
    if (line.width <= width) return;
    const std::u32string full = line.text;
    const int dots = 2 * m.Advance(U'.', U'.', 0) + m.Advance(U'.', 0, 0);
    std::size_t keep = 0;
    int x = 0;
    while (keep < full.size() && x + m.Advance(full[keep], U'.', x) + dots <= width) x += line.advances[keep++];
    // The kept characters' own advances may differ by a pixel from those measured above.
    do {
        line.text = full.substr(0, keep) + U"...";
        m.Measure(line);
    } while (line.width > width && keep-- > 0);
    line.mnemonics.erase(std::remove_if(line.mnemonics.begin(), line.mnemonics.end(),
                                        [&line](int i) { return static_cast<std::size_t>(i) + 3 >= line.text.size(); }),
                         line.mnemonics.end());
}

}  // namespace

int DC::DrawTextA(const char* text, int length, Rect* rect, UINT format) {
    if (!text) return 0;
    std::size_t n = length < 0 ? std::char_traits<char>::length(text) : static_cast<std::size_t>(length);
    return DrawTextA(std::string_view(text, n), rect, format);
}

int DC::DrawTextA(std::string_view text, Rect* rect, UINT format) {
    if (!rect) return 0;
    const Font& font = ActiveFont();
    const int lineHeight = font.TextMetrics().tmHeight;
    const bool single = format & DT_SINGLELINE;
    const int width = rect->Width();

    std::u32string all;
    DecodeText(text, all);
    std::vector<Line> lines;
    {
        Measurer measurer(font, format & DT_EXPANDTABS);
        // CR, LF, CR LF and LF CR each end a line; a break at the very end starts no new one [impl].
        std::vector<std::u32string> paragraphs(1);
        for (std::size_t i = 0; i < all.size(); ++i) {
            char32_t c = all[i];
            if (c == U'\r' || c == U'\n') {
                if (single) continue;
                if (i + 1 < all.size() && (all[i + 1] == U'\r' || all[i + 1] == U'\n') && all[i + 1] != c) ++i;
                if (i + 1 < all.size()) paragraphs.emplace_back();
                continue;
            }
            paragraphs.back().push_back(c);
        }
        std::u32string stripped;
        std::vector<bool> marked;
        for (const std::u32string& p : paragraphs) {
            if (format & DT_NOPREFIX) {
                stripped = p;
                marked.assign(p.size(), false);
            } else {
                StripPrefixes(p, stripped, marked);
            }
            if ((format & DT_WORDBREAK) && !single) Wrap(stripped, marked, width, measurer, lines);
            else lines.push_back(MakeLine(stripped, marked, 0, stripped.size()));
        }
        for (Line& line : lines) {
            measurer.Measure(line);
            if (format & DT_END_ELLIPSIS) AddEllipsis(line, width, measurer);
        }
    }

    const int textHeight = static_cast<int>(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : lines) widest = std::max(widest, line.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + textHeight;
        return textHeight;
    }
    int y = rect->top;
    if (single && (format & DT_VCENTER)) y = rect->top + (rect->Height() - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM)) y = rect->bottom - lineHeight;
    const Rect clip = *rect;
    const Rect* clipPtr = (format & DT_NOCLIP) ? nullptr : &clip;
    for (const Line& line : lines) {
        int x = rect->left;
        if (format & DT_CENTER) x = rect->left + (width - line.width) / 2;
        else if (format & DT_RIGHT) x = rect->right - line.width;
        PaintText({x, y}, line.text, line.advances.data(), line.mnemonics, clipPtr, {});
        y += lineHeight;
    }
    if (single && (format & (DT_VCENTER | DT_BOTTOM))) return y - rect->top;
    return textHeight;
}

}  // namespace win

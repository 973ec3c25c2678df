// Text output: glyphs from the selected font blended in the text colour, with the cell filled in
// OPAQUE mode and the font's underline and strike-out drawn as rules.
#include <algorithm>

#include "platform/gdi/DC.h"
#include "platform/gdi/DrawTrace.h"
#include "platform/gdi/FontFace.h"
#include "platform/gdi/TextCodec.h"

namespace win {
namespace {

// d + (c - d) * a / 255 per channel, exactly rounded; red and blue share one multiply.
inline std::uint32_t Blend(std::uint32_t d, std::uint32_t c, unsigned a) {
    std::uint32_t rb = (c & 0xFF00FF) * a + (d & 0xFF00FF) * (255 - a) + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    std::uint32_t g = ((c >> 8) & 0xFF) * a + ((d >> 8) & 0xFF) * (255 - a) + 128;
    g = ((g + (g >> 8)) >> 8) << 8;
    return rb | g;
}

void DrawGlyph(Bitmap& target, const std::vector<Rect>& clips, const GlyphImage& glyph, int x, int y,
               std::uint32_t color) {
    Rect box = Rect::FromSize(x, y, glyph.width, glyph.height);
    for (const Rect& clip : clips) {
        Rect r = box.Intersect(clip);
        if (r.IsEmpty()) continue;
        for (int py = r.top; py < r.bottom; ++py) {
            const std::uint8_t* cov = glyph.coverage.data() + static_cast<std::size_t>(py - y) * glyph.width - x;
            std::uint32_t* row = target.Row(py);
            for (int px = r.left; px < r.right; ++px) {
                unsigned a = cov[px];
                if (a == 0) continue;
                row[px] = a == 255 ? color : Blend(row[px], color, a);
            }
        }
    }
}

}  // namespace

int DC::PaintText(Point cell, const std::u32string& text, const int* dx, const std::vector<int>& mnemonics,
                  const Rect* clipLogical, std::string_view traceText) {
    const Font& font = ActiveFont();
    const TEXTMETRICA& tm = font.TextMetrics();
    FontFace* face = font.Face();
    thread_local std::vector<int> advances;
    advances.assign(text.size(), 0);
    int width = 0;
    if (face) {
        std::lock_guard lock(face->Mutex());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (dx) advances[i] = dx[i];
            else advances[i] = PairAdvance(face->Glyph(text[i]), i + 1 < text.size() ? &face->Glyph(text[i + 1]) : nullptr);
            width += advances[i];
        }
    }
    Rect cellLogical = Rect::FromSize(cell.x, cell.y, width, tm.tmHeight);
    if (DrawTrace::Recording()) {
        DrawTraceEntry e;
        e.op = DrawOp::TextOut;
        e.destLogical = cellLogical;
        e.destDevice = LogicalToDevice(cellLogical);
        if (state_.target) e.destLabel = state_.target->label;
        e.color = state_.textColor;
        e.text = traceText.empty() ? EncodeUtf8(text) : std::string(traceText);
        DrawTrace::Append(std::move(e));
    }
    Bitmap* target = state_.target;
    if (!target) return width;

    thread_local std::vector<Rect> clips;
    clips.clear();
    Rect extra = clipLogical ? LogicalToDevice(*clipLogical) : Rect{};
    for (const Rect& c : DeviceClipRects()) {
        Rect r = clipLogical ? c.Intersect(extra) : c;
        if (!r.IsEmpty()) clips.push_back(r);
    }
    if (clips.empty()) return width;

    Rect cellDevice = LogicalToDevice(cellLogical);
    auto fill = [&](const Rect& device, std::uint32_t pixel) {
        for (const Rect& c : clips) {
            Rect r = device.Intersect(c);
            for (int y = r.top; y < r.bottom; ++y) std::fill_n(target->Row(y) + r.left, r.Width(), pixel);
        }
    };
    if (state_.bkMode == OPAQUE) fill(cellDevice, ToDisplay(state_.bkColor));
    const std::uint32_t color = ToDisplay(state_.textColor);
    const int baseline = cellDevice.top + tm.tmAscent;
    if (face) {
        std::lock_guard lock(face->Mutex());
        int penX = cellDevice.left;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const GlyphImage& glyph = face->Glyph(text[i]);
            if (!glyph.coverage.empty()) DrawGlyph(*target, clips, glyph, penX + glyph.left, baseline - glyph.top, color);
            penX += advances[i];
        }
    }
    const int ulTop = baseline + font.UnderlineOffset();
    if (font.LogFont().lfUnderline) fill({cellDevice.left, ulTop, cellDevice.right, ulTop + font.UnderlineThickness()}, color);
    if (font.LogFont().lfStrikeOut) {
        int top = baseline - font.StrikeoutOffset();
        fill({cellDevice.left, top, cellDevice.right, top + font.StrikeoutThickness()}, color);
    }
    for (int index : mnemonics) {
        if (index < 0 || static_cast<std::size_t>(index) >= text.size()) continue;
        int left = cellDevice.left;
        for (int i = 0; i < index; ++i) left += advances[static_cast<std::size_t>(i)];
        fill({left, ulTop, left + advances[static_cast<std::size_t>(index)], ulTop + 1}, color);
    }
    return width;
}

BOOL DC::TextOutA(int x, int y, const char* text, int length) {
    if (!text || length < 0) return FALSE;
    return ExtTextOutA(x, y, 0, nullptr, std::string_view(text, static_cast<std::size_t>(length)));
}

BOOL DC::TextOutA(int x, int y, std::string_view text) { return ExtTextOutA(x, y, 0, nullptr, text); }

BOOL DC::ExtTextOutA(int x, int y, UINT options, const Rect* rect, std::string_view text, const int* dx) {
    thread_local std::u32string codePoints;
    DecodeText(text, codePoints);
    const TEXTMETRICA& tm = ActiveFont().TextMetrics();
    if ((options & ETO_OPAQUE) && rect) FillDevice(LogicalToDevice(*rect), ToDisplay(state_.bkColor));
    if (codePoints.empty()) return TRUE;
    const UINT align = state_.textAlign;
    if (align & TA_UPDATECP) {
        x = state_.position.x;
        y = state_.position.y;
    }
    int width = 0;
    if (align & (TA_UPDATECP | TA_RIGHT | TA_CENTER)) {
        if (dx) {
            for (std::size_t i = 0; i < codePoints.size(); ++i) width += dx[i];
        } else {
            width = GetTextExtent(text).cx;
        }
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER) left = x - width / 2;
    else if (align & TA_RIGHT) left = x - width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE) top = y - tm.tmAscent;
    else if (align & TA_BOTTOM) top = y - tm.tmHeight;
    const Rect* clip = (options & ETO_CLIPPED) ? rect : nullptr;
    PaintText({left, top}, codePoints, dx, {}, clip, text);
    if ((align & TA_UPDATECP) && (align & TA_CENTER) != TA_CENTER)
        state_.position.x = (align & TA_RIGHT) ? x - width : x + width;
    return TRUE;
}

Size DC::GetTextExtent(std::string_view text) const { return ActiveFont().GetTextExtent(text); }

BOOL DC::GetTextExtentPoint32A(const char* text, int length, Size* size) const {
    if (!size || (!text && length > 0) || length < 0) return FALSE;
    *size = GetTextExtent(std::string_view(text ? text : "", static_cast<std::size_t>(length)));
    return TRUE;
}

BOOL DC::GetTextMetricsA(TEXTMETRICA* metrics) const {
    if (!metrics) return FALSE;
    *metrics = ActiveFont().TextMetrics();
    return TRUE;
}

}  // namespace win

#include "platform/gdi/TextCodec.h"

namespace win {
namespace {

// 0x80..0x9F of Windows-1252; 0 where the code page leaves a hole.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Length of the UTF-8 sequence at `i`, or 0 when it is not well formed.
std::size_t Utf8Length(std::string_view s, std::size_t i, char32_t* cp) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t n;
    char32_t v;
    if (c >= 0xC2 && c <= 0xDF) { n = 2; v = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 3; v = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 4; v = c & 0x07; }
    else return 0;
    if (s.size() - i < n) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) return 0;
        v = (v << 6) | (t & 0x3F);
    }
    if ((n == 3 && v < 0x800) || (n == 4 && (v < 0x10000 || v > 0x10FFFF)) || (v >= 0xD800 && v <= 0xDFFF)) return 0;
    *cp = v;
    return n;
}

bool IsMultiByteUtf8(std::string_view s) {
    bool multi = false;
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) { ++i; continue; }
        char32_t cp;
        std::size_t n = Utf8Length(s, i, &cp);
        if (n == 0) return false;
        multi = true;
        i += n;
    }
    return multi;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) return kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : c;
    return c;
}

void DecodeText(std::string_view text, std::u32string& out) {
    out.clear();
    bool ascii = true;
    for (char c : text) ascii &= static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        out.assign(text.begin(), text.end());
        return;
    }
    if (IsMultiByteUtf8(text)) {
        for (std::size_t i = 0; i < text.size();) {
            char32_t cp = static_cast<unsigned char>(text[i]);
            std::size_t n = cp < 0x80 ? 1 : Utf8Length(text, i, &cp);
            out.push_back(cp);
            i += n;
        }
        return;
    }
    for (char c : text) out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(c)));
}

std::string EncodeUtf8(std::u32string_view codePoints) {
    std::string out;
    for (char32_t c : codePoints) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::u32string codePoints;
    codePoints.reserve(text.size());
    for (char c : text) codePoints.push_back(Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return EncodeUtf8(codePoints);
}

std::string Utf8ToCp1252(std::string_view text, char replacement) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = static_cast<unsigned char>(text[i]);
        std::size_t n = cp < 0x80 ? 1 : Utf8Length(text, i, &cp);
        if (n == 0) {
            out += replacement;
            ++i;
            continue;
        }
        i += n;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        char byte = replacement;
        for (unsigned c = 0x80; c < 0xA0; ++c)
            if (Cp1252ToUnicode(static_cast<unsigned char>(c)) == cp) byte = static_cast<char>(c);
        out += byte;
    }
    return out;
}

}  // namespace win

#include "platform/window/controls/ListSortOrder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "platform/gdi/TextCodec.h"
#include "platform/kernel/AsciiCase.h"

namespace win {
namespace {

// Accent weights, which only break ties between equal base letters.
enum : std::uint8_t {
    kPlain = 2, kOrdinal, kAcute, kGrave, kCircumflex, kDiaeresis, kTilde, kRing, kStroke,
    kCedilla, kCaron, kHook, kEth, kSuperscript,
};

struct Weight {
    std::uint8_t primary = 0;  // 0: ignored but for breaking ties
    std::uint8_t accent = kPlain;
    std::uint8_t second = 0;   // the second letter of a ligature that compares as two (æ = a e)
    std::uint8_t ignored = 0;  // tie-break weight of an ignored character
};

// Every Windows-1252 byte, ranked as CompareString ranked them one by one (win-oracle).
std::array<Weight, 256> BuildWeights() {
    std::array<Weight, 256> w{};
    std::uint8_t ignored = 1;
    for (int c = 1; c < 0x20; ++c) w[c].ignored = ignored++;
    for (int c : {0xAD, 0x7F, 0x27, 0x2D, 0x96, 0x97}) w[c].ignored = ignored++;

    std::uint8_t next = 2;
    for (int c : {0x20, 0xA0, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x28, 0x29, 0x2A, 0x2C, 0x2E, 0x2F, 0x3A,
                  0x3B, 0x3F, 0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F, 0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0xA1, 0xA6,
                  0xA8, 0xAF, 0xB4, 0xB8, 0xBF, 0x98, 0x91, 0x92, 0x82, 0x93, 0x94, 0x84, 0x8B, 0x9B, 0xA2,
                  0xA3, 0xA4, 0xA5, 0x80, 0x2B, 0x3C, 0x3D, 0x3E, 0xB1, 0xAB, 0xBB, 0xD7, 0xF7, 0xA7, 0xA9,
                  0xAC, 0xAE, 0xB0, 0xB5, 0xB6, 0xB7, 0x85, 0x86, 0x87, 0x95, 0x89, 0x81, 0x8D, 0x8F, 0x90,
                  0x9D})
        w[c].primary = next++;
    w[0x88] = w[0x5E];  // the modifier circumflex equals the caret
    for (int c : {0x30, 0xBC, 0xBD, 0xBE, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39}) w[c].primary = next++;
    for (auto [super, digit] : {std::pair{0xB9, '1'}, {0xB2, '2'}, {0xB3, '3'}}) w[super] = {w[digit].primary, kSuperscript};

    for (int c = 'a'; c <= 'z'; ++c) w[c].primary = w[c - 'a' + 'A'].primary = next++;
    struct Variant {
        int lower, upper;  // 0 where there is none
        char letter;
        std::uint8_t accent;
    };
    static constexpr Variant variants[] = {
        {0xAA, 0, 'a', kOrdinal}, {0xE1, 0xC1, 'a', kAcute}, {0xE0, 0xC0, 'a', kGrave},
        {0xE2, 0xC2, 'a', kCircumflex}, {0xE4, 0xC4, 'a', kDiaeresis}, {0xE3, 0xC3, 'a', kTilde},
        {0xE5, 0xC5, 'a', kRing}, {0xE7, 0xC7, 'c', kCedilla}, {0xF0, 0xD0, 'd', kEth},
        {0xE9, 0xC9, 'e', kAcute}, {0xE8, 0xC8, 'e', kGrave}, {0xEA, 0xCA, 'e', kCircumflex},
        {0xEB, 0xCB, 'e', kDiaeresis}, {0x83, 0, 'f', kHook}, {0xED, 0xCD, 'i', kAcute},
        {0xEC, 0xCC, 'i', kGrave}, {0xEE, 0xCE, 'i', kCircumflex}, {0xEF, 0xCF, 'i', kDiaeresis},
        {0xF1, 0xD1, 'n', kTilde}, {0xBA, 0, 'o', kOrdinal}, {0xF3, 0xD3, 'o', kAcute},
        {0xF2, 0xD2, 'o', kGrave}, {0xF4, 0xD4, 'o', kCircumflex}, {0xF6, 0xD6, 'o', kDiaeresis},
        {0xF5, 0xD5, 'o', kTilde}, {0xF8, 0xD8, 'o', kStroke}, {0x9A, 0x8A, 's', kCaron},
        {0xFA, 0xDA, 'u', kAcute}, {0xF9, 0xD9, 'u', kGrave}, {0xFB, 0xDB, 'u', kCircumflex},
        {0xFC, 0xDC, 'u', kDiaeresis}, {0xFD, 0xDD, 'y', kAcute}, {0xFF, 0x9F, 'y', kDiaeresis},
        {0x9E, 0x8E, 'z', kCaron},
    };
    for (const Variant& v : variants) {
        const Weight weight{w[static_cast<unsigned char>(v.letter)].primary, v.accent};
        w[v.lower] = weight;
        if (v.upper) w[v.upper] = weight;
    }
    struct Ligature {
        int lower, upper;
        char first, second;
    };
    static constexpr Ligature ligatures[] = {
        {0xE6, 0xC6, 'a', 'e'}, {0x9C, 0x8C, 'o', 'e'}, {0xDF, 0, 's', 's'}, {0xFE, 0xDE, 't', 'h'}, {0x99, 0, 't', 'm'},
    };
    for (const Ligature& l : ligatures) {
        const Weight weight{w[static_cast<unsigned char>(l.first)].primary, kPlain,
                            w[static_cast<unsigned char>(l.second)].primary};
        w[l.lower] = weight;
        if (l.upper) w[l.upper] = weight;
    }
    return w;
}

const std::array<Weight, 256>& Weights() {
    static const std::array<Weight, 256> weights = BuildWeights();
    return weights;
}

// The Windows-1252 byte of a code point, or -1 for characters outside the code page.
int ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int b = 0x80; b < 0xA0; ++b)
        if (Cp1252ToUnicode(static_cast<unsigned char>(b)) == c) return b;
    return -1;
}

char32_t FoldCase(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    switch (c) {
        case 0x0152: return 0x0153;  // Œ
        case 0x0160: return 0x0161;  // Š
        case 0x017D: return 0x017E;  // Ž
        case 0x0178: return 0x00FF;  // Ÿ
        default: return c;
    }
}

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string ListSortKey(std::string_view text) {
    std::u32string chars;
    DecodeText(text, chars);
    const std::array<Weight, 256>& weights = Weights();
    std::string primary, accents, ignored;
    primary.reserve(chars.size() + 1);
    accents.reserve(chars.size() + 1);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const int b = ToCp1252(chars[i]);
        if (b < 0) {
            // After every Windows-1252 weight, by code point; 7 bits a byte keep clear of the separators.
            primary += '\xFF';
            for (int shift = 14; shift >= 0; shift -= 7) primary += static_cast<char>(0x80 | ((chars[i] >> shift) & 0x7F));
            accents += static_cast<char>(kPlain);
            continue;
        }
        const Weight& w = weights[static_cast<std::size_t>(b)];
        if (!w.primary) {
            // A later position ranks first: "a-" < "-a" (win-oracle).
            const unsigned position = 0xFFFFu - static_cast<unsigned>(std::min<std::size_t>(i, 0xFFFF));
            ignored += static_cast<char>(w.ignored);
            ignored += static_cast<char>(position >> 8);
            ignored += static_cast<char>(position & 0xFF);
            continue;
        }
        primary += static_cast<char>(w.primary);
        accents += static_cast<char>(w.accent);
        if (w.second) {
            primary += static_cast<char>(w.second);
            accents += static_cast<char>(kPlain);
        }
    }
    primary += '\x01';
    primary += accents;
    primary += '\x01';
    primary += ignored;
    return primary;
}

int CompareListText(std::string_view a, std::string_view b) { return ListSortKey(a).compare(ListSortKey(b)); }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.empty()) return false;
    if (IsAscii(prefix)) {
        // A text has no more characters than bytes, and ASCII bytes are the same in either reading.
        if (text.size() < prefix.size()) return false;
        if (IsAscii(text.substr(0, prefix.size()))) {
            for (std::size_t i = 0; i < prefix.size(); ++i)
                if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
            return true;
        }
    }
    std::u32string t, p;
    DecodeText(text, t);
    DecodeText(prefix, p);
    if (t.size() < p.size()) return false;
    for (std::size_t i = 0; i < p.size(); ++i)
        if (FoldCase(t[i]) != FoldCase(p[i])) return false;
    return true;
}

}  // namespace win

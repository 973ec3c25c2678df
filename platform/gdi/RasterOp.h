#pragma once
// Ternary raster operations on display-format pixels. The ROP3 index byte is a truth table over
// (pattern, source, destination) bits; applying it bitwise works for any of the 256 codes.
#include <cstdint>

#include "platform/gdi/GdiTypes.h"

namespace win {

constexpr std::uint8_t Rop3Index(DWORD rop) { return static_cast<std::uint8_t>(rop >> 16); }
constexpr bool RopUsesSource(DWORD rop) { return ((Rop3Index(rop) >> 2) ^ Rop3Index(rop)) & 0x33; }
constexpr bool RopUsesPattern(DWORD rop) { return ((Rop3Index(rop) >> 4) ^ Rop3Index(rop)) & 0x0F; }

inline std::uint32_t ApplyRop3(std::uint8_t rop3, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    switch (rop3) {
        case 0xCC: return s;
        case 0x00: return 0;
        case 0xFF: return 0x00FFFFFF;
        case 0xF0: return p;
        case 0x88: return s & d;
        case 0xEE: return s | d;
        case 0x66: return s ^ d;
        case 0x55: return ~d & 0x00FFFFFF;
        case 0x33: return ~s & 0x00FFFFFF;
        case 0x5A: return p ^ d;
        default: break;
    }
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i)
        if (rop3 & (1 << i)) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r & 0x00FFFFFF;
}

}  // namespace win

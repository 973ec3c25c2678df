#pragma once
// KVX4.ini files of many user presets, written as the editor writes them, for the store and dialog
// benchmarks.
#include <cstdint>
#include <cstdio>
#include <string>

#include "presets/RoomKeys.h"
#include "presets/UserPreset.h"

namespace bench {

// The structure-profile text of `size` bytes: two upper-case hex digits per byte, then the byte sum.
inline std::string StructHex(const void* data, std::size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::string text;
    unsigned sum = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        const unsigned byte = i < size ? bytes[i] : sum & 0xFF;
        text += digits[byte >> 4];
        text += digits[byte & 15];
        sum += byte;
    }
    return text;
}

// A KVX4.ini of `n` user presets, as the editor writes them.
inline std::string PresetFile(int n) {
    const auto count = static_cast<std::int32_t>(n);
    std::string text = std::string("[") + kRoomCountSection + "]\r\n" + kRoomCountKey + "=" +
                       StructHex(&count, sizeof count) + "\r\n[" + kRoomSection + "]\r\n";
    for (int i = 1; i <= n; ++i) {
        tagUserPreset preset{};
        std::snprintf(preset.name, sizeof preset.name, "Preset %d", i);
        preset.userDefined = 1;
        preset.effectLevel = i % 128;
        preset.lowFreqValue = (i * 3) % 128;
        preset.midFreqValue = (i * 5) % 128;
        preset.highFreqValue = (i * 7) % 128;
        preset.midCutoffValue = (i * 11) % 128;
        text += "Room " + std::to_string(i) + "=" + StructHex(&preset, sizeof preset) + "\r\n";
    }
    return text;
}

}  // namespace bench

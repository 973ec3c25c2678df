#include "presets/UserPreset.h"

#include <cstring>

namespace {

// Strict UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsWellFormedUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length;
        unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
        if (lead < 0x80) length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF) length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else return false;
        if (text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
        }
        i += length;
    }
    return true;
}

// How much of `text` fits into the name field. The platform reads a name as UTF-8 only when all of
// it is well-formed, so a cut inside a character would garble the whole name, not just its end.
std::size_t FittingLength(std::string_view text) {
    if (text.size() <= kPresetNameMaxLength) return text.size();
    std::size_t cut = kPresetNameMaxLength;
    if (IsWellFormedUtf8(text))
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return cut;
}

}  // namespace

std::string_view PresetName(const tagUserPreset& preset) {
    return {preset.name, strnlen(preset.name, kPresetNameSize)};
}

void SetPresetName(tagUserPreset& preset, const char* text) {
    const std::string_view source = text ? std::string_view(text) : std::string_view();
    const std::size_t length = FittingLength(source);
    std::memset(preset.name, 0, kPresetNameSize);
    if (length > 0) std::memcpy(preset.name, source.data(), length);
}

void TerminatePresetName(tagUserPreset& preset) {
    if (strnlen(preset.name, kPresetNameSize) == kPresetNameSize) preset.name[kPresetNameMaxLength] = '\0';
}

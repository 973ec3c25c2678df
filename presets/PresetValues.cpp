#include "presets/PresetValues.h"

namespace {

win::BYTE LowByte(std::int32_t value) { return static_cast<win::BYTE>(static_cast<std::uint32_t>(value) & 0xFF); }

}  // namespace

win::BYTE OutputSwitchFlags(const tagUserPreset& preset) {
    win::BYTE flags = 0;
    if (preset.leftSwitch == 1) flags |= OPTION_LEFT_OUT;
    if (preset.rightSwitch == 1) flags |= OPTION_RIGHT_OUT;
    return flags;
}

void CapturePresetValues(const tagEffectParams& block, tagUserPreset& preset) {
    preset.effectLevel = block.effect.value;
    preset.lowFreqValue = block.lowFreq.value;
    preset.midFreqValue = block.midFreq.value;
    preset.highFreqValue = block.highFreq.value;
    preset.midCutoffValue = block.midCutoff.value;
    preset.leftSwitch = (block.optionFlags & OPTION_LEFT_OUT) ? 1 : 0;
    preset.rightSwitch = (block.optionFlags & OPTION_RIGHT_OUT) ? 1 : 0;
}

void ApplyPresetValues(const tagUserPreset& preset, tagEffectParams& block) {
    block.effect.value = LowByte(preset.effectLevel);
    block.lowFreq.value = LowByte(preset.lowFreqValue);
    block.midFreq.value = LowByte(preset.midFreqValue);
    block.highFreq.value = LowByte(preset.highFreqValue);
    block.midCutoff.value = LowByte(preset.midCutoffValue);
    block.optionFlags = OutputSwitchFlags(preset);
}

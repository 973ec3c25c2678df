#include "presets/PresetValues.h"

#include "presets/ParameterTable.h"

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
    for (const ParameterInfo& info : kParameters) {
        preset.*info.value = (block.*info.record).value;
    }
    preset.leftSwitch = (block.optionFlags & OPTION_LEFT_OUT) ? 1 : 0;
    preset.rightSwitch = (block.optionFlags & OPTION_RIGHT_OUT) ? 1 : 0;
}

void ApplyPresetValues(const tagUserPreset& preset, tagEffectParams& block) {
    for (const ParameterInfo& info : kParameters) {
        (block.*info.record).value = LowByte(preset.*info.value);
    }
    block.optionFlags = OutputSwitchFlags(preset);
}

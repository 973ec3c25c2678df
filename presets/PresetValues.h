#pragma once
// Copies between a user preset and the host's parameter block: the five parameter values and the
// two output switches. Names, automation assignments and the program number are left alone; the
// panel decides about those on each path.
#include "host/lib/EffectParams.h"
#include "presets/UserPreset.h"

// The optionFlags byte for the preset's switches: 0x20 when leftSwitch is 1, plus 0x40 when
// rightSwitch is 1. Any other switch value counts as off; all other bits are 0.
win::BYTE OutputSwitchFlags(const tagUserPreset& preset);

// Each value zero-extended from its parameter byte; the switches 1 or 0 from bits 0x20 and 0x40.
void CapturePresetValues(const tagEffectParams& block, tagUserPreset& preset);

// Each parameter gets the low byte of its value, unchecked, in the order effect, lowFreq, midFreq,
// highFreq, midCutoff; then optionFlags is replaced whole by OutputSwitchFlags.
void ApplyPresetValues(const tagUserPreset& preset, tagEffectParams& block);

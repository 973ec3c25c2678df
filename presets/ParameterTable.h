#pragma once
// The five automatable parameters of the equaliser in one table: where each lives in the host's
// parameter block and in a user preset, the id the controls store it by, and its label in the
// controller selections dialog. Each place that walks the parameters does so in one of the named
// orders below, because the host sees the order of the calls.
#include <array>
#include <cstdint>

#include "host/lib/EffectParams.h"
#include "presets/UserPreset.h"

enum class Parameter { Effect, LowFreq, MidFreq, HighFreq, MidCutoff };

struct ParameterInfo {
    Parameter parameter;
    int storeId;       // the id StoreParameter takes
    tagMAREG tagEffectParams::*record;
    std::int32_t tagUserPreset::*value;
    tagAutomationAssignment tagUserPreset::*assignment;
    const char* label;  // "&" marks the mnemonic letter
};

// Ids of the parameters that StoreParameter writes.
enum ParameterId {
    kParamEffect = 2,
    kParamLowFreq = 4,
    kParamMidFreq = 5,
    kParamHighFreq = 6,
    kParamMidCutoff = 7,
};

inline constexpr std::array<ParameterInfo, 5> kParameters{{
    {Parameter::Effect, kParamEffect, &tagEffectParams::effect, &tagUserPreset::effectLevel,
     &tagUserPreset::effectAssignment, "&Effect"},
    {Parameter::LowFreq, kParamLowFreq, &tagEffectParams::lowFreq, &tagUserPreset::lowFreqValue,
     &tagUserPreset::lowFreqAssignment, "&Low Freq"},
    {Parameter::MidFreq, kParamMidFreq, &tagEffectParams::midFreq, &tagUserPreset::midFreqValue,
     &tagUserPreset::midFreqAssignment, "&MidFreq"},
    {Parameter::HighFreq, kParamHighFreq, &tagEffectParams::highFreq, &tagUserPreset::highFreqValue,
     &tagUserPreset::highFreqAssignment, "&High Freq"},
    {Parameter::MidCutoff, kParamMidCutoff, &tagEffectParams::midCutoff, &tagUserPreset::midCutoffValue,
     &tagUserPreset::midCutoffAssignment, "Mid Frequency &Cutoff"},
}};

constexpr const ParameterInfo& Info(Parameter parameter) { return kParameters[static_cast<int>(parameter)]; }

// Null for an id StoreParameter does not know.
constexpr const ParameterInfo* InfoByStoreId(int storeId) {
    for (const ParameterInfo& info : kParameters)
        if (info.storeId == storeId) return &info;
    return nullptr;
}

using ParameterOrder = std::array<Parameter, 5>;

// The preset takes the host's controllers in this order when the panel starts.
inline constexpr ParameterOrder kHostSyncOrder{Parameter::LowFreq, Parameter::MidFreq, Parameter::HighFreq,
                                               Parameter::MidCutoff, Parameter::Effect};
// The controller selections dialog lists the parameters in this order, and a loaded preset's
// assignments are registered with the host in it.
inline constexpr ParameterOrder kListOrder{Parameter::Effect, Parameter::HighFreq, Parameter::LowFreq,
                                           Parameter::MidFreq, Parameter::MidCutoff};
// Reset All withdraws the host's registrations in this order.
inline constexpr ParameterOrder kResetOrder{Parameter::Effect, Parameter::LowFreq, Parameter::HighFreq,
                                            Parameter::MidFreq, Parameter::MidCutoff};

// An order that skipped or repeated a parameter would silently leave one out of a host call.
constexpr bool IsPermutation(const ParameterOrder& order) {
    int seen = 0;
    for (Parameter parameter : order) seen |= 1 << static_cast<int>(parameter);
    return seen == 0x1F;
}
static_assert(IsPermutation(kHostSyncOrder) && IsPermutation(kListOrder) && IsPermutation(kResetOrder));
static_assert([] {
    for (int i = 0; i < static_cast<int>(kParameters.size()); ++i)
        if (static_cast<int>(kParameters[i].parameter) != i) return false;
    return true;
}(), "Info indexes the table by the enumerator");

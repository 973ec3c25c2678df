#pragma once
// The parameter block of one equaliser slot, owned by the host and shared with the component,
// which reads and writes it directly. The host engine and its MIDI automation change it too.
#include <array>
#include <cstddef>
#include <type_traits>

#include "host/lib/AutomationRecord.h"
#include "platform/base/WinTypes.h"

// statusFlags: set by the engine while the output clips.
constexpr win::DWORD STATUS_CLIP = 0x10;
// optionFlags: the output switches.
constexpr win::BYTE OPTION_LEFT_OUT = 0x20;
constexpr win::BYTE OPTION_RIGHT_OUT = 0x40;

struct tagEffectParams {
    win::DWORD statusFlags;
    win::BYTE optionFlags;
    win::BYTE programNumber;  // user preset number plus one
    win::BYTE reserved[2];
    tagMAREG effect;
    tagMAREG highFreq;
    tagMAREG midFreq;
    tagMAREG lowFreq;
    tagMAREG midCutoff;
    win::DWORD presetsAvailable;  // while 0 the editor offers no presets
};

static_assert(std::is_standard_layout_v<tagEffectParams>);
static_assert(sizeof(tagEffectParams) == 52);
static_assert(offsetof(tagEffectParams, statusFlags) == 0);
static_assert(offsetof(tagEffectParams, optionFlags) == 4);
static_assert(offsetof(tagEffectParams, programNumber) == 5);
static_assert(offsetof(tagEffectParams, effect) == 8);
static_assert(offsetof(tagEffectParams, highFreq) == 16);
static_assert(offsetof(tagEffectParams, midFreq) == 24);
static_assert(offsetof(tagEffectParams, lowFreq) == 32);
static_assert(offsetof(tagEffectParams, midCutoff) == 40);
static_assert(offsetof(tagEffectParams, presetsAvailable) == 48);

// The five automatable records in block order, by the names the host shows them with.
struct EffectRecord {
    const char* name;
    tagMAREG tagEffectParams::*member;
};
inline constexpr std::array<EffectRecord, 5> kEffectRecords{{{"effect", &tagEffectParams::effect},
                                                             {"highFreq", &tagEffectParams::highFreq},
                                                             {"midFreq", &tagEffectParams::midFreq},
                                                             {"lowFreq", &tagEffectParams::lowFreq},
                                                             {"midCutoff", &tagEffectParams::midCutoff}}};

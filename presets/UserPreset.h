#pragma once
// The user preset record: one complete setting of the equaliser under a name. The panel holds the
// current one and its A/B memories; KVX4.ini stores each as one "Room n" entry, byte for byte.
//
// The layout is the file format, so every offset is fixed below. Natural alignment already gives
// it once the reserved byte at 275 is spelled out, so no packing pragma is needed, and the fields
// stay aligned for the panel's frequent reads.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "platform/base/WinTypes.h"

// Controller value of an assignment that has none.
constexpr win::BYTE kControllerNotAssigned = 255;

struct tagAutomationAssignment {
    win::BYTE channel;     // MIDI channel index 0..15
    win::BYTE controller;  // row of the MIDI controller table; kControllerNotAssigned for none
    win::BYTE port;        // MIDI port index 0..3
};

// Size of `name`, terminating NUL included.
constexpr std::size_t kPresetNameSize = 264;
// The longest name a record holds once it is NUL-terminated.
constexpr std::size_t kPresetNameMaxLength = kPresetNameSize - 1;

struct tagUserPreset {
    char name[kPresetNameSize];  // NUL-terminated in records we make; see PresetName for foreign ones
    std::int32_t userDefined;    // 1 in every record this program writes; never interpreted
    std::int32_t effectLevel;
    tagAutomationAssignment effectAssignment;
    win::BYTE reserved;  // never given a meaning; written as 0 when the record starts zeroed
    std::int32_t lowFreqValue;
    std::int32_t midFreqValue;
    std::int32_t highFreqValue;
    std::int32_t midCutoffValue;
    tagAutomationAssignment lowFreqAssignment;
    tagAutomationAssignment midFreqAssignment;
    tagAutomationAssignment highFreqAssignment;
    tagAutomationAssignment midCutoffAssignment;
    std::int32_t leftSwitch;   // 1 = on; any other value is off
    std::int32_t rightSwitch;  // 1 = on; any other value is off
    std::int32_t programNumber;
};

// Records are stored as their bytes in memory order, and the file's integers are little-endian.
static_assert(std::endian::native == std::endian::little, "the preset file stores integers little-endian");

static_assert(std::is_trivially_copyable_v<tagAutomationAssignment>);
static_assert(sizeof(tagAutomationAssignment) == 3);
static_assert(offsetof(tagAutomationAssignment, channel) == 0);
static_assert(offsetof(tagAutomationAssignment, controller) == 1);
static_assert(offsetof(tagAutomationAssignment, port) == 2);

static_assert(std::is_standard_layout_v<tagUserPreset> && std::is_trivially_copyable_v<tagUserPreset>);
static_assert(sizeof(tagUserPreset) == 316);
static_assert(offsetof(tagUserPreset, name) == 0);
static_assert(offsetof(tagUserPreset, userDefined) == 264);
static_assert(offsetof(tagUserPreset, effectLevel) == 268);
static_assert(offsetof(tagUserPreset, effectAssignment) == 272);
static_assert(offsetof(tagUserPreset, reserved) == 275);
static_assert(offsetof(tagUserPreset, lowFreqValue) == 276);
static_assert(offsetof(tagUserPreset, midFreqValue) == 280);
static_assert(offsetof(tagUserPreset, highFreqValue) == 284);
static_assert(offsetof(tagUserPreset, midCutoffValue) == 288);
static_assert(offsetof(tagUserPreset, lowFreqAssignment) == 292);
static_assert(offsetof(tagUserPreset, midFreqAssignment) == 295);
static_assert(offsetof(tagUserPreset, highFreqAssignment) == 298);
static_assert(offsetof(tagUserPreset, midCutoffAssignment) == 301);
static_assert(offsetof(tagUserPreset, leftSwitch) == 304);
static_assert(offsetof(tagUserPreset, rightSwitch) == 308);
static_assert(offsetof(tagUserPreset, programNumber) == 312);

// The stored name, never longer than the field: a record from a damaged or foreign file may fill
// all 264 bytes without a NUL, and nothing may read past the record because of it.
std::string_view PresetName(const tagUserPreset& preset);

// Stores `text` (null counts as empty) as the record's name. Longer names are cut to 263 bytes, at
// a character boundary when the text is UTF-8, and the rest of the field is zeroed so that no bytes
// of an earlier, longer name travel into the file.
void SetPresetName(tagUserPreset& preset, const char* text);

// Makes sure the name field holds a NUL, cutting the 264th byte of an unterminated name, so that
// code handing `name` to C-string functions stays inside the record.
void TerminatePresetName(tagUserPreset& preset);

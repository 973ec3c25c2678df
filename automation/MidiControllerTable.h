#pragma once
// The MIDI controller table: 123 constant rows, one per value of an assignment's `controller`
// byte, each naming what the host sends for it. The component shows only the long names. A
// controller byte from the host or from a preset file can be anything 0..255, so rows are reached
// through MidiControllerEntry, which answers null past the table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "platform/base/WinTypes.h"

struct tagMidiControllerEntry {
    win::BYTE status;  // 0xB0 control change, 0xC0 program change
    win::BYTE data;    // controller number
    win::BYTE zero[2];
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t defaultValue;
    char shortName[10];
    char longName[50];
};

static_assert(std::is_standard_layout_v<tagMidiControllerEntry>);
static_assert(sizeof(tagMidiControllerEntry) == 76);
static_assert(offsetof(tagMidiControllerEntry, status) == 0);
static_assert(offsetof(tagMidiControllerEntry, data) == 1);
static_assert(offsetof(tagMidiControllerEntry, minimum) == 4);
static_assert(offsetof(tagMidiControllerEntry, maximum) == 8);
static_assert(offsetof(tagMidiControllerEntry, defaultValue) == 12);
static_assert(offsetof(tagMidiControllerEntry, shortName) == 16);
static_assert(offsetof(tagMidiControllerEntry, longName) == 26);

constexpr int kMidiControllerCount = 123;
// The configuration dialog offers rows 0..121; the last row is in the table but never offered.
constexpr int kOfferedControllerCount = 122;

extern const std::array<tagMidiControllerEntry, kMidiControllerCount> MidiControllerTable;

// The row of a controller byte, or null when the table has none (123..255).
const tagMidiControllerEntry* MidiControllerEntry(int controller);

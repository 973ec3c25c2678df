#pragma once
// What the host's readout shows of an effect slot, as text: a snapshot of the parameter block,
// the automation registrations and the editor's latest calls, turned into labelled rows. Kept
// apart from the painting so that the wording can be checked without a window.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "host/lib/EffectsPlugin.h"

struct RegistrationText {
    int port = 0, channel = 0, controller = 0;
    friend bool operator==(const RegistrationText&, const RegistrationText&) = default;
};

struct ReadoutSnapshot {
    bool hasBlock = false;
    win::BYTE values[5] = {};  // effect, lowFreq, midFreq, highFreq, midCutoff
    std::array<std::optional<RegistrationText>, 5> registrations;
    win::BYTE programNumber = 0;
    win::BYTE optionFlags = 0;
    win::DWORD statusFlags = 0;
    win::DWORD presetsAvailable = 0;
    bool bypass = false;
    size_t callCount = 0;
    std::vector<std::string> recentCalls;  // oldest first
    friend bool operator==(const ReadoutSnapshot&, const ReadoutSnapshot&) = default;
};

ReadoutSnapshot TakeSnapshot(CEffectsPlugin& slot, size_t recentCallCount);

struct ReadoutRow {
    std::string label;
    std::string value;
    std::string detail;
    int level = -1;          // 0..255 for a value byte (drawn as a bar), -1 otherwise
    bool alert = false;      // the detail deserves attention (clipping)
    bool automated = false;  // the record has a registration
};

// "port/channel/controller", e.g. "1/0/7", or an em dash when the record has none.
std::string FormatRegistration(const std::optional<RegistrationText>& registration);
std::string FormatHex(unsigned long value, int digits);
// "L R", "L", "R" or "off", followed by any other set bits in hex ("L +0x01").
std::string DescribeOptionFlags(win::BYTE flags);
// "CLIP" or an em dash, followed by any other set bits in hex.
std::string DescribeStatusFlags(win::DWORD flags);
// "none" for 0, else the user preset the number stands for ("preset 2" for 3).
std::string DescribeProgramNumber(win::BYTE programNumber);

// One row per record (effect, lowFreq, midFreq, highFreq, midCutoff), then programNumber,
// optionFlags, statusFlags, presetsAvailable and bypass.
std::vector<ReadoutRow> BuildReadoutRows(const ReadoutSnapshot& snapshot);

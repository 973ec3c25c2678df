#include "automation/MidiControllerTable.h"

#include <array>
#include <string_view>

namespace {

// Builds a NUL-terminated name at compile time: text, optionally followed by a number.
template <std::size_t N>
constexpr void Compose(char (&out)[N], std::string_view prefix, std::string_view name, int number = -1) {
    std::size_t at = 0;
    auto put = [&](char c) {
        if (at + 1 < N) out[at++] = c;
    };
    for (char c : prefix) put(c);
    for (char c : name) put(c);
    if (number >= 0) {
        char digits[4] = {};
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + number % 10);
            number /= 10;
        } while (number > 0 && count < 4);
        while (count > 0) put(digits[--count]);
    }
    while (at < N) out[at++] = '\0';
}

constexpr std::string_view kNamed[] = {
    "Bank Select", "Mod Wheel", "Breath Controller", "Undefined", "Foot Controller", "Portamento time",
    "Data Entry MSB", "Channel Volume", "Balance", "Undefined", "Pan", "Expression Control",
    "Effect Control 1", "Effect Control 2"};
constexpr std::string_view kNamedShort[] = {"Bank",    "Mod", "Breath",  "Undef",   "Foot",    "PortaTime", "DataMSB",
                                            "Volume",  "Balance", "Undef", "Pan",     "Express", "Effect1",   "Effect2"};
constexpr std::string_view kSwitches[] = {"Sustain Pedal", "Partamento On/Off", "Sostenuto", "SoftPedal",
                                          "Legato Foot Switch", "Hold 2"};
constexpr std::string_view kSwitchesShort[] = {"Sustain", "PortaOnOf", "Sostenuto", "SoftPedal", "Legato", "Hold2"};
constexpr std::string_view kParameterNumbers[] = {"Data Increment", "Data Decrement", "Non Registered Parameter LSB",
                                                  "Non Registered Parameter MSB", "Registered Parameter Number LSB",
                                                  "Registered Parameter Number MSB"};
constexpr std::string_view kParameterNumbersShort[] = {"DataInc", "DataDec", "NRPN LSB", "NRPN MSB", "RPN LSB", "RPN MSB"};

// The long name without its row number, and the short name with an optional number after it.
struct Names {
    std::string_view name;
    int nameNumber = -1;
    std::string_view shortName;
    int shortNumber = -1;
};

constexpr Names NamesOf(int row) {
    if (row <= 13) return {kNamed[row], -1, kNamedShort[row]};
    if (row >= 16 && row <= 19) return {"GPC ", row - 15, "GPC", row - 15};
    if (row >= 32 && row <= 63) return {"LSB for Values ", row - 32, "LSB", row - 32};
    if (row >= 64 && row <= 69) return {kSwitches[row - 64], -1, kSwitchesShort[row - 64]};
    if (row >= 70 && row <= 79) return {"Sound Controller ", row - 69, "Sound", row - 69};
    if (row >= 80 && row <= 83) return {"GPC ", row - 75, "GPC", row - 75};
    if (row == 84) return {"Portamento Control", -1, "PortaCtrl"};
    if (row >= 91 && row <= 95) {
        // "91 Effects 1 Depth": the number sits inside the name.
        return {row == 91 ? "Effects 1 Depth" : row == 92 ? "Effects 2 Depth" : row == 93 ? "Effects 3 Depth"
                : row == 94 ? "Effects 4 Depth" : "Effects 5 Depth",
                -1,
                row == 91 ? "FX1Depth" : row == 92 ? "FX2Depth" : row == 93 ? "FX3Depth" : row == 94 ? "FX4Depth" : "FX5Depth"};
    }
    if (row >= 96 && row <= 101) return {kParameterNumbers[row - 96], -1, kParameterNumbersShort[row - 96]};
    return {"Undefined", -1, "Undef"};
}

constexpr tagMidiControllerEntry Row(int row) {
    tagMidiControllerEntry entry{};
    entry.status = 0xB0;
    entry.data = static_cast<win::BYTE>(row);
    entry.minimum = 0;
    entry.maximum = 127;
    entry.defaultValue = row == 10 ? 64 : 0;
    if (row < 120) {
        const Names names = NamesOf(row);
        char number[5] = {};
        Compose(number, "", "", row);
        char prefix[8] = {};
        Compose(prefix, std::string_view(number), " ");
        Compose(entry.longName, std::string_view(prefix), names.name, names.nameNumber);
        Compose(entry.shortName, "", names.shortName, names.shortNumber);
        return entry;
    }
    if (row == 120) {
        entry.status = 0xC0;
        entry.data = 0;
        Compose(entry.longName, "", "Program Change");
        Compose(entry.shortName, "", "Program");
        return entry;
    }
    // Tuning travels as registered parameter data entry.
    entry.data = 6;
    entry.defaultValue = 64;
    if (row == 121) {
        Compose(entry.longName, "", "Fine Tune (Cents)");
        Compose(entry.shortName, "", "FineTune");
    } else {
        entry.minimum = 52;
        entry.maximum = 76;
        Compose(entry.longName, "", "Coarse Tune (Semitones)");
        Compose(entry.shortName, "", "CoarseTun");
    }
    return entry;
}

constexpr std::array<tagMidiControllerEntry, kMidiControllerCount> BuildTable() {
    std::array<tagMidiControllerEntry, kMidiControllerCount> table{};
    for (int row = 0; row < kMidiControllerCount; ++row) table[static_cast<std::size_t>(row)] = Row(row);
    return table;
}

constexpr std::array<tagMidiControllerEntry, kMidiControllerCount> kTable = BuildTable();

constexpr bool SameText(const char* a, std::string_view b) {
    std::size_t i = 0;
    for (; i < b.size(); ++i)
        if (a[i] != b[i]) return false;
    return a[i] == '\0';
}
static_assert(SameText(kTable[0].longName, "0 Bank Select"));
static_assert(SameText(kTable[19].longName, "19 GPC 4"));
static_assert(SameText(kTable[63].longName, "63 LSB for Values 31"));
static_assert(SameText(kTable[65].longName, "65 Partamento On/Off"));
static_assert(SameText(kTable[79].longName, "79 Sound Controller 10"));
static_assert(SameText(kTable[83].longName, "83 GPC 8"));
static_assert(SameText(kTable[101].longName, "101 Registered Parameter Number MSB"));
static_assert(SameText(kTable[121].longName, "Fine Tune (Cents)"));
static_assert(kTable[120].status == 0xC0 && kTable[122].minimum == 52 && kTable[122].maximum == 76);

}  // namespace

constinit const std::array<tagMidiControllerEntry, kMidiControllerCount> MidiControllerTable = kTable;

const tagMidiControllerEntry* MidiControllerEntry(int controller) {
    if (controller < 0 || controller >= kMidiControllerCount) return nullptr;
    return &MidiControllerTable[controller];
}

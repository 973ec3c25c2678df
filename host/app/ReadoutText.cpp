#include "host/app/ReadoutText.h"

#include <cstdio>

#include "host/app/ParameterFields.h"

namespace {

constexpr const char* kEmDash = "\u2014";

std::string OtherBits(unsigned long bits, int digits) { return bits ? " +" + FormatHex(bits, digits) : ""; }

}  // namespace

ReadoutSnapshot TakeSnapshot(CEffectsPlugin& slot, size_t recentCallCount) {
    ReadoutSnapshot snapshot;
    snapshot.bypass = slot.BypassMode();
    const std::vector<HostCall>& calls = slot.CallLog().Calls();
    snapshot.callCount = calls.size();
    size_t first = calls.size() > recentCallCount ? calls.size() - recentCallCount : 0;
    for (size_t i = first; i < calls.size(); ++i) snapshot.recentCalls.push_back(calls[i].ToString());

    tagEffectParams* block = slot.GetInterface();
    if (!block) return snapshot;
    snapshot.hasBlock = true;
    size_t index = 0;
    for (BlockField field : RecordFields()) {
        const tagMAREG* record = FieldRecord(*block, field);
        snapshot.values[index] = record->value;
        if (std::optional<AutomationRegistration> held = slot.FindRegistration(record))
            snapshot.registrations[index] = RegistrationText{held->port, held->channel, held->controller};
        ++index;
    }
    snapshot.programNumber = block->programNumber;
    snapshot.optionFlags = block->optionFlags;
    snapshot.statusFlags = block->statusFlags;
    snapshot.presetsAvailable = block->presetsAvailable;
    return snapshot;
}

std::string FormatRegistration(const std::optional<RegistrationText>& registration) {
    if (!registration) return kEmDash;
    return std::to_string(registration->port) + "/" + std::to_string(registration->channel) + "/" +
           std::to_string(registration->controller);
}

std::string FormatHex(unsigned long value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%0*lX", digits, value);
    return text;
}

std::string DescribeOptionFlags(win::BYTE flags) {
    bool left = flags & OPTION_LEFT_OUT;
    bool right = flags & OPTION_RIGHT_OUT;
    std::string text = left && right ? "L R" : left ? "L" : right ? "R" : "off";
    return text + OtherBits(flags & ~(OPTION_LEFT_OUT | OPTION_RIGHT_OUT) & 0xFFu, 2);
}

std::string DescribeStatusFlags(win::DWORD flags) {
    std::string text = (flags & STATUS_CLIP) ? "CLIP" : kEmDash;
    return text + OtherBits(flags & ~STATUS_CLIP, 2);
}

std::string DescribeProgramNumber(win::BYTE programNumber) {
    return programNumber ? "preset " + std::to_string(programNumber - 1) : "none";
}

std::vector<ReadoutRow> BuildReadoutRows(const ReadoutSnapshot& snapshot) {
    std::vector<ReadoutRow> rows;
    if (!snapshot.hasBlock) {
        rows.push_back({"parameter block", kEmDash, "none attached"});
        rows.push_back({"bypass", snapshot.bypass ? "on" : "off", ""});
        return rows;
    }
    size_t index = 0;
    for (BlockField field : RecordFields()) {
        ReadoutRow row{FieldName(field), std::to_string(snapshot.values[index]),
                       FormatRegistration(snapshot.registrations[index]), snapshot.values[index]};
        row.automated = snapshot.registrations[index].has_value();
        rows.push_back(std::move(row));
        ++index;
    }
    rows.push_back({"programNumber", std::to_string(snapshot.programNumber),
                    DescribeProgramNumber(snapshot.programNumber)});
    rows.push_back({"optionFlags", FormatHex(snapshot.optionFlags, 2), DescribeOptionFlags(snapshot.optionFlags)});
    ReadoutRow status{"statusFlags", FormatHex(snapshot.statusFlags, 8), DescribeStatusFlags(snapshot.statusFlags)};
    status.alert = snapshot.statusFlags & STATUS_CLIP;
    rows.push_back(std::move(status));
    rows.push_back({"presetsAvailable", std::to_string(snapshot.presetsAvailable),
                    snapshot.presetsAvailable ? "yes" : "no"});
    rows.push_back({"bypass", snapshot.bypass ? "on" : "off", ""});
    return rows;
}

#include "host/app/ParameterFields.h"

#include <array>
#include <utility>

#include "platform/kernel/AsciiCase.h"

namespace {

struct FieldInfo {
    BlockField field;
    const char* name;
    unsigned long maximum;
};

constexpr std::array<FieldInfo, 10> kFields{{
    {BlockField::Effect, "effect", 255},
    {BlockField::LowFreq, "lowFreq", 255},
    {BlockField::MidFreq, "midFreq", 255},
    {BlockField::HighFreq, "highFreq", 255},
    {BlockField::MidCutoff, "midCutoff", 255},
    {BlockField::ProgramNumber, "programNumber", 255},
    {BlockField::OptionFlags, "optionFlags", 255},
    {BlockField::StatusFlags, "statusFlags", 0xFFFFFFFFul},
    {BlockField::PresetsAvailable, "presetsAvailable", 0xFFFFFFFFul},
    {BlockField::Bypass, "bypass", 1},
}};

constexpr std::array<BlockField, 5> kRecords{BlockField::Effect, BlockField::LowFreq, BlockField::MidFreq,
                                             BlockField::HighFreq, BlockField::MidCutoff};

const FieldInfo& Info(BlockField field) { return kFields[static_cast<size_t>(field)]; }

}  // namespace

std::span<const BlockField> RecordFields() { return kRecords; }

const char* FieldName(BlockField field) { return Info(field).name; }

std::optional<BlockField> FieldFromName(std::string_view name) {
    for (const FieldInfo& info : kFields)
        if (win::EqualsIgnoringCase(name, info.name)) return info.field;
    return std::nullopt;
}

bool IsRecordField(BlockField field) {
    for (BlockField record : kRecords)
        if (record == field) return true;
    return false;
}

const tagMAREG* FieldRecord(const tagEffectParams& block, BlockField field) {
    switch (field) {
        case BlockField::Effect: return &block.effect;
        case BlockField::LowFreq: return &block.lowFreq;
        case BlockField::MidFreq: return &block.midFreq;
        case BlockField::HighFreq: return &block.highFreq;
        case BlockField::MidCutoff: return &block.midCutoff;
        default: return nullptr;
    }
}

tagMAREG* FieldRecord(tagEffectParams& block, BlockField field) {
    return const_cast<tagMAREG*>(FieldRecord(std::as_const(block), field));
}

unsigned long FieldMaximum(BlockField field) { return Info(field).maximum; }

std::optional<unsigned long> FieldValue(const CEffectsPlugin& slot, BlockField field) {
    if (field == BlockField::Bypass) return slot.BypassMode() ? 1 : 0;
    const tagEffectParams* block = slot.ParameterBlock();
    if (!block) return std::nullopt;
    if (const tagMAREG* record = FieldRecord(*block, field)) return record->value;
    switch (field) {
        case BlockField::ProgramNumber: return block->programNumber;
        case BlockField::OptionFlags: return block->optionFlags;
        case BlockField::StatusFlags: return block->statusFlags;
        case BlockField::PresetsAvailable: return block->presetsAvailable;
        default: return std::nullopt;
    }
}

bool SetFieldFromHost(CEffectsPlugin& slot, BlockField field, unsigned long value) {
    tagEffectParams* block = slot.GetInterface();
    if (!block) return false;
    if (tagMAREG* record = FieldRecord(*block, field))
        return slot.SetValueFromHost(record, static_cast<win::BYTE>(value));
    switch (field) {
        case BlockField::ProgramNumber: block->programNumber = static_cast<win::BYTE>(value); break;
        case BlockField::OptionFlags: block->optionFlags = static_cast<win::BYTE>(value); break;
        case BlockField::StatusFlags: slot.SetStatusFlags(static_cast<win::DWORD>(value)); break;
        case BlockField::PresetsAvailable: block->presetsAvailable = static_cast<win::DWORD>(value); break;
        case BlockField::Bypass: {
            // The host's own switch, not the editor's call: keep it out of the editor's call log.
            bool logging = slot.CallLog().Enabled();
            slot.CallLog().SetEnabled(false);
            slot.SetBypassMode(value != 0);
            slot.CallLog().SetEnabled(logging);
            break;
        }
        default: break;
    }
    return true;
}

#pragma once
// The fields of an effect slot's parameter block by name, as the readout shows them and as demo
// scripts change them from the host's side. Record fields go through the slot's own host calls so
// that nothing is logged as if the editor had made it.
#include <optional>
#include <span>
#include <string_view>

#include "host/lib/EffectsPlugin.h"

enum class BlockField {
    Effect,
    LowFreq,
    MidFreq,
    HighFreq,
    MidCutoff,
    ProgramNumber,
    OptionFlags,
    StatusFlags,
    PresetsAvailable,
    Bypass,
};

// The five automatable records, in the order the readout lists them.
std::span<const BlockField> RecordFields();

// The block's own field name ("lowFreq", ...; "bypass" for the slot's bypass mode).
const char* FieldName(BlockField field);
// Case-insensitive; nullopt for an unknown name.
std::optional<BlockField> FieldFromName(std::string_view name);

bool IsRecordField(BlockField field);
// Null for a field that is not a tagMAREG record.
const tagMAREG* FieldRecord(const tagEffectParams& block, BlockField field);
tagMAREG* FieldRecord(tagEffectParams& block, BlockField field);
// Largest value the field holds: 255 for bytes, 1 for bypass, 0xFFFFFFFF for the 32-bit fields.
unsigned long FieldMaximum(BlockField field);

// The field's current value; nullopt when the slot has no parameter block (bypass excepted).
std::optional<unsigned long> FieldValue(const CEffectsPlugin& slot, BlockField field);

// Writes a value as the host would; false when the slot has no parameter block.
bool SetFieldFromHost(CEffectsPlugin& slot, BlockField field, unsigned long value);

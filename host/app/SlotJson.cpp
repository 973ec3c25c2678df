#include "host/app/SlotJson.h"

#include "host/app/ParameterFields.h"

std::string SlotToJson(const CEffectsPlugin& slot) {
    // Field and record names are fixed identifiers, so nothing here needs escaping.
    std::string json = "{";
    // Every block field in order; bypass, the slot's own, follows as a boolean.
    for (int i = 0; i < static_cast<int>(BlockField::Bypass); ++i) {
        const auto field = static_cast<BlockField>(i);
        std::optional<unsigned long> value = FieldValue(slot, field);
        json += std::string("\"") + FieldName(field) + "\":" + (value ? std::to_string(*value) : "null") + ",";
    }
    json += std::string("\"bypass\":") + (slot.BypassMode() ? "true" : "false") + ",\"registrations\":[";
    bool first = true;
    for (const AutomationRegistration& r : slot.Registrations()) {
        json += std::string(first ? "" : ",") + "{\"field\":\"" + r.recordName + "\",\"port\":" +
                std::to_string(r.port) + ",\"channel\":" + std::to_string(r.channel) +
                ",\"controller\":" + std::to_string(r.controller) + "}";
        first = false;
    }
    return json + "]}";
}

#include "automation/AutomationSync.h"

#include "host/lib/EffectsPlugin.h"
#include "presets/ParameterTable.h"

void SyncAutomationFromHost(CEffectsPlugin* effect, tagEffectParams* block, tagUserPreset* preset) {
    if (!effect || !block || !preset) return;
    for (Parameter parameter : kHostSyncOrder) {
        const ParameterInfo& info = Info(parameter);
        tagMAREG* record = &(block->*info.record);
        (preset->*info.assignment).controller = effect->IsAutomated(record) ? record->controller : kControllerNotAssigned;
    }
}

void ReapplyAutomation(CEffectsPlugin* effect, tagEffectParams* block, const tagUserPreset* preset) {
    if (!effect || !block || !preset) return;
    for (Parameter parameter : kListOrder) {
        const ParameterInfo& info = Info(parameter);
        const tagAutomationAssignment& assignment = preset->*info.assignment;
        if (assignment.controller != kControllerNotAssigned)
            effect->AddAutomation(&(block->*info.record), assignment.port, assignment.channel, assignment.controller);
    }
}

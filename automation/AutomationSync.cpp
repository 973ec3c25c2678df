#include "automation/AutomationSync.h"

#include "host/lib/EffectParams.h"
#include "host/lib/EffectsPlugin.h"
#include "presets/UserPreset.h"

namespace {

constexpr unsigned char kNotAssigned = 255;

}  // namespace

void SyncAutomationFromHost(CEffectsPlugin* effect, tagEffectParams* block, tagUserPreset* preset) {
    if (!effect || !block || !preset) return;
    struct Pair {
        tagMAREG* record;
        tagAutomationAssignment* assignment;
    };
    const Pair order[] = {{&block->lowFreq, &preset->lowFreqAssignment},
                          {&block->midFreq, &preset->midFreqAssignment},
                          {&block->highFreq, &preset->highFreqAssignment},
                          {&block->midCutoff, &preset->midCutoffAssignment},
                          {&block->effect, &preset->effectAssignment}};
    for (const Pair& p : order)
        p.assignment->controller = effect->IsAutomated(p.record) ? p.record->controller : kNotAssigned;
}

void ReapplyAutomation(CEffectsPlugin* effect, tagEffectParams* block, const tagUserPreset* preset) {
    if (!effect || !block || !preset) return;
    struct Pair {
        tagMAREG* record;
        const tagAutomationAssignment* assignment;
    };
    const Pair order[] = {{&block->effect, &preset->effectAssignment},
                          {&block->highFreq, &preset->highFreqAssignment},
                          {&block->lowFreq, &preset->lowFreqAssignment},
                          {&block->midFreq, &preset->midFreqAssignment},
                          {&block->midCutoff, &preset->midCutoffAssignment}};
    for (const Pair& p : order)
        if (p.assignment->controller != kNotAssigned)
            effect->AddAutomation(p.record, p.assignment->port, p.assignment->channel, p.assignment->controller);
}

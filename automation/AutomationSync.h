#pragma once
// Brings the host's automation registrations and a preset's assignments into line: the preset takes
// the host's controllers when the panel starts, and the host takes the preset's assignments when a
// preset is loaded. Both do nothing without an effect slot and a parameter block.
class CEffectsPlugin;
struct tagEffectParams;
struct tagUserPreset;

void SyncAutomationFromHost(CEffectsPlugin* effect, tagEffectParams* block, tagUserPreset* preset);
void ReapplyAutomation(CEffectsPlugin* effect, tagEffectParams* block, const tagUserPreset* preset);

#include "host/app/SlotEngine.h"

namespace {

eq::EngineSettings SettingsOf(const CEffectsPlugin& slot) {
    const tagEffectParams* block = slot.ParameterBlock();
    // Without a block the engine has nothing to follow: it passes the input through.
    if (!block) return eq::SettingsFromBlock(tagEffectParams{}, true);
    return eq::SettingsFromBlock(*block, slot.BypassMode());
}

}  // namespace

SlotEngine::SlotEngine(CEffectsPlugin& slot, double sampleRate) : slot_(slot), engine_(sampleRate, SettingsOf(slot)) {}

void SlotEngine::Publish() { engine_.Publish(SettingsOf(slot_)); }

void SlotEngine::ReflectClip() {
    const bool held = engine_.ClipHeld();
    const tagEffectParams* block = slot_.ParameterBlock();
    if (held == clipShown_ || !block) return;
    clipShown_ = held;
    slot_.SetStatusFlags(held ? block->statusFlags | STATUS_CLIP : block->statusFlags & ~STATUS_CLIP);
}

#pragma once
// Binds the host's equaliser engine to an effect slot. On the user-interface thread it publishes
// the slot's parameter block and bypass state to the engine and writes the engine's clip hold
// into the clip bit of statusFlags, only when the hold changes, so the host's Clip button still
// overrides it until the engine's next change. The slot must outlive it; the audio thread uses
// only Engine().Process.
#include "host/lib/EffectsPlugin.h"
#include "host/lib/EqualiserEngine.h"

class SlotEngine {
public:
    SlotEngine(CEffectsPlugin& slot, double sampleRate);

    eq::EqualiserEngine& Engine() { return engine_; }
    void Publish();
    void ReflectClip();

private:
    CEffectsPlugin& slot_;
    eq::EqualiserEngine engine_;
    bool clipShown_ = false;
};

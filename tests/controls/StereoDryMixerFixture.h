#pragma once
// The editor made through the factory, with helpers that reach its stereo dry mixer: input in mixer
// client pixels, forced repaints and the drawing calls that landed in the mixer's picture.
#include <algorithm>
#include <vector>

#include "controls/StereoDryMixer.h"
#include "tests/support/EditorFixture.h"

namespace mixertest {

class MixerTest : public testsupport::EditorFixture {
protected:
    CStereoDryMixer& Mixer() { return *panel->mixer; }
    tagUserPreset& Settings() { return panel->currentPreset; }

    win::Point ToScreen(win::Point client) {
        Mixer().ClientToScreen(&client);
        return client;
    }
    void PressAt(win::Point client, int button = 0) {
        win::InjectMouseMove(ToScreen(client));
        win::InjectMouseButton(ToScreen(client), button, true);
        Pump();
    }
    void MoveTo(win::Point client) {
        win::InjectMouseMove(ToScreen(client));
        Pump();
    }
    void ReleaseAt(win::Point client, int button = 0) {
        win::InjectMouseMove(ToScreen(client));
        win::InjectMouseButton(ToScreen(client), button, false);
        Pump();
    }
    void ClickMixer(win::Point client, int button = 0) { ClickClient(Mixer(), client, button); }

    // The host writes the effect byte and the next poll tick shows it.
    void HostSetsEffect(win::BYTE value) {
        Block().effect.value = value;
        Advance(300);
    }
    // Paints the given picture groups now and returns what was drawn.
    std::vector<win::DrawTraceEntry> Paint(int groups) {
        win::ScopedDrawTrace trace;
        Mixer().dirtyMask = groups;
        Mixer().InvalidateRect(nullptr, win::FALSE);
        Mixer().UpdateWindow();
        return trace.Entries();
    }
    void SelectMixer() {
        panel->FocusMixer();
        Pump();
    }

    static std::vector<win::DrawTraceEntry> Texts(const std::vector<win::DrawTraceEntry>& trace) {
        std::vector<win::DrawTraceEntry> texts;
        std::copy_if(trace.begin(), trace.end(), std::back_inserter(texts),
                     [](const win::DrawTraceEntry& e) { return e.op == win::DrawOp::TextOut; });
        return texts;
    }
    static bool Drew(const std::vector<win::DrawTraceEntry>& trace, int id) { return !CopiesOf(trace, id).empty(); }
};

}  // namespace mixertest

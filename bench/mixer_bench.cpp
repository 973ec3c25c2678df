// The stereo dry mixer's costs: one step of a fader drag, from the mouse message to the composed
// desktop, and one full paint of the whole editor (panel, mixer and contour with every picture group).
#include <benchmark/benchmark.h>

#include "bench/BenchEditor.h"
#include "bench/MemcpyBaseline.h"
#include "component/FactoryExports.h"
#include "controls/FXContour.h"
#include "controls/StereoDryMixer.h"
#include "host/lib/ComponentInterface.h"
#include "host/lib/EffectsPlugin.h"
#include "panel/EditorPanel.h"
#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/time/Clock.h"
#include "platform/window/WindowSystem.h"

namespace {

using Editor = bench::BenchEditor;

constexpr std::size_t kPanelBytes = bench::kEditorFrameBytes;

void BM_MixerFaderDragStep(benchmark::State& state) {
    Editor editor;
    CStereoDryMixer& mixer = *editor.panel->mixer;
    win::Point grab{(mixer.knobRect.left + mixer.knobRect.right) / 2, (mixer.knobRect.top + mixer.knobRect.bottom) / 2};
    mixer.ClientToScreen(&grab);
    win::InjectMouseMove(grab);
    win::InjectMouseButton(grab, 0, true);
    win::PumpMessages();
    // Each step moves the pointer to a new row, so every step changes the level and redraws.
    int step = 0;
    bench::RunWithMemcpyRatio(state, kPanelBytes, [&] {
        win::InjectMouseMove({grab.x, grab.y - 20 + (step++ % 40)});
        win::PumpMessages();
        benchmark::DoNotOptimize(win::Desktop::Instance().Compose().Pixels());
    });
    win::InjectMouseButton(grab, 0, false);
    win::PumpMessages();
}
BENCHMARK(BM_MixerFaderDragStep);

void BM_EditorFullPaint(benchmark::State& state) {
    Editor editor;
    bench::RunWithMemcpyRatio(state, kPanelBytes, [&] {
        editor.panel->mixer->dirtyMask = CStereoDryMixer::kEverything;
        editor.panel->contour->dirtyMask = 0x3E;  // every contour group, as an applied preset sets
        editor.panel->RedrawWindow(nullptr, win::RDW_INVALIDATE | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
    });
}
BENCHMARK(BM_EditorFullPaint);

}  // namespace

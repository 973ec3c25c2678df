// The contour control's drag costs: one step of a low band drag and one of a cutoff marker drag,
// each from the mouse message to the composed desktop.
#include <benchmark/benchmark.h>

#include "bench/BenchEditor.h"
#include "bench/MemcpyBaseline.h"
#include "component/FactoryExports.h"
#include "controls/FXContour.h"
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

win::Point CentreOnScreen(const CFXContour& contour, const win::Rect& r) {
    win::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    contour.ClientToScreen(&p);
    return p;
}

// Presses at `grab`, then times single pointer moves to the points `next` gives, each followed by
// the messages it causes and the composition of the desktop.
template <typename Next>
void DragSteps(benchmark::State& state, win::Point grab, Next next) {
    win::InjectMouseMove(grab);
    win::InjectMouseButton(grab, 0, true);
    win::PumpMessages();
    int step = 0;
    bench::RunWithMemcpyRatio(state, kPanelBytes, [&] {
        win::InjectMouseMove(next(step++));
        win::PumpMessages();
        benchmark::DoNotOptimize(win::Desktop::Instance().Compose().Pixels());
    });
    win::InjectMouseButton(next(step), 0, false);
    win::PumpMessages();
}

void BM_ContourLowBandDragStep(benchmark::State& state) {
    Editor editor([](tagEffectParams& block) {
        block.lowFreq.value = 64;
        block.midCutoff.value = 64;
    });
    CFXContour& contour = *editor.panel->contour;
    const win::Point grab = CentreOnScreen(contour, contour.lowHandle.rect);
    // Every step lands on a new row inside the travel, so every step changes the value and redraws.
    DragSteps(state, grab, [grab](int step) { return win::Point{grab.x, grab.y - 20 + step % 40}; });
}
BENCHMARK(BM_ContourLowBandDragStep);

void BM_ContourCutoffDragStep(benchmark::State& state) {
    Editor editor([](tagEffectParams& block) {
        block.lowFreq.value = 64;
        block.midCutoff.value = 64;
    });
    CFXContour& contour = *editor.panel->contour;
    const win::Point grab = CentreOnScreen(contour, contour.cutoffHandle);
    DragSteps(state, grab, [grab](int step) { return win::Point{grab.x - 40 + step % 80, grab.y}; });
}
BENCHMARK(BM_ContourCutoffDragStep);

}  // namespace

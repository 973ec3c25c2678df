// The editor panel's own costs: its first paint (art, name, top row) and one poll tick with and
// without a change in the host's parameter block.
#include <benchmark/benchmark.h>

#include "bench/BenchEditor.h"
#include "bench/MemcpyBaseline.h"
#include "component/FactoryExports.h"
#include "host/lib/ComponentInterface.h"
#include "host/lib/EffectsPlugin.h"
#include "panel/EditorPanel.h"
#include "platform/time/Clock.h"
#include "platform/window/WindowSystem.h"

namespace {

using Editor = bench::BenchEditor;

constexpr std::size_t kPanelBytes = bench::kEditorFrameBytes;

void BM_PanelFullPaint(benchmark::State& state) {
    Editor editor;
    bench::RunWithMemcpyRatio(state, kPanelBytes, [&] {
        editor.panel->Invalidate(win::FALSE);
        editor.panel->UpdateWindow();
    });
}
BENCHMARK(BM_PanelFullPaint);

void BM_PollTickUnchanged(benchmark::State& state) {
    Editor editor;
    bench::RunWithMemcpyRatio(state, sizeof(tagUserPreset), [&] { benchmark::DoNotOptimize(editor.panel->PollParameters()); });
}
BENCHMARK(BM_PollTickUnchanged);

void BM_PollTickWithChange(benchmark::State& state) {
    Editor editor;
    win::BYTE value = 0;
    bench::RunWithMemcpyRatio(state, sizeof(tagUserPreset), [&] {
        editor.slot.GetInterface()->lowFreq.value = ++value & 0x7F;
        benchmark::DoNotOptimize(editor.panel->PollParameters());
    });
}
BENCHMARK(BM_PollTickWithChange);

}  // namespace

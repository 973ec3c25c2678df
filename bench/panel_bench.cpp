// The editor panel's own costs: its first paint (art, name, top row) and one poll tick with and
// without a change in the host's parameter block.
#include <benchmark/benchmark.h>

#include "bench/MemcpyBaseline.h"
#include "component/FactoryExports.h"
#include "host/lib/ComponentInterface.h"
#include "host/lib/EffectsPlugin.h"
#include "panel/EditorPanel.h"
#include "platform/time/Clock.h"
#include "platform/window/WindowSystem.h"

namespace {

// An editor in a host window on a virtual clock, as the tests make it.
struct Editor {
    Editor() {
        win::SetClock(&clock);
        host.Create(nullptr, "Host", win::WS_POPUP | win::WS_VISIBLE, {0, 0, 582, 408}, nullptr, 0);
        component = reinterpret_cast<IEffectComponent*>(CRVGetComponentInterface(0x11040));
        component->SetEffect(&slot);
        win::HWND editor = component->CreateEditor(host.GetSafeHwnd());
        panel = static_cast<CEditorPanel*>(win::Window::FromHandle(editor)->GetDlgItem(61446));
        win::PumpMessages();
    }
    ~Editor() {
        CRVFreeComponentInterface(component);
        host.DestroyWindow();
        win::SetClock(nullptr);
    }
    win::VirtualClock clock;
    CEffectsPlugin slot;
    win::Window host;
    IEffectComponent* component = nullptr;
    CEditorPanel* panel = nullptr;
};

constexpr std::size_t kPanelBytes = 582u * 408u * 4u;

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

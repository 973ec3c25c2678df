// One full-frame composition of the desktop with the host's window and a dialog on top of it.
#include <benchmark/benchmark.h>

#include "bench/MemcpyBaseline.h"
#include "platform/desktop/Desktop.h"
#include "platform/gdi/Bitmap.h"
#include "platform/time/Clock.h"
#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

namespace {

void BM_ComposeFullFrame(benchmark::State& state) {
    win::VirtualClock clock;
    win::SetClock(&clock);
    win::Desktop& desktop = win::Desktop::Instance();
    desktop.SetSize({1024, 768});
    win::Window host, editor, dialog;
    host.Create(nullptr, "Host", win::WS_OVERLAPPED | win::WS_CAPTION | win::WS_VISIBLE, {20, 20, 980, 520}, nullptr, 0);
    editor.Create(nullptr, "", win::WS_CHILD | win::WS_VISIBLE, {0, 0, 582, 408}, &host, 1);
    dialog.Create(nullptr, "Dialog", win::WS_POPUP | win::WS_CAPTION | win::WS_VISIBLE, {300, 200, 700, 500}, &host, 0);
    desktop.Compose();
    const std::size_t frameBytes = 1024u * 768u * 4u;
    // Everything marked as changed, so each round composes the whole frame.
    bench::RunWithMemcpyRatio(state, frameBytes, [&] {
        win::WindowSystem::Instance().NoteDamage();
        benchmark::DoNotOptimize(&desktop.Compose());
    });
    win::SetClock(nullptr);
}
BENCHMARK(BM_ComposeFullFrame);

}  // namespace

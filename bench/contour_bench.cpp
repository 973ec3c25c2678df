// The contour control's drag costs: one step of a low band drag and one of a cutoff marker drag,
// each from the mouse message to the composed desktop.
#include <benchmark/benchmark.h>

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

// An editor in a host window on a virtual clock, as the tests make it.
struct Editor {
    Editor() {
        win::SetClock(&clock);
        slot.GetInterface()->lowFreq.value = 64;
        slot.GetInterface()->midCutoff.value = 64;
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
    Editor editor;
    CFXContour& contour = *editor.panel->contour;
    const win::Point grab = CentreOnScreen(contour, contour.lowHandle.rect);
    // Every step lands on a new row inside the travel, so every step changes the value and redraws.
    DragSteps(state, grab, [grab](int step) { return win::Point{grab.x, grab.y - 20 + step % 40}; });
}
BENCHMARK(BM_ContourLowBandDragStep);

void BM_ContourCutoffDragStep(benchmark::State& state) {
    Editor editor;
    CFXContour& contour = *editor.panel->contour;
    const win::Point grab = CentreOnScreen(contour, contour.cutoffHandle);
    DragSteps(state, grab, [grab](int step) { return win::Point{grab.x - 40 + step % 80, grab.y}; });
}
BENCHMARK(BM_ContourCutoffDragStep);

}  // namespace

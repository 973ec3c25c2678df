#pragma once
// An editor in a host window on a virtual clock, made through the real factory as the tests make it,
// for benchmarks of the panel and its controls.
#include <functional>

#include "component/FactoryExports.h"
#include "host/lib/ComponentInterface.h"
#include "host/lib/EffectsPlugin.h"
#include "panel/EditorPanel.h"
#include "platform/time/Clock.h"
#include "platform/window/WindowSystem.h"

namespace bench {

struct BenchEditor {
    // `prepare` sets the host's block before the editor is made.
    explicit BenchEditor(const std::function<void(tagEffectParams&)>& prepare = {}) {
        win::SetClock(&clock);
        if (prepare) prepare(*slot.GetInterface());
        host.Create(nullptr, "Host", win::WS_POPUP | win::WS_VISIBLE, {0, 0, 582, 408}, nullptr, 0);
        component = reinterpret_cast<IEffectComponent*>(CRVGetComponentInterface(0x11040));
        component->SetEffect(&slot);
        win::HWND editor = component->CreateEditor(host.GetSafeHwnd());
        panel = static_cast<CEditorPanel*>(win::Window::FromHandle(editor)->GetDlgItem(61446));
        win::PumpMessages();
    }
    ~BenchEditor() {
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

// Bytes of one editor frame, the unit every editor figure is compared with.
constexpr std::size_t kEditorFrameBytes = 582u * 408u * 4u;

}  // namespace bench

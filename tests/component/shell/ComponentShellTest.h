#pragma once
// Loads KVX4.dll once per run and drives component objects through its factory as the host does:
// the returned pointer is used as the host's IEffectComponent, on the headless desktop with a
// virtual clock, with a plain top-level window of the host's as the editor's parent. The host's
// own module is current around every call, so a call that forgets to give it back shows.
#include <dlfcn.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "component/EditorHostWnd.h"
#include "component/EffectComponent.h"
#include "host/lib/ComponentInterface.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/module/Module.h"
#include "tests/support/HeadlessDesktop.h"

namespace shelltest {

// An editor site that counts which of its operations the component called.
class RecordingSite final : public IEditorSite {
public:
    std::vector<int> calls;  // slot numbers, in order

    void Reserved0() override { calls.push_back(0); }
    void Reserved1() override { calls.push_back(1); }
    void Reserved2() override { calls.push_back(2); }
    void Reserved3() override { calls.push_back(3); }
    void Reserved4() override { calls.push_back(4); }
    void Reserved5() override { calls.push_back(5); }
    void Reserved6() override { calls.push_back(6); }
    void Reserved7() override { calls.push_back(7); }
    void Reserved8() override { calls.push_back(8); }
    void Reserved9() override { calls.push_back(9); }
    void Reserved10() override { calls.push_back(10); }
    void Reserved11() override { calls.push_back(11); }
    void Reserved12() override { calls.push_back(12); }
    void Reserved13() override { calls.push_back(13); }
    int OnCloseRequest() override {
        calls.push_back(14);
        return 1;
    }
};

class ComponentShellTest : public testsupport::HeadlessDesktopTest {
protected:
    static void SetUpTestSuite();

    void SetUp() override;
    void TearDown() override;

    // A new component object from the factory, freed through the factory at the end of the test
    // unless the test frees it itself with Free.
    IEffectComponent* NewComponent();
    void Free(IEffectComponent* component);
    static CEffectComponent* Object(IEffectComponent* component) {
        return reinterpret_cast<CEffectComponent*>(component);
    }

    // Library-wide state of the component, read through its exported accessors.
    CEffectComponent* CurrentComponent() const { return currentComponent_(); }

    // The editor host window behind a handle CreateEditor returned.
    static CEditorHostWnd* EditorHost(win::HWND hwnd) {
        return static_cast<CEditorHostWnd*>(win::Window::FromHandle(hwnd));
    }

    static void* Symbol(const char* name);

    static void* library_;
    static win::Module* hostModule_;

    CRVGetComponentInterfaceFn getInterface_ = nullptr;
    CRVFreeComponentInterfaceFn freeInterface_ = nullptr;
    CEffectComponent* (*currentComponent_)() = nullptr;
    win::Window hostWindow;  // the host's window the editor lives in
    win::Window otherHostWindow;

private:
    std::unique_ptr<win::ModuleStateScope> hostState_;
    std::vector<IEffectComponent*> live_;
};

}  // namespace shelltest

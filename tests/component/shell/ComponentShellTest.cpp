#include "tests/component/shell/ComponentShellTest.h"

#include <algorithm>

namespace shelltest {

void* ComponentShellTest::library_ = nullptr;
win::Module* ComponentShellTest::hostModule_ = nullptr;

void ComponentShellTest::SetUpTestSuite() {
    static int anchor;
    // Registered before the component's module exists, so it is the process's default, as the
    // host program's is.
    if (!hostModule_) hostModule_ = new win::Module("HOST", &anchor);
    // Kept loaded for the whole run: the component's module registers itself for the process.
    if (!library_) library_ = dlopen(KVX4_DLL_PATH, RTLD_NOW);
    ASSERT_NE(library_, nullptr) << dlerror();
}

void* ComponentShellTest::Symbol(const char* name) {
    void* symbol = library_ ? dlsym(library_, name) : nullptr;
    EXPECT_NE(symbol, nullptr) << name;
    return symbol;
}

void ComponentShellTest::SetUp() {
    HeadlessDesktopTest::SetUp();
    ASSERT_NE(library_, nullptr);
    hostState_ = std::make_unique<win::ModuleStateScope>(*hostModule_);
    getInterface_ = reinterpret_cast<CRVGetComponentInterfaceFn>(Symbol("CRVGetComponentInterface"));
    freeInterface_ = reinterpret_cast<CRVFreeComponentInterfaceFn>(Symbol("CRVFreeComponentInterface"));
    currentComponent_ = reinterpret_cast<CEffectComponent* (*)()>(Symbol("_Z16CurrentComponentv"));
    ASSERT_TRUE(getInterface_ && freeInterface_ && currentComponent_);
    const win::DWORD style = win::WS_OVERLAPPED | win::WS_CAPTION | win::WS_VISIBLE;
    ASSERT_TRUE(hostWindow.Create(nullptr, "Host", style, {40, 30, 740, 530}, nullptr, 0));
    ASSERT_TRUE(otherHostWindow.Create(nullptr, "Other host", style, {100, 100, 800, 600}, nullptr, 0));
    Pump();
}

void ComponentShellTest::TearDown() {
    for (IEffectComponent* component : live_) freeInterface_(component);
    live_.clear();
    hostWindow.DestroyWindow();
    otherHostWindow.DestroyWindow();
    hostState_.reset();
    HeadlessDesktopTest::TearDown();
}

IEffectComponent* ComponentShellTest::NewComponent() {
    auto* component = static_cast<IEffectComponent*>(getInterface_(kEffectsCategory));
    if (component) live_.push_back(component);
    return component;
}

void ComponentShellTest::Free(IEffectComponent* component) {
    live_.erase(std::remove(live_.begin(), live_.end(), component), live_.end());
    freeInterface_(component);
}

}  // namespace shelltest

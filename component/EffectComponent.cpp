#include "component/EffectComponent.h"

#include "component/ComponentModule.h"
#include "component/CurrentComponent.h"
#include "component/EditorHostWnd.h"
#include "component/HelpFilePath.h"
#include "host/lib/EffectParams.h"
#include "host/lib/EffectsPlugin.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Window.h"
#include "presets/ParameterTable.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kComponentKind = 3;
constexpr int kRevision = 0x103;
constexpr win::Rect kEditorRect{0, 0, 582, 408};

// Runs an operation with the library's module state current. The scope gives the caller its state
// back on the way out, also while an exception unwinds, and the exception stops here: nothing
// unwinds into the host.
template <typename Result, typename Body>
Result InComponentState(Result failure, Body&& body) noexcept {
    try {
        win::ModuleStateScope scope(ComponentModule());
        return body();
    } catch (...) {
        return failure;
    }
}

template <typename Body>
void InComponentState(Body&& body) noexcept {
    InComponentState(0, [&] {
        body();
        return 0;
    });
}

}  // namespace

// The host sees the object as a table pointer followed by the four fields.
static_assert(sizeof(CEffectComponent) == 5 * sizeof(void*));

// Allocation failures propagate to the factory, which answers null.
CEffectComponent::CEffectComponent()
    : editorSite_(nullptr), parentWindow_(nullptr), effect_(nullptr) {
    win::ModuleStateScope scope(ComponentModule());
    if (!CurrentComponent()) SetCurrentComponent(this);
}

CEffectComponent::~CEffectComponent() {
    win::ModuleStateScope scope(ComponentModule());
    // The editor goes while the library's state is current, not after the scope below.
    editorHost_.reset();
    // Whichever component was current: the editor it stood for is gone or about to go.
    SetCurrentComponent(nullptr);
}

int CEffectComponent::GetKind() {
    return InComponentState(kComponentKind, [] { return kComponentKind; });
}

int CEffectComponent::QueryFeature(int) {
    return InComponentState(0, [] { return 0; });
}

char* CEffectComponent::GetHelpFilePath(char* buffer) {
    return InComponentState<char*>(nullptr, [&] { return LibraryHelpFilePath(buffer); });
}

win::HWND CEffectComponent::CreateEditor(win::HWND parent) {
    return InComponentState<win::HWND>(nullptr, [&] { return MakeEditor(parent); });
}

int CEffectComponent::SetParentWindow(win::HWND parent) {
    return InComponentState(0, [&] {
        parentWindow_ = parent;
        return 0;
    });
}

bool CEffectComponent::ShowEditor(bool show) {
    InComponentState([&] { ShowOrHideEditor(show); });
    return true;
}

bool CEffectComponent::QueryReady(int) {
    return InComponentState(true, [] { return true; });
}

void CEffectComponent::SetEditorSite(IEditorSite* site) {
    InComponentState([&] { editorSite_ = site; });
}

void CEffectComponent::Reserved1(int) {}
void CEffectComponent::Reserved2(int) {}
void CEffectComponent::Reserved3(int) {}
void CEffectComponent::Reserved4(int) {}

int CEffectComponent::GetRevision() { return kRevision; }

void CEffectComponent::SetEffect(CEffectsPlugin* effect) {
    InComponentState([&] {
        if (!effect) return;
        effect_ = effect;
        if (!editorHost_) return;
        SetCurrentComponent(this);
        editorHost_->BindEffect();
    });
}

void CEffectComponent::Reserved5(int) {
    InComponentState([] {});
}

void CEffectComponent::RefreshEffectAutomation(CEffectsPlugin* effect) {
    try {
        if (!effect) return;
        tagEffectParams* params = effect->GetInterface();
        if (!params) return;
        // In block order, as the host lists its records.
        for (const EffectRecord& record : kEffectRecords) effect->RefreshAutomation(&(params->*record.member));
    } catch (...) {
    }
}

win::HWND CEffectComponent::MakeEditor(win::HWND parent) {
    if (editorHost_) return editorHost_->GetSafeHwnd();
    parentWindow_ = parent;
    // The platform's handle table gives the host's own window object, so no temporary wrapper is
    // attached or detached; the host's window is only borrowed as the parent.
    win::Window* hostWindow = win::Window::FromHandle(parent);
    editorHost_ = std::make_unique<CEditorHostWnd>();
    SetCurrentComponent(this);
    // A failed creation leaves the object in place: later calls answer its (null) handle.
    editorHost_->Create(nullptr, "KVX 4", win::WS_CHILD | win::WS_VISIBLE, kEditorRect, hostWindow, IDD_EDITOR_HOST);
    editorHost_->SetWindowText("KVX 4 EQ (Stereo Contour)");
    editorHost_->CreatePanel();
    return editorHost_->GetSafeHwnd();
}

void CEffectComponent::ShowOrHideEditor(bool show) {
    if (!editorHost_ || !win::IsWindow(editorHost_->GetSafeHwnd())) return;
    if (!show) {
        editorHost_->ShowWindow(win::SW_HIDE);
        editorHost_->StopPollTimer();
        return;
    }
    editorHost_->ShowWindow(win::SW_SHOW);
    if (!editorHost_->StartPollTimer()) win::AfxMessageBox("ERROR: Set Timer Failed", win::MB_OK);
}

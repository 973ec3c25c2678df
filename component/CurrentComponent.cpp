#include "component/CurrentComponent.h"

#include "component/EffectComponent.h"
#include "host/lib/ComponentInterface.h"

namespace {

CEffectComponent* current = nullptr;

}  // namespace

CEffectComponent* CurrentComponent() { return current; }

void SetCurrentComponent(CEffectComponent* component) { current = component; }

CEffectsPlugin* CurrentEffect() { return current ? current->Effect() : nullptr; }

IEditorSite* CurrentEditorSite() { return current ? current->EditorSite() : nullptr; }

char* CurrentHelpFilePath(char* buffer) { return current ? current->GetHelpFilePath(buffer) : nullptr; }

bool RequestEditorClose() {
    IEditorSite* site = CurrentEditorSite();
    if (!site) return false;
    site->OnCloseRequest();
    return true;
}

#pragma once
// The current component: the one component object the editor is bound to, through which the panel,
// the controls and the automation dialogs reach the host's effect slot and editor site. Set by the
// component object (construction while none is current, CreateEditor, SetEffect with an editor) and
// cleared by the destruction of any component object. A plain variable: everything runs on the
// host's user-interface thread.
#include "component/ComponentApi.h"
#include "component/HelpFilePath.h"

class CEffectComponent;
class CEffectsPlugin;
class IEditorSite;

KVX4_COMPONENT_API CEffectComponent* CurrentComponent();
KVX4_COMPONENT_API void SetCurrentComponent(CEffectComponent* component);

// The effect slot and the editor site of the current component; null when there is none.
KVX4_COMPONENT_API CEffectsPlugin* CurrentEffect();
KVX4_COMPONENT_API IEditorSite* CurrentEditorSite();

// Fills `buffer` (kHelpFilePathSize bytes) through the current component's GetHelpFilePath; null
// when there is no current component or no path.
KVX4_COMPONENT_API char* CurrentHelpFilePath(char* buffer);

// Asks the host, through the current component's editor site, to close the editor. The site's
// answer is of no interest; false only when there is no site to ask.
KVX4_COMPONENT_API bool RequestEditorClose();

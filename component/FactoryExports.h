#pragma once
// The factory the host looks up by name in every component library. Plain C names; nothing throws
// across them.
#include "component/ComponentApi.h"

class CEffectComponent;

// The component category the host asks for when it wants an effect editor.
constexpr int kEffectsComponentKind = 0x11040;

extern "C" {
// A new component object for the effects kind; null for any other kind or when memory runs out.
KVX4_COMPONENT_API CEffectComponent* CRVGetComponentInterface(int kind);
// Destroys a component object made by CRVGetComponentInterface; null is ignored.
KVX4_COMPONENT_API void CRVFreeComponentInterface(void* component);
}

#include "component/FactoryExports.h"

#include <new>

#include "component/EffectComponent.h"

CEffectComponent* CRVGetComponentInterface(int kind) {
    if (kind != kEffectsComponentKind) return nullptr;
    try {
        return new CEffectComponent();
    } catch (...) {
        return nullptr;
    }
}

void CRVFreeComponentInterface(void* component) {
    try {
        delete static_cast<CEffectComponent*>(component);
    } catch (...) {
    }
}

#include "component/ComponentModule.h"

#include "resources/ComponentResources.h"

win::Module& ComponentModule() {
    // Built on first use so that every resource table is registered before any look-up.
    static win::Module module("KVX4", reinterpret_cast<const void*>(&ComponentModule));
    static const bool registered = (RegisterComponentResources(module), true);
    (void)registered;
    return module;
}

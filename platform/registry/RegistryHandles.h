#pragma once
// The table of open registry handles: each maps to a key path and the access it was opened with.
// Handles name paths, not tree nodes, because the tree is rebuilt whenever the file changes.
// Not thread-safe by itself; Registry.cpp guards it with its lock.
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryTree.h"

namespace win {

struct OpenRegistryKey {
    RegistryPath path;
    REGSAM access = 0;
};

class RegistryHandles {
public:
    HKEY Open(RegistryPath path, REGSAM access);
    bool Close(HKEY key);
    // HKEY_CURRENT_USER resolves to the root with full access; unknown or closed handles to nullopt.
    std::optional<OpenRegistryKey> Resolve(HKEY key) const;
    static bool IsPredefined(HKEY key);

private:
    std::unordered_map<std::uintptr_t, OpenRegistryKey> open_;
    std::uintptr_t next_ = 0x1000;
};

}  // namespace win

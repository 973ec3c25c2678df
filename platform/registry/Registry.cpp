#include "platform/registry/Registry.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>

#include "platform/kernel/FileTime.h"
#include "platform/kernel/NoThrow.h"
#include "platform/registry/RegistryHandles.h"
#include "platform/registry/RegistryStore.h"

namespace win {

namespace {

struct RegistryState {
    std::mutex mutex;
    RegistryStore store{"HKEY_CURRENT_USER"};
    RegistryHandles handles;
};

// Never destroyed, so handles closed from other static destructors still find it.
RegistryState& State() {
    static RegistryState* state = new RegistryState;
    return *state;
}

template <typename Body>
LSTATUS Locked(Body&& body) {
    return NoThrow<LSTATUS>(static_cast<LSTATUS>(ERROR_OUTOFMEMORY), [&]() -> LSTATUS {
        RegistryState& state = State();
        std::lock_guard guard(state.mutex);
        return static_cast<LSTATUS>(body(state));
    });
}

// "A\B\" -> {"A","B"}. One trailing separator is tolerated, as Windows does; a leading or doubled
// one is a bad path, and control characters would not survive the text store.
DWORD ParseSubKey(const char* text, RegistryPath& path) {
    path.clear();
    if (!text || !*text) return ERROR_SUCCESS;
    std::string_view rest(text);
    if (rest.front() == '\\') return ERROR_BAD_PATHNAME;
    if (rest.back() == '\\') rest.remove_suffix(1);
    while (true) {
        size_t slash = rest.find('\\');
        std::string_view part = rest.substr(0, slash);
        if (part.empty()) return ERROR_BAD_PATHNAME;
        for (char c : part)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return ERROR_INVALID_PARAMETER;
        path.emplace_back(part);
        if (slash == std::string_view::npos) return ERROR_SUCCESS;
        rest.remove_prefix(slash + 1);
    }
}

RegistryPath Join(RegistryPath base, const RegistryPath& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

DWORD Authorise(RegistryState& state, HKEY key, REGSAM needed, OpenRegistryKey& open) {
    auto resolved = state.handles.Resolve(key);
    if (!resolved) return ERROR_INVALID_HANDLE;
    if ((resolved->access & needed) != needed) return ERROR_ACCESS_DENIED;
    open = std::move(*resolved);
    return ERROR_SUCCESS;
}

// The key behind an authorised handle in the freshly refreshed tree: ERROR_KEY_DELETED once it was
// deleted, ERROR_CANTREAD while the store cannot be read (an empty tree is no answer then).
DWORD CurrentNode(RegistryState& state, const OpenRegistryKey& open, const RegistryKeyNode*& node) {
    state.store.Refresh();
    node = nullptr;
    if (DWORD error = state.store.ReadError()) return error;
    node = state.store.Tree().Find(open.path);
    return node ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

void WriteFileTime(void* destination, const timespec& time) {
    if (!destination) return;
    FILETIME stamp = time.tv_sec || time.tv_nsec ? FileTimeFromUnix(time) : FILETIME{};
    std::memcpy(destination, &stamp, sizeof stamp);
}

DWORD OpenOrCreate(RegistryState& state, HKEY key, const char* subKey, REGSAM access, bool create, HKEY* result,
                   DWORD* disposition) {
    OpenRegistryKey parent;
    if (DWORD error = Authorise(state, key, 0, parent)) return error;
    RegistryPath relative;
    if (DWORD error = ParseSubKey(subKey, relative)) return error;
    if (relative.empty() && RegistryHandles::IsPredefined(key)) {
        *result = key;
        if (disposition) *disposition = REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    }
    RegistryPath full = Join(parent.path, relative);
    const RegistryKeyNode* parentNode = nullptr;
    if (DWORD error = CurrentNode(state, parent, parentNode)) return error;
    bool created = false;
    if (!state.store.Tree().Find(full)) {
        if (!create) return ERROR_FILE_NOT_FOUND;
        if (!(parent.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
        DWORD error = state.store.Modify([&](RegistryTree& tree, bool& changed) -> DWORD {
            if (!tree.Find(parent.path)) return ERROR_KEY_DELETED;
            tree.Create(full, created);
            changed = created;
            return ERROR_SUCCESS;
        });
        if (error) return error;
    }
    *result = state.handles.Open(state.store.Tree().Spelling(full), access);
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, const char* className, DWORD options,
                        REGSAM access, void* security, HKEY* result, DWORD* disposition) {
    if (!result || reserved != 0) return ERROR_INVALID_PARAMETER;
    return Locked([&](RegistryState& state) { return OpenOrCreate(state, key, subKey, access, true, result, disposition); });
}

LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    return Locked([&](RegistryState& state) { return OpenOrCreate(state, key, subKey, access, false, result, nullptr); });
}

LSTATUS RegCloseKey(HKEY key) {
    return Locked([&](RegistryState& state) -> DWORD {
        if (RegistryHandles::IsPredefined(key)) return ERROR_SUCCESS;
        return state.handles.Close(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    });
}

LSTATUS RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    if (!data && size > 0) return ERROR_INVALID_PARAMETER;
    return Locked([&](RegistryState& state) -> DWORD {
        OpenRegistryKey open;
        if (DWORD error = Authorise(state, key, KEY_SET_VALUE, open)) return error;
        std::vector<BYTE> bytes(data, data + size);
        return state.store.Modify([&](RegistryTree& tree, bool& changed) -> DWORD {
            RegistryKeyNode* node = tree.Find(open.path);
            if (!node) return ERROR_KEY_DELETED;
            changed = node->SetValue(name ? name : "", type, std::move(bytes));
            return ERROR_SUCCESS;
        });
    });
}

LSTATUS RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size) {
    if (reserved || (data && !size)) return ERROR_INVALID_PARAMETER;
    return Locked([&](RegistryState& state) -> DWORD {
        OpenRegistryKey open;
        if (DWORD error = Authorise(state, key, KEY_QUERY_VALUE, open)) return error;
        const RegistryKeyNode* node = nullptr;
        if (DWORD error = CurrentNode(state, open, node)) return error;
        const RegistryValue* value = node->FindValue(name ? name : "");
        if (!value) return ERROR_FILE_NOT_FOUND;
        auto needed = static_cast<DWORD>(value->data.size());
        if (type) *type = value->type;
        if (data && *size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (data && needed) std::memcpy(data, value->data.data(), needed);
        if (size) *size = needed;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteValueA(HKEY key, const char* name) {
    return Locked([&](RegistryState& state) -> DWORD {
        OpenRegistryKey open;
        if (DWORD error = Authorise(state, key, KEY_SET_VALUE, open)) return error;
        return state.store.Modify([&](RegistryTree& tree, bool& changed) -> DWORD {
            RegistryKeyNode* node = tree.Find(open.path);
            if (!node) return ERROR_KEY_DELETED;
            changed = node->DeleteValue(name ? name : "");
            return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        });
    });
}

LSTATUS RegDeleteKeyA(HKEY key, const char* subKey) {
    if (!subKey) return ERROR_INVALID_PARAMETER;
    return Locked([&](RegistryState& state) -> DWORD {
        OpenRegistryKey open;
        if (DWORD error = Authorise(state, key, 0, open)) return error;
        RegistryPath relative;
        if (DWORD error = ParseSubKey(subKey, relative)) return error;
        RegistryPath full = Join(open.path, relative);
        if (full.empty()) return ERROR_ACCESS_DENIED;
        return state.store.Modify([&](RegistryTree& tree, bool& changed) -> DWORD {
            const RegistryKeyNode* target = tree.Find(full);
            if (!target) return ERROR_FILE_NOT_FOUND;
            if (!target->Children().empty()) return ERROR_ACCESS_DENIED;
            RegistryPath parentPath(full.begin(), full.end() - 1);
            changed = tree.Find(parentPath)->RemoveChild(full.back());
            return ERROR_SUCCESS;
        });
    });
}

LSTATUS RegDeleteTreeA(HKEY key, const char* subKey) {
    return Locked([&](RegistryState& state) -> DWORD {
        OpenRegistryKey open;
        if (DWORD error = Authorise(state, key, 0, open)) return error;
        RegistryPath relative;
        if (DWORD error = ParseSubKey(subKey, relative)) return error;
        RegistryPath full = Join(open.path, relative);
        return state.store.Modify([&](RegistryTree& tree, bool& changed) -> DWORD {
            RegistryKeyNode* target = tree.Find(full);
            if (!target) return relative.empty() ? ERROR_KEY_DELETED : ERROR_FILE_NOT_FOUND;
            if (relative.empty()) {
                changed = !target->Values().empty() || !target->Children().empty();
                target->Clear();
            } else {
                RegistryPath parentPath(full.begin(), full.end() - 1);
                changed = tree.Find(parentPath)->RemoveChild(full.back());
            }
            return ERROR_SUCCESS;
        });
    });
}

LSTATUS RegQueryInfoKeyA(HKEY key, char* className, DWORD* classLen, DWORD* reserved, DWORD* subKeys,
                         DWORD* maxSubKeyLen, DWORD* maxClassLen, DWORD* values, DWORD* maxValueNameLen,
                         DWORD* maxValueLen, DWORD* securityDescriptor, void* lastWriteTime) {
    if (className && !classLen) return ERROR_INVALID_PARAMETER;
    return Locked([&](RegistryState& state) -> DWORD {
        OpenRegistryKey open;
        if (DWORD error = Authorise(state, key, KEY_QUERY_VALUE, open)) return error;
        const RegistryKeyNode* node = nullptr;
        if (DWORD error = CurrentNode(state, open, node)) return error;
        // Class names are not kept: every key reports an empty one.
        if (className) {
            if (*classLen < 1) return ERROR_MORE_DATA;
            className[0] = '\0';
        }
        if (classLen) *classLen = 0;
        DWORD longestKey = 0, longestName = 0, largestData = 0;
        for (const auto& child : node->Children()) longestKey = std::max<DWORD>(longestKey, static_cast<DWORD>(child->Name().size()));
        for (const RegistryValue& value : node->Values()) {
            longestName = std::max<DWORD>(longestName, static_cast<DWORD>(value.name.size()));
            largestData = std::max<DWORD>(largestData, static_cast<DWORD>(value.data.size()));
        }
        if (subKeys) *subKeys = static_cast<DWORD>(node->Children().size());
        if (maxSubKeyLen) *maxSubKeyLen = longestKey;
        if (maxClassLen) *maxClassLen = 0;
        if (values) *values = static_cast<DWORD>(node->Values().size());
        if (maxValueNameLen) *maxValueNameLen = longestName;
        if (maxValueLen) *maxValueLen = largestData;
        if (securityDescriptor) *securityDescriptor = 0;
        WriteFileTime(lastWriteTime, state.store.LastWriteTime());
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLen, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* dataLen) {
    if (!name || !nameLen || reserved || (data && !dataLen)) return ERROR_INVALID_PARAMETER;
    return Locked([&](RegistryState& state) -> DWORD {
        OpenRegistryKey open;
        if (DWORD error = Authorise(state, key, KEY_QUERY_VALUE, open)) return error;
        const RegistryKeyNode* node = nullptr;
        if (DWORD error = CurrentNode(state, open, node)) return error;
        if (index >= node->Values().size()) return ERROR_NO_MORE_ITEMS;
        const RegistryValue& value = node->Values()[index];
        auto needed = static_cast<DWORD>(value.data.size());
        bool nameFits = value.name.size() < *nameLen;
        bool dataFits = !data || needed <= *dataLen;
        if (!nameFits || !dataFits) {
            if (!dataFits) {
                *dataLen = needed;
                if (type) *type = value.type;
            }
            return ERROR_MORE_DATA;
        }
        std::memcpy(name, value.name.c_str(), value.name.size() + 1);
        *nameLen = static_cast<DWORD>(value.name.size());
        if (type) *type = value.type;
        if (data && needed) std::memcpy(data, value.data.data(), needed);
        if (dataLen) *dataLen = needed;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLen, DWORD* reserved, char* className,
                      DWORD* classLen, void* lastWriteTime) {
    if (!name || !nameLen || reserved || (className && !classLen)) return ERROR_INVALID_PARAMETER;
    return Locked([&](RegistryState& state) -> DWORD {
        OpenRegistryKey open;
        if (DWORD error = Authorise(state, key, KEY_ENUMERATE_SUB_KEYS, open)) return error;
        const RegistryKeyNode* node = nullptr;
        if (DWORD error = CurrentNode(state, open, node)) return error;
        const std::vector<const RegistryKeyNode*>& children = node->SortedChildren();
        if (index >= children.size()) return ERROR_NO_MORE_ITEMS;
        const std::string& childName = children[index]->Name();
        if (childName.size() >= *nameLen || (className && *classLen < 1)) return ERROR_MORE_DATA;
        std::memcpy(name, childName.c_str(), childName.size() + 1);
        *nameLen = static_cast<DWORD>(childName.size());
        if (className) className[0] = '\0';
        if (classLen) *classLen = 0;
        WriteFileTime(lastWriteTime, state.store.LastWriteTime());
        return ERROR_SUCCESS;
    });
}

RegistryStoreStatus QueryRegistryStore() {
    RegistryStoreStatus status;
    Locked([&](RegistryState& state) {
        state.store.Refresh();
        status = {state.store.FilePath(), state.store.ReadProblem(), state.store.SaveProblem()};
        return ERROR_SUCCESS;
    });
    return status;
}

}  // namespace win

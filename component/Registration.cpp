#include "component/Registration.h"

#include <cstdio>
#include <cstring>

#include "platform/kernel/LastError.h"
#include "platform/registry/Registry.h"

namespace {

struct Category {
    int id;
    const char* product;
    const char* suffix;
};

constexpr const char* kSorvex = "Software\\Corvane\\Sorvex\\Components";
constexpr const char* kTidefall = "Software\\Corvane\\Tidefall\\Components";

constexpr Category kCategories[] = {
    {CRV_CATEGORY_WAVE_EDITORS, kSorvex, "\\Wave Editors"},
    {CRV_CATEGORY_INSTRUMENT_EDITORS, kSorvex, "\\Instrument Editors"},
    {CRV_CATEGORY_SEQUENCERS, kSorvex, "\\Sequencers"},
    {CRV_CATEGORY_SAMPLE_CONVERTERS, kSorvex, "\\Sample Converters"},
    {CRV_CATEGORY_EFFECTS, kTidefall, "\\Effects"},
    {CRV_CATEGORY_SOFTSYNTH, kTidefall, "\\SoftSynth"},
};

// Closes the key it received, whichever way the operation leaves.
class ScopedKey {
public:
    ScopedKey() = default;
    ~ScopedKey() {
        if (open_) win::RegCloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    bool Opened(win::LONG status) {
        open_ = status == static_cast<win::LONG>(win::ERROR_SUCCESS);
        return open_;
    }
    win::HKEY* Receive() { return &key_; }
    win::HKEY Get() const { return key_; }

private:
    win::HKEY key_{};
    bool open_ = false;
};

bool Succeeded(win::LONG status) { return status == static_cast<win::LONG>(win::ERROR_SUCCESS); }

}  // namespace

bool ComponentCategoryKey(int category, char* buffer) {
    for (const Category& entry : kCategories) {
        if (entry.id != category) continue;
        std::snprintf(buffer, CRV_PATH_SIZE, "%s%s", entry.product, entry.suffix);
        return true;
    }
    return false;
}

bool RegisterComponentValue(int category, const char* name, const char* path) {
    char keyPath[CRV_PATH_SIZE] = {};
    if (!name || !path || !ComponentCategoryKey(category, keyPath)) return false;

    char keyClass[] = "REG_SZ";
    ScopedKey key;
    if (!key.Opened(win::RegCreateKeyExA(win::HKEY_CURRENT_USER, keyPath, 0, keyClass, win::REG_OPTION_NON_VOLATILE,
                                         win::KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr))) {
        return true;
    }
    auto length = static_cast<win::DWORD>(std::strlen(path));
    return Succeeded(win::RegSetValueExA(key.Get(), name, 0, win::REG_SZ, reinterpret_cast<const win::BYTE*>(path),
                                         length));
}

bool UnregisterComponentValue(int category, const char* name, const char* path) {
    char keyPath[CRV_PATH_SIZE] = {};
    if (!name || !path || !ComponentCategoryKey(category, keyPath)) return false;

    ScopedKey key;
    if (!key.Opened(win::RegOpenKeyExA(win::HKEY_CURRENT_USER, keyPath, 0, win::KEY_ALL_ACCESS, key.Receive()))) {
        return true;
    }
    return Succeeded(win::RegDeleteValueA(key.Get(), name));
}

int CountComponentValues(int category) {
    char keyPath[CRV_PATH_SIZE] = {};
    if (!ComponentCategoryKey(category, keyPath)) return 0;

    ScopedKey key;
    if (!key.Opened(win::RegOpenKeyExA(win::HKEY_CURRENT_USER, keyPath, 0, win::KEY_QUERY_VALUE, key.Receive()))) {
        return 0;
    }
    win::DWORD values = 0;
    if (!Succeeded(win::RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                         nullptr, nullptr, nullptr, nullptr))) {
        return -1;
    }
    return static_cast<int>(values);
}

bool EnumComponentValues(int category, tagCRVComponent* records) {
    char keyPath[CRV_PATH_SIZE] = {};
    if (!records || !ComponentCategoryKey(category, keyPath)) return false;

    int count = CountComponentValues(category);
    if (count > 0) std::memset(records, 0, static_cast<std::size_t>(count) * sizeof(tagCRVComponent));

    ScopedKey key;
    if (!key.Opened(win::RegOpenKeyExA(win::HKEY_CURRENT_USER, keyPath, 0, win::KEY_QUERY_VALUE, key.Receive()))) {
        return true;
    }
    for (int i = 0; i < count; ++i) {
        char name[CRV_PATH_SIZE] = {};
        char data[CRV_PATH_SIZE] = {};
        win::DWORD nameLength = CRV_PATH_SIZE;
        win::DWORD dataLength = CRV_PATH_SIZE;
        if (!Succeeded(win::RegEnumValueA(key.Get(), static_cast<win::DWORD>(i), name, &nameLength, nullptr, nullptr,
                                          reinterpret_cast<win::BYTE*>(data), &dataLength))) {
            return false;
        }
        // Data is stored without its zero; a value that fills the whole buffer has no room left for
        // one, so it does not fit a record either.
        std::size_t pathLength = strnlen(data, CRV_PATH_SIZE);
        if (pathLength == CRV_PATH_SIZE) return false;
        std::size_t nameChars = strnlen(name, CRV_PATH_SIZE - 1);
        std::memcpy(records[i].componentName, name, nameChars);
        records[i].componentName[nameChars] = '\0';
        std::memcpy(records[i].componentPath, data, pathLength + 1);
    }
    return true;
}

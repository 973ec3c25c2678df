#include "host/app/ComponentLocator.h"

#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/kernel/ErrorMessage.h"
#include "platform/registry/Registry.h"

namespace {

// Closes the key when the scope ends.
class OpenKey {
public:
    explicit OpenKey(win::REGSAM access) {
        if (win::RegOpenKeyExA(win::HKEY_CURRENT_USER, kEffectsKeyPath, 0, access, &key_) != win::ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey() {
        if (key_) win::RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    win::HKEY Get() const { return key_; }

private:
    win::HKEY key_ = nullptr;
};

// A string value's text, with or without its stored terminating zero.
std::string StringData(std::vector<win::BYTE> data) {
    std::string text(data.begin(), data.end());
    size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

std::string Where() { return std::string("HKEY_CURRENT_USER\\") + kEffectsKeyPath; }

}  // namespace

std::string RegistryStoreProblem() {
    const win::RegistryStoreStatus store = win::QueryRegistryStore();
    const std::string elsewhere = "or point KVX4_REGISTRY_DIR at another folder";
    if (store.readProblem == win::ERROR_BADDB)
        return "the registry store " + store.path + " holds no registry data (" + win::ErrorMessage(store.readProblem) +
               "); it is left as it is: move it aside and run kvx4-host --register, " + elsewhere;
    if (store.readProblem)
        return "cannot read the registry store " + store.path + ": " + win::ErrorMessage(store.readProblem) +
               "; make it readable, " + elsewhere;
    if (store.saveProblem)
        return "cannot write the registry store " + store.path + ": " + win::ErrorMessage(store.saveProblem) +
               "; make its folder writable, " + elsewhere;
    return {};
}

LocatedComponent FindRegisteredComponent(const std::string& displayName) {
    const std::string hint = " (run kvx4-host with --register, or give --library PATH)";
    OpenKey key(win::KEY_QUERY_VALUE);
    if (!key.Get()) {
        if (std::string problem = RegistryStoreProblem(); !problem.empty()) return {{}, problem};
        return {{}, "no effect components are registered: " + Where() + " does not exist" + hint};
    }

    win::DWORD type = 0;
    win::DWORD size = 0;
    win::LSTATUS status = win::RegQueryValueExA(key.Get(), displayName.c_str(), nullptr, &type, nullptr, &size);
    if (status != win::ERROR_SUCCESS)
        return {{}, "\"" + displayName + "\" is not registered under " + Where() + hint};
    if (type != win::REG_SZ && type != win::REG_EXPAND_SZ)
        return {{}, "the registry value \"" + displayName + "\" is not a string" + hint};
    std::vector<win::BYTE> data(size);
    // The value may change between the two calls; the second call then reports the new size.
    while ((status = win::RegQueryValueExA(key.Get(), displayName.c_str(), nullptr, &type, data.data(), &size)) ==
           win::ERROR_MORE_DATA)
        data.resize(size);
    if (status != win::ERROR_SUCCESS)
        return {{}, "the registry value \"" + displayName + "\" cannot be read (error " + std::to_string(status) + ")"};
    data.resize(size);
    std::string path = StringData(std::move(data));
    if (path.empty()) return {{}, "the registry value \"" + displayName + "\" is empty" + hint};
    return {path, {}};
}

std::vector<std::pair<std::string, std::string>> ListRegisteredEffects() {
    std::vector<std::pair<std::string, std::string>> components;
    OpenKey key(win::KEY_QUERY_VALUE);
    if (!key.Get()) return components;
    for (win::DWORD index = 0;; ++index) {
        std::vector<char> name(256);
        std::vector<win::BYTE> data(1024);
        win::LSTATUS status;
        for (;;) {
            win::DWORD nameLength = static_cast<win::DWORD>(name.size());
            win::DWORD dataLength = static_cast<win::DWORD>(data.size());
            win::DWORD type = 0;
            status = win::RegEnumValueA(key.Get(), index, name.data(), &nameLength, nullptr, &type, data.data(),
                                        &dataLength);
            if (status != win::ERROR_MORE_DATA) {
                if (status == win::ERROR_SUCCESS) {
                    data.resize(dataLength);
                    name.resize(nameLength);
                }
                break;
            }
            // Either buffer may be the one that is short; grow both, within reason.
            if (name.size() > (1u << 16) || data.size() > (1u << 20)) break;
            name.resize(name.size() * 4);
            data.resize(std::max<size_t>(data.size() * 4, dataLength));
        }
        if (status != win::ERROR_SUCCESS) break;
        components.emplace_back(std::string(name.begin(), name.end()), StringData(std::move(data)));
    }
    return components;
}

std::string ExecutableDirectory() {
    char exe[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0) return ".";
    std::string path(exe, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string DefaultLibraryPath() {
    const std::string beside = ExecutableDirectory() + "/KVX4.dll";
    const std::string installed = ExecutableDirectory() + "/../lib/kvx4/KVX4.dll";
    return access(beside.c_str(), F_OK) != 0 && access(installed.c_str(), F_OK) == 0 ? installed : beside;
}

#include "host/app/ComponentLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>

ComponentLibrary::~ComponentLibrary() { Close(); }

bool ComponentLibrary::Open(const std::string& path, std::string* error) {
    Close();
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        *error = "component library not found: " + path;
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        *error = "component library path is a directory: " + path;
        return false;
    }
    dlerror();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        *error = "cannot load " + path + ": " + (reason ? reason : "unknown dlopen failure");
        return false;
    }
    path_ = path;
    return true;
}

void ComponentLibrary::Close() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
    path_.clear();
}

void* ComponentLibrary::Symbol(const char* name, std::string* error) const {
    if (!handle_) {
        *error = "no component library is loaded";
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(handle_, name);
    if (!symbol) *error = path_ + " does not export " + name + " (is it a KVX4 component?)";
    return symbol;
}

bool RegisterComponentLibrary(const std::string& path, std::string* error) {
    ComponentLibrary library;
    if (!library.Open(path, error)) return false;
    using RegisterFn = bool (*)();
    auto registerComponent = reinterpret_cast<RegisterFn>(library.Symbol("DllRegisterComponent", error));
    if (!registerComponent) return false;
    if (!registerComponent()) {
        *error = path + ": DllRegisterComponent reported failure";
        return false;
    }
    return true;
}

std::string CanonicalPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

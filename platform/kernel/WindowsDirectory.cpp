#include "platform/kernel/WindowsDirectory.h"

#include <cstdlib>
#include <cstring>

#include "platform/kernel/FileSystem.h"
#include "platform/kernel/LastError.h"

namespace win {

namespace {

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string WindowsDirectory() {
    const char* own = std::getenv("KVX4_WINDOWS_DIR");
    if (own && *own) return WithoutTrailingSlashes(own);
    // The XDG rules say a relative XDG_CONFIG_HOME is invalid and must be ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return WithoutTrailingSlashes(config) + "/kvx4/windows";
    std::string home = HomeDirectory();
    if (home.empty()) return {};
    return WithoutTrailingSlashes(home) + "/.config/kvx4/windows";
}

UINT GetWindowsDirectoryA(char* buffer, UINT size) {
    std::string path = WindowsDirectory();
    if (path.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    if (!buffer || path.size() + 1 > size) return static_cast<UINT>(path.size() + 1);
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<UINT>(path.size());
}

}  // namespace win

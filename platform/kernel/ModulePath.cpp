#include "platform/kernel/ModulePath.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/kernel/LastError.h"

namespace win {

namespace {

std::string ReadLink(const char* path) {
    char target[PATH_MAX];
    ssize_t n = readlink(path, target, sizeof target);
    if (n <= 0 || n >= static_cast<ssize_t>(sizeof target)) return {};
    return std::string(target, static_cast<size_t>(n));
}

// The kernel's view of which file backs an address; it is absolute even when the module was
// loaded through a relative name from a working directory that has changed since.
std::string MappedFileAt(const void* address) {
    std::ifstream maps("/proc/self/maps");
    auto wanted = reinterpret_cast<std::uintptr_t>(address);
    std::string line;
    while (std::getline(maps, line)) {
        std::istringstream fields(line);
        std::string range, perms, offset, device, inode;
        if (!(fields >> range >> perms >> offset >> device >> inode)) continue;
        size_t dash = range.find('-');
        if (dash == std::string::npos) continue;
        std::uintptr_t start = std::strtoull(range.c_str(), nullptr, 16);
        std::uintptr_t end = std::strtoull(range.c_str() + dash + 1, nullptr, 16);
        if (wanted < start || wanted >= end) continue;
        std::string path;
        std::getline(fields >> std::ws, path);
        return !path.empty() && path[0] == '/' ? path : std::string{};
    }
    return {};
}

std::string Absolute(const std::string& path) {
    if (path.empty()) return {};
    if (char* resolved = realpath(path.c_str(), nullptr)) {
        std::string result(resolved);
        std::free(resolved);
        return result;
    }
    if (path[0] == '/') return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return {};
    return std::string(cwd) + "/" + path;
}

}  // namespace

std::string ModuleFileName(const void* addressInModule) {
    if (!addressInModule) return ReadLink("/proc/self/exe");
    Dl_info info{};
    link_map* map = nullptr;
    if (!dladdr1(addressInModule, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP)) return {};
    // The executable's own entry has an empty name; dladdr would report argv[0], which can lie.
    if (map && map->l_name && map->l_name[0] == '\0') return ReadLink("/proc/self/exe");
    std::string name = map && map->l_name ? map->l_name : (info.dli_fname ? info.dli_fname : "");
    if (!name.empty() && name[0] == '/') return Absolute(name);
    std::string mapped = MappedFileAt(addressInModule);
    return mapped.empty() ? Absolute(name) : mapped;
}

DWORD GetModuleFileNameA(const void* addressInModule, char* buffer, DWORD size) {
    if (!buffer && size > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string path = ModuleFileName(addressInModule);
    if (path.empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (path.size() + 1 > size) {
        if (size > 0) {
            std::memcpy(buffer, path.data(), size - 1);
            buffer[size - 1] = '\0';
        }
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(buffer, path.data(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

}  // namespace win

#pragma once
// A component library loaded by path with dlopen, unloaded with dlclose when the object goes. It
// resolves the exports a host uses: the factory pair and the registration entry point.
#include <string>

#include "host/lib/ComponentInterface.h"

class ComponentLibrary {
public:
    ComponentLibrary() = default;
    ~ComponentLibrary();
    ComponentLibrary(const ComponentLibrary&) = delete;
    ComponentLibrary& operator=(const ComponentLibrary&) = delete;

    // False with a message in *error when the file is missing or dlopen refuses it (dlerror()).
    bool Open(const std::string& path, std::string* error);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    const std::string& Path() const { return path_; }

    // Null with a message in *error when the library lacks the export.
    void* Symbol(const char* name, std::string* error) const;

private:
    void* handle_ = nullptr;
    std::string path_;
};

// Loads the library, calls its DllRegisterComponent and unloads it again. False with a message
// when the library cannot be loaded, lacks the export, or reports failure.
bool RegisterComponentLibrary(const std::string& path, std::string* error);

// The canonical absolute form of a path (symbolic links resolved), or the path itself when it
// cannot be resolved.
std::string CanonicalPath(const std::string& path);

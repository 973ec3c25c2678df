#pragma once
// Finds the component library the way the host does: the Effects category key of the current
// user's registry holds one string value per component, named for the component, whose data is
// the library's full path.
#include <string>
#include <utility>
#include <vector>

inline constexpr const char* kEffectsKeyPath = "Software\\Corvane\\Tidefall\\Components\\Effects";
inline constexpr const char* kComponentDisplayName = "DU Dazaro Veruvur (KVX4)";

struct LocatedComponent {
    std::string path;   // the library path, when found
    std::string error;  // why not, when not found
    bool Found() const { return error.empty(); }
};

// Reads the registered library path of `displayName` under the Effects key. It fails, with a message
// that tells the user what to do, when the key or value is missing, is not a string, or is empty.
LocatedComponent FindRegisteredComponent(const std::string& displayName = kComponentDisplayName);

// A message naming the registry store's file, what went wrong with it and what to do; empty while
// it can be read and its latest change was saved.
std::string RegistryStoreProblem();

// Every component registered under the Effects key, in the registry's value order.
std::vector<std::pair<std::string, std::string>> ListRegisteredEffects();

// The directory of the running executable (from /proc/self/exe), "." when it cannot be read.
std::string ExecutableDirectory();
// KVX4.dll in the directory of the running executable (a build tree), else in ../lib/kvx4 beside
// it (an installed tree); the first when neither exists, so the message names it.
std::string DefaultLibraryPath();

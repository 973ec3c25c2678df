#pragma once
// File names as a Windows volume treats them: letter case does not matter. Code written for Windows
// spells paths in whatever case it likes ("Help\KVX4.HLP"); this finds the file that was meant.
#include <optional>
#include <string>

namespace win {

enum class PathLookup { Found, FileMissing, PathMissing };

struct PathCaseResult {
    PathLookup status = PathLookup::FileMissing;
    std::string path;  // the resolved path when Found
};

// Walks the path one component at a time, taking the exact name when it exists, else the first
// case-insensitive match in byte order of the directory's names. A relative path stays relative
// (resolved against the working directory). FileMissing when only the last component is missing,
// PathMissing when a directory on the way is.
PathCaseResult LookUpPathCase(const std::string& path);

// The resolved path, or nullopt when any component has no match.
std::optional<std::string> ResolvePathCase(const std::string& path);

}  // namespace win

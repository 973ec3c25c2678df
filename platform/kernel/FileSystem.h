#pragma once
// Small file helpers shared by the profile files and the registry store: whole-file reads with a
// size cap, directory creation on demand, and path splitting. Errors come back as Windows codes.
#include <cstdint>
#include <string>

#include "platform/base/WinTypes.h"

namespace win {

struct FileContents {
    bool exists = false;          // false only when the file (or a directory on its path) is missing
    DWORD error = 0;              // ERROR_SUCCESS, or why the file could not be read
    std::string bytes;
};

// Only these mean that nothing is there. Every other failure (no permission, a symbolic link loop,
// an I/O error, no descriptors left) means something is there that cannot be reached, and a store
// that took it for missing would replace the user's file with an empty one.
bool MeansMissing(int errnoValue);

// Reads a whole regular file (or one a symbolic link leads to). Anything else in its place (a
// directory, a FIFO, a device) fails with ERROR_ACCESS_DENIED without blocking and without being
// opened. A file larger than maxBytes fails with ERROR_FILE_TOO_LARGE so that a runaway file cannot
// exhaust memory.
FileContents ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

// mkdir -p; returns ERROR_SUCCESS when the directory exists afterwards.
DWORD EnsureDirectory(const std::string& path);

// "a/b/c" -> "a/b", "c" -> "", "/c" -> "/".
std::string ParentDirectory(const std::string& path);

// True when the path names a directory part ("dir/file", "/file"), not just a file name.
bool HasDirectoryPart(const std::string& path);

// The user's home directory: $HOME, else the password database.
std::string HomeDirectory();

}  // namespace win

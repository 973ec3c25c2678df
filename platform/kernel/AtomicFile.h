#pragma once
// Whole-file replacement that never leaves a half-written file behind, and a lock that serialises
// read-modify-write cycles on the files of one directory across threads and processes. Used by the
// profile files and the registry store.
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace win {

// Writes bytes to a temporary file in the target's directory, flushes it to disk and renames it over
// the target, keeping the target's permissions. A symbolic link is followed, so the file it points
// to is replaced rather than the link. Returns ERROR_SUCCESS or the Windows error of the failure;
// on failure the old file is untouched and no temporary file remains.
DWORD WriteFileAtomically(const std::string& path, std::string_view bytes);

// Exclusive flock on a directory for the lifetime of the object. The directory must exist; when it
// cannot be opened the lock is simply not held (Locked() is false) and callers carry on unlocked.
class DirectoryLock {
public:
    explicit DirectoryLock(const std::string& directory);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    bool Locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace win

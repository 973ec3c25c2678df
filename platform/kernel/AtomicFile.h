#pragma once
// Whole-file replacement that never leaves a half-written file behind, and a lock that serialises
// read-modify-write cycles on the files of one directory across threads and processes. Used by the
// profile files and the registry store.
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace win {

// Writes bytes to a temporary file in the target's directory, flushes it to disk and renames it over
// the target, keeping the target's permissions. Symbolic links are followed, so the file they lead
// to is written (and created when a link dangles) while the links stay. Returns ERROR_SUCCESS or the
// Windows error of the failure; on failure the old file is untouched and no temporary file remains.
// A link loop (ERROR_CANT_RESOLVE_FILENAME) or anything but a regular file in the target's place
// (ERROR_ACCESS_DENIED) is a failure, not something to replace.
DWORD WriteFileAtomically(const std::string& path, std::string_view bytes);

// Exclusive flock on a directory for the lifetime of the object, serialising read-modify-write
// cycles across threads and processes. It is re-entrant on one thread: a lock taken while the same
// thread already holds one on that directory succeeds at once and releases nothing, so a caller can
// hold the lock across several calls that each take it. Writers must not go on when Error() is not
// ERROR_SUCCESS: an unlocked read-modify-write can lose another process's change.
class DirectoryLock {
public:
    explicit DirectoryLock(const std::string& directory);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    DWORD Error() const { return error_; }

private:
    int fd_ = -1;  // the descriptor holding the flock, when this object took it rather than nested
    DWORD error_ = 0;
    unsigned long long device_ = 0, inode_ = 0;
};

}  // namespace win

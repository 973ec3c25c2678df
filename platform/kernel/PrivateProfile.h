#pragma once
// Private profile (.ini) files with the Windows reading and writing rules. A file name without a
// directory lives in WindowsDirectory(). Nothing is cached: every call reads the file afresh, and
// every change replaces the file atomically under a directory lock. A file that exists but cannot
// be read (no permission, an I/O error, a link loop, a FIFO or directory in its place) reads as
// absent with that error as the last error, and is never written over.
#include <memory>

#include "platform/base/WinTypes.h"

namespace win {

class DirectoryLock;

// Holds, for its lifetime, the lock that every write below takes on the folder of `file`, so that a
// caller's sequence of reads and writes (read a count, write an entry, write the count) is one step
// for other threads and processes. The calls of this thread pass through it. The Windows directory
// is created, as a write would. Error() is ERROR_SUCCESS when the lock is held; otherwise the
// sequence's writes fail by themselves.
class PrivateProfileLock {
public:
    explicit PrivateProfileLock(const char* file);
    ~PrivateProfileLock();
    PrivateProfileLock(const PrivateProfileLock&) = delete;
    PrivateProfileLock& operator=(const PrivateProfileLock&) = delete;

    DWORD Error() const { return error_; }

private:
    std::unique_ptr<DirectoryLock> lock_;
    DWORD error_ = 0;
};

// Null section: a double-NUL-terminated list of section names. Null key: the same for the keys of
// the section. Otherwise the value, with one pair of matching quotes removed, or the default (with
// trailing blanks removed) when the key is absent. A value that does not fit is cut to size-1
// characters and the result is size-1; a list that does not fit is cut and ends in two NULs and the
// result is size-2.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* file);

// Null value deletes the key, null key deletes the section.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file);

// Decimal, or hexadecimal after 0x; a leading minus wraps round as on Windows. The default when the
// key is absent or empty.
UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file);

// Binary data as hex digits followed by a checksum byte (sum of the bytes mod 256).
BOOL GetPrivateProfileStructA(const char* section, const char* key, void* data, UINT size, const char* file);
// Null data deletes the key, null key deletes the section.
BOOL WritePrivateProfileStructA(const char* section, const char* key, const void* data, UINT size, const char* file);

}  // namespace win

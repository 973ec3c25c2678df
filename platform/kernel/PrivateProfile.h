#pragma once
// Private profile (.ini) files with the Windows reading and writing rules. A file name without a
// directory lives in WindowsDirectory(). Nothing is cached: every call reads the file afresh, and
// every change replaces the file atomically under a directory lock.
#include "platform/base/WinTypes.h"

namespace win {

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

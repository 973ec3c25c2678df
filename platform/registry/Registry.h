#pragma once
// The Windows registry functions over HKEY_CURRENT_USER, kept per user in a text file (see
// RegistryStore.h). Other processes' changes are picked up on the next call; every change is on
// disk before the call returns.
#include <cstdint>
#include <string>

#include "platform/base/WinTypes.h"
#include "platform/kernel/LastError.h"

namespace win {

using HKEY = struct RegistryKeyTag*;
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001));
using LSTATUS = LONG;
using REGSAM = DWORD;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Creates missing keys along subKey; a handle without KEY_CREATE_SUB_KEY can only open existing ones.
LSTATUS RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, const char* className, DWORD options,
                        REGSAM access, void* security, HKEY* result, DWORD* disposition);
LSTATUS RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);
LSTATUS RegCloseKey(HKEY key);

LSTATUS RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
// Data comes back exactly as stored (a REG_SZ gains no NUL). A buffer that is too small gives
// ERROR_MORE_DATA with the needed size in *size and is left untouched.
LSTATUS RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LSTATUS RegDeleteValueA(HKEY key, const char* name);
// The key must have no subkeys (ERROR_ACCESS_DENIED otherwise).
LSTATUS RegDeleteKeyA(HKEY key, const char* subKey);
// Deletes subKey with everything below it; a null subKey empties the key itself.
LSTATUS RegDeleteTreeA(HKEY key, const char* subKey);

// lastWriteTime, when given, receives a FILETIME (platform/kernel/FileTime.h).
LSTATUS RegQueryInfoKeyA(HKEY key, char* className, DWORD* classLen, DWORD* reserved, DWORD* subKeys,
                         DWORD* maxSubKeyLen, DWORD* maxClassLen, DWORD* values, DWORD* maxValueNameLen,
                         DWORD* maxValueLen, DWORD* securityDescriptor, void* lastWriteTime);
// Values in the order they were first set. Name and data buffers are left untouched unless both fit.
LSTATUS RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLen, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* dataLen);
// Subkeys sorted by name without regard to case, as Windows enumerates them.
LSTATUS RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameLen, DWORD* reserved, char* className,
                      DWORD* classLen, void* lastWriteTime);

// Where HKEY_CURRENT_USER is kept and how it fared, for messages that name the file and the reason:
// readProblem after a refresh (ERROR_BADDB for a file that holds no registry data), saveProblem
// for the latest change (ERROR_CANTREAD when the unreadable file kept it from being saved).
struct RegistryStoreStatus {
    std::string path;
    DWORD readProblem = 0;
    DWORD saveProblem = 0;
};
RegistryStoreStatus QueryRegistryStore();

}  // namespace win

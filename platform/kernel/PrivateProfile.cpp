#include "platform/kernel/PrivateProfile.h"

#include <sys/stat.h>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/AtomicFile.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/NoThrow.h"
#include "platform/kernel/ProfileDocument.h"
#include "platform/kernel/ProfileSnapshot.h"

namespace win {

namespace {

DWORD CopyString(std::string_view value, char* buffer, DWORD size) {
    size_t count = value.size() < size ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), count);
    buffer[count] = '\0';
    return static_cast<DWORD>(count);
}

DWORD CopyList(const std::vector<std::string>& names, char* buffer, DWORD size) {
    std::string joined;
    for (const std::string& name : names) joined.append(name).push_back('\0');
    if (joined.size() + 1 <= size) {
        std::memcpy(buffer, joined.data(), joined.size());
        buffer[joined.size()] = '\0';
        if (joined.empty() && size > 1) buffer[1] = '\0';
        return static_cast<DWORD>(joined.size());
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, joined.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Names that would not read back as the same entry, or would break the file's line structure.
bool ValidSection(std::string_view section) { return !HasLineBreak(section); }

bool ValidKey(std::string_view key) {
    return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos && key.front() != ';' &&
           key.front() != '[';
}

enum class Edit { Set, DeleteKey, DeleteSection };

// Makes sure the file's directory is there to lock and write in. Only the Windows directory is
// created, as Windows creates nothing else; `missing` tells a caller with nothing to write that
// there is nothing to change either.
DWORD PrepareDirectory(const ProfilePath& target, bool create, bool& missing) {
    missing = false;
    if (target.path.empty()) return ERROR_PATH_NOT_FOUND;
    std::string directory = ParentDirectory(target.path);
    struct stat info{};
    if (directory.empty() || stat(directory.c_str(), &info) == 0) return ERROR_SUCCESS;
    if (!MeansMissing(errno)) return ErrorFromErrno(errno, ERROR_OPEN_FAILED);
    missing = true;
    if (!create) return ERROR_SUCCESS;
    return target.inWindowsDirectory ? EnsureDirectory(directory) : ERROR_PATH_NOT_FOUND;
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

BOOL Modify(Edit edit, std::string_view section, std::string_view key, std::string_view value, const char* file) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (!ValidSection(section) || (edit != Edit::DeleteSection && !ValidKey(key)) || HasLineBreak(value))
        return Fail(ERROR_INVALID_PARAMETER);
    ProfilePath target = ResolveProfilePath(file);
    bool missing = false;
    if (DWORD error = PrepareDirectory(target, edit == Edit::Set, missing)) return Fail(error);
    if (missing && edit != Edit::Set) return TRUE;  // nothing there to delete

    DirectoryLock lock(ParentDirectory(target.path));
    if (lock.Error() != ERROR_SUCCESS) return Fail(lock.Error());
    ProfileSnapshot loaded = ProfileSnapshot::ReadPath(target.path);
    // Rewriting a file we could not read would throw its contents away.
    if (loaded.Error() != ERROR_SUCCESS) return Fail(loaded.Error());
    ProfileDocument document = loaded.Document();
    bool changed = false;
    switch (edit) {
        case Edit::Set: changed = document.SetValue(section, key, value); break;
        case Edit::DeleteKey: changed = document.DeleteKey(section, key); break;
        case Edit::DeleteSection: changed = document.DeleteSection(section); break;
    }
    if (!changed) return TRUE;
    if (DWORD error = WriteFileAtomically(target.path, document.Serialize())) return Fail(error);
    return TRUE;
}

DWORD GetStringImpl(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* file) {
    if (!buffer || size == 0) return 0;
    ProfileSnapshot loaded = ProfileSnapshot::Read(file);
    if (!section || !key) {
        if (!loaded.Exists()) SetLastError(ERROR_FILE_NOT_FOUND);
        else if (loaded.Error() != ERROR_SUCCESS) SetLastError(loaded.Error());
        std::vector<std::string> names;
        if (loaded.Error() == ERROR_SUCCESS)
            names = section ? loaded.Document().KeyNames(TrimBlanks(section)) : loaded.Document().SectionNames();
        return CopyList(names, buffer, size);
    }
    DWORD error = ERROR_SUCCESS;
    if (std::optional<std::string_view> value = loaded.Value(section, key, &error)) {
        std::string_view text = *value;
        if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
            text = text.substr(1, text.size() - 2);
        return CopyString(text, buffer, size);
    }
    SetLastError(error);
    std::string_view fallback = defaultValue ? defaultValue : "";
    while (!fallback.empty() && (fallback.back() == ' ' || fallback.back() == '\t')) fallback.remove_suffix(1);
    return CopyString(fallback, buffer, size);
}

BOOL WriteStringImpl(const char* section, const char* key, const char* value, const char* file) {
    if (!section) {
        // Both null is the Windows "flush the cache" call; there is no cache to flush.
        if (!key && !value) return TRUE;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!key) return Modify(Edit::DeleteSection, section, {}, {}, file);
    if (!value) return Modify(Edit::DeleteKey, section, key, {}, file);
    return Modify(Edit::Set, section, key, value, file);
}

UINT GetIntImpl(const char* section, const char* key, int defaultValue, const char* file) {
    char text[64];
    if (!section || !key) return static_cast<UINT>(defaultValue);
    if (GetStringImpl(section, key, "", text, sizeof text, file) == 0) return static_cast<UINT>(defaultValue);
    const char* p = text;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    UINT base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    UINT result = 0;  // wraps modulo 2^32 like the Windows conversion
    for (int digit; (digit = HexDigit(*p)) >= 0 && static_cast<UINT>(digit) < base; ++p) result = result * base + static_cast<UINT>(digit);
    return negative ? 0u - result : result;
}

BOOL GetStructImpl(const char* section, const char* key, void* data, UINT size, const char* file) {
    if (!section || !key || (!data && size > 0)) return Fail(ERROR_INVALID_PARAMETER);
    DWORD error = ProfileSnapshot::Read(file).GetStruct(section, key, data, size);
    return error == ERROR_SUCCESS ? TRUE : Fail(error);
}

BOOL WriteStructImpl(const char* section, const char* key, const void* data, UINT size, const char* file) {
    if (!section) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!key) return Modify(Edit::DeleteSection, section, {}, {}, file);
    if (!data) return Modify(Edit::DeleteKey, section, key, {}, file);
    static const char digits[] = "0123456789ABCDEF";
    const BYTE* bytes = static_cast<const BYTE*>(data);
    std::string text;
    text.reserve(2 * (static_cast<size_t>(size) + 1));
    BYTE sum = 0;
    for (UINT i = 0; i < size; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 15]);
        sum = static_cast<BYTE>(sum + bytes[i]);
    }
    text.push_back(digits[sum >> 4]);
    text.push_back(digits[sum & 15]);
    return Modify(Edit::Set, section, key, text, file);
}

}  // namespace

PrivateProfileLock::PrivateProfileLock(const char* file) {
    ProfilePath target = ResolveProfilePath(file);
    bool missing = false;
    error_ = NoThrow<DWORD>(ERROR_OUTOFMEMORY, [&] { return PrepareDirectory(target, true, missing); });
    if (error_ == ERROR_SUCCESS) {
        lock_ = std::make_unique<DirectoryLock>(ParentDirectory(target.path));
        error_ = lock_->Error();
    }
}

PrivateProfileLock::~PrivateProfileLock() = default;

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* file) {
    return NoThrowSettingLastError<DWORD>(0, [&] { return GetStringImpl(section, key, defaultValue, buffer, size, file); });
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file) {
    return NoThrowSettingLastError<BOOL>(FALSE, [&] { return WriteStringImpl(section, key, value, file); });
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file) {
    return NoThrowSettingLastError<UINT>(static_cast<UINT>(defaultValue), [&] { return GetIntImpl(section, key, defaultValue, file); });
}

BOOL GetPrivateProfileStructA(const char* section, const char* key, void* data, UINT size, const char* file) {
    return NoThrowSettingLastError<BOOL>(FALSE, [&] { return GetStructImpl(section, key, data, size, file); });
}

BOOL WritePrivateProfileStructA(const char* section, const char* key, const void* data, UINT size, const char* file) {
    return NoThrowSettingLastError<BOOL>(FALSE, [&] { return WriteStructImpl(section, key, data, size, file); });
}

}  // namespace win

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
#include "platform/kernel/WindowsDirectory.h"

namespace win {

namespace {

// Profile files are small; anything past this is not one, and is left alone rather than rewritten.
constexpr std::uint64_t kMaxProfileBytes = 32u << 20;

struct ProfilePath {
    std::string path;
    bool inWindowsDirectory = false;
};

ProfilePath Resolve(const char* file) {
    std::string name = file && *file ? file : "win.ini";
    if (HasDirectoryPart(name)) return {name, false};
    std::string directory = WindowsDirectory();
    if (directory.empty()) return {{}, true};
    return {directory + "/" + name, true};
}

struct LoadedProfile {
    ProfileDocument document;
    bool exists = false;
    DWORD error = ERROR_SUCCESS;  // set when the file exists but cannot be used
};

LoadedProfile Load(const std::string& path) {
    LoadedProfile loaded;
    if (path.empty()) {
        loaded.error = ERROR_PATH_NOT_FOUND;
        return loaded;
    }
    FileContents contents = ReadWholeFile(path, kMaxProfileBytes);
    loaded.exists = contents.exists;
    if (!contents.exists) return loaded;
    loaded.error = contents.error;
    if (contents.error == ERROR_SUCCESS) loaded.document = ProfileDocument::Parse(contents.bytes);
    return loaded;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Reads one value; sets the last error to ERROR_FILE_NOT_FOUND when the file or key is missing.
std::optional<std::string> ReadValue(const char* section, const char* key, const char* file) {
    LoadedProfile loaded = Load(Resolve(file).path);
    std::optional<std::string> value;
    if (loaded.exists && loaded.error == ERROR_SUCCESS) value = loaded.document.Value(TrimBlanks(section), TrimBlanks(key));
    if (!value) SetLastError(loaded.exists && loaded.error != ERROR_SUCCESS ? loaded.error : ERROR_FILE_NOT_FOUND);
    return value;
}

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

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Names that would not read back as the same entry, or would break the file's line structure.
bool ValidSection(std::string_view section) { return !HasLineBreak(section); }

bool ValidKey(std::string_view key) {
    return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos && key.front() != ';' &&
           key.front() != '[';
}

enum class Edit { Set, DeleteKey, DeleteSection };

BOOL Modify(Edit edit, std::string_view section, std::string_view key, std::string_view value, const char* file) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (!ValidSection(section) || (edit != Edit::DeleteSection && !ValidKey(key)) || HasLineBreak(value)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ProfilePath target = Resolve(file);
    if (target.path.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    std::string directory = ParentDirectory(target.path);
    struct stat info{};
    if (!directory.empty() && stat(directory.c_str(), &info) != 0) {
        if (edit != Edit::Set) return TRUE;  // nothing there to delete
        DWORD error = target.inWindowsDirectory ? EnsureDirectory(directory) : ERROR_PATH_NOT_FOUND;
        if (error != ERROR_SUCCESS) {
            SetLastError(error);
            return FALSE;
        }
    }

    DirectoryLock lock(directory);
    LoadedProfile loaded = Load(target.path);
    if (loaded.error != ERROR_SUCCESS) {
        // Rewriting a file we could not read would throw its contents away.
        SetLastError(loaded.error);
        return FALSE;
    }
    bool changed = false;
    switch (edit) {
        case Edit::Set: changed = loaded.document.SetValue(section, key, value); break;
        case Edit::DeleteKey: changed = loaded.document.DeleteKey(section, key); break;
        case Edit::DeleteSection: changed = loaded.document.DeleteSection(section); break;
    }
    if (!changed) return TRUE;
    DWORD error = WriteFileAtomically(target.path, loaded.document.Serialize());
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}


DWORD GetStringImpl(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* file) {
    if (!buffer || size == 0) return 0;
    if (!section || !key) {
        LoadedProfile loaded = Load(Resolve(file).path);
        if (!loaded.exists) SetLastError(ERROR_FILE_NOT_FOUND);
        std::vector<std::string> names;
        if (loaded.error == ERROR_SUCCESS)
            names = section ? loaded.document.KeyNames(TrimBlanks(section)) : loaded.document.SectionNames();
        return CopyList(names, buffer, size);
    }
    if (std::optional<std::string> value = ReadValue(section, key, file)) {
        std::string_view text = *value;
        if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
            text = text.substr(1, text.size() - 2);
        return CopyString(text, buffer, size);
    }
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
    if (!section || !key || (!data && size > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::optional<std::string> text = ReadValue(section, key, file);
    if (!text || text->size() != 2 * (static_cast<std::uint64_t>(size) + 1)) {
        SetLastError(ERROR_BAD_LENGTH);
        return FALSE;
    }
    // Decoded into scratch space so a bad entry leaves the caller's structure as it was.
    std::vector<BYTE> decoded(static_cast<size_t>(size) + 1);
    for (size_t i = 0; i < decoded.size(); ++i) {
        int high = HexDigit((*text)[2 * i]);
        int low = HexDigit((*text)[2 * i + 1]);
        if (high < 0 || low < 0) {
            SetLastError(ERROR_INVALID_DATA);
            return FALSE;
        }
        decoded[i] = static_cast<BYTE>(high * 16 + low);
    }
    BYTE sum = 0;
    for (UINT i = 0; i < size; ++i) sum = static_cast<BYTE>(sum + decoded[i]);
    if (sum != decoded[size]) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    if (size > 0) std::memcpy(data, decoded.data(), size);
    return TRUE;
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

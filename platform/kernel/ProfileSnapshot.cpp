#include "platform/kernel/ProfileSnapshot.h"

#include <cstring>

#include "platform/kernel/FileSystem.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/WindowsDirectory.h"

namespace win {

namespace {

// Profile files are small; anything past this is not one, and is left alone rather than rewritten.
constexpr std::uint64_t kMaxProfileBytes = 32u << 20;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

ProfilePath ResolveProfilePath(const char* file) {
    std::string name = file && *file ? file : "win.ini";
    if (HasDirectoryPart(name)) return {name, false};
    std::string directory = WindowsDirectory();
    if (directory.empty()) return {{}, true};
    return {directory + "/" + name, true};
}

DWORD DecodeProfileStruct(std::string_view text, void* data, UINT size) {
    if (text.size() != 2 * (static_cast<std::uint64_t>(size) + 1)) return ERROR_BAD_LENGTH;
    BYTE* out = static_cast<BYTE*>(data);
    BYTE sum = 0;
    // Checked in full before the first byte is stored, so a bad entry leaves the caller's data as it was.
    for (size_t i = 0; i <= size; ++i) {
        int high = HexDigit(text[2 * i]);
        int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return ERROR_INVALID_DATA;
        BYTE byte = static_cast<BYTE>(high * 16 + low);
        if (i < size) sum = static_cast<BYTE>(sum + byte);
        else if (byte != sum) return ERROR_INVALID_DATA;
    }
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<BYTE>(HexDigit(text[2 * i]) * 16 + HexDigit(text[2 * i + 1]));
    return ERROR_SUCCESS;
}

ProfileSnapshot ProfileSnapshot::Read(const char* file) { return ReadPath(ResolveProfilePath(file).path); }

ProfileSnapshot ProfileSnapshot::ReadPath(const std::string& path) {
    ProfileSnapshot snapshot;
    if (path.empty()) {
        snapshot.error_ = ERROR_PATH_NOT_FOUND;
        return snapshot;
    }
    FileContents contents = ReadWholeFile(path, kMaxProfileBytes);
    snapshot.exists_ = contents.exists;
    if (!contents.exists) return snapshot;
    snapshot.error_ = contents.error;
    if (contents.error == ERROR_SUCCESS) snapshot.document_ = ProfileDocument::Parse(contents.bytes);
    return snapshot;
}

std::optional<std::string_view> ProfileSnapshot::Value(std::string_view section, std::string_view key, DWORD* error) const {
    std::optional<std::string_view> value;
    if (error_ == ERROR_SUCCESS) value = document_.Value(TrimBlanks(section), TrimBlanks(key));
    if (!value && error) *error = error_ != ERROR_SUCCESS ? error_ : ERROR_FILE_NOT_FOUND;
    return value;
}

DWORD ProfileSnapshot::GetStruct(std::string_view section, std::string_view key, void* data, UINT size) const {
    DWORD error = ERROR_SUCCESS;
    std::optional<std::string_view> text = Value(section, key, &error);
    if (!text) return error_ != ERROR_SUCCESS ? error : ERROR_BAD_LENGTH;
    return DecodeProfileStruct(*text, data, size);
}

std::vector<ProfileDocument::Entry> ProfileSnapshot::Entries(std::string_view section) const {
    return document_.Entries(TrimBlanks(section));
}

}  // namespace win

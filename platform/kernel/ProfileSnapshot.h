#pragma once
// One reading of a profile file, for callers that look at many of its entries at once (a preset
// list walks thousands of them): the answers the Get* functions of PrivateProfile.h give, from one
// parse of the file. A snapshot does not see later changes; take a new one.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/ProfileDocument.h"

namespace win {

// Where a profile file name leads: a name without a directory lies in WindowsDirectory(), and no
// name at all means win.ini there. The path is empty when there is no Windows directory.
struct ProfilePath {
    std::string path;
    bool inWindowsDirectory = false;
};
ProfilePath ResolveProfilePath(const char* file);

// Decodes a structure value as GetPrivateProfileStructA does: two hex digits per byte and a checksum
// byte. ERROR_BAD_LENGTH, ERROR_INVALID_DATA or ERROR_SUCCESS; `data` changes only on success.
DWORD DecodeProfileStruct(std::string_view text, void* data, UINT size);

class ProfileSnapshot {
public:
    // A missing file reads as empty; one that exists but cannot be read has an Error() and nothing
    // in it, so that no caller mistakes it for an empty file.
    static ProfileSnapshot Read(const char* file);
    static ProfileSnapshot ReadPath(const std::string& path);

    DWORD Error() const { return error_; }
    bool Exists() const { return exists_; }
    const ProfileDocument& Document() const { return document_; }

    // The value as stored (surrounding blanks removed, quotes kept). Absent: nullopt, and `error`
    // (when given) says why: the file's own error, or ERROR_FILE_NOT_FOUND.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key, DWORD* error = nullptr) const;

    // As GetPrivateProfileStructA, returning its last error instead of setting it.
    DWORD GetStruct(std::string_view section, std::string_view key, void* data, UINT size) const;

    // The section's entries as ProfileDocument::Entries lists them; none when the file was unreadable.
    std::vector<ProfileDocument::Entry> Entries(std::string_view section) const;

private:
    ProfileDocument document_;
    bool exists_ = false;
    DWORD error_ = 0;
};

}  // namespace win

#include "component/HelpFilePath.h"

#include <cstring>

#include "platform/kernel/AsciiCase.h"
#include "platform/kernel/ModulePath.h"

namespace {

// An address with internal linkage, so no other library's symbol can stand in for ours.
void Anchor() {}

}  // namespace

char* MakeHelpFilePath(char* path) {
    if (!path) return nullptr;
    // Only ASCII letters fold; bytes of multibyte (UTF-8) characters stay as they are, so no
    // character is ever split or corrupted.
    for (char* c = path; *c; ++c) *c = win::LowerAscii(*c);
    char* extension = std::strstr(path, ".dll");
    if (!extension) return nullptr;
    // ".hlp" is as long as ".dll", so the terminator lands at most on the old one.
    std::memcpy(extension, ".hlp", 5);
    return path;
}

char* LibraryHelpFilePath(char* buffer) {
    if (!buffer) return nullptr;
    buffer[0] = '\0';
    const auto size = static_cast<win::DWORD>(kHelpFilePathSize);
    win::DWORD length = win::GetModuleFileNameA(reinterpret_cast<const void*>(&Anchor), buffer, size);
    // A truncated path names some other file; treat it like no path at all.
    if (length == 0 || length >= size) {
        buffer[0] = '\0';
        return nullptr;
    }
    return MakeHelpFilePath(buffer);
}

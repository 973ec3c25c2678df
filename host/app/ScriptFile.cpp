#include "host/app/ScriptFile.h"

#include <sys/stat.h>

#include "platform/kernel/ErrorMessage.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/LastError.h"

namespace {

// Far beyond any script a person writes; a larger file is a mistake, not a script.
constexpr std::uint64_t kLargestScript = 16u << 20;

}  // namespace

ScriptFileText ReadScriptFile(const std::string& path) {
    ScriptFileText result;
    auto fail = [&](const std::string& reason) {
        result.error = "cannot read script " + path + ": " + reason;
        return result;
    };
    struct stat info{};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return fail("it is a folder; name a script file in it");
    win::FileContents contents = win::ReadWholeFile(path, kLargestScript);
    if (!contents.exists) return fail("there is no such file");
    if (contents.error == win::ERROR_ACCESS_DENIED && stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return fail("it is not a regular file");
    if (contents.error) return fail(win::ErrorMessage(contents.error));
    result.text = std::move(contents.bytes);
    return result;
}

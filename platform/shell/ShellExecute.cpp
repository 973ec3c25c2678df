#include "platform/shell/ShellExecute.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <string_view>

#include "platform/kernel/AsciiCase.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/NoThrow.h"
#include "platform/shell/DetachedChildren.h"

namespace win {

namespace {

// Any value above 32 means success; this is the one Windows programs most often see.
constexpr std::intptr_t kSuccess = 42;

struct OpenerSlot {
    std::mutex mutex;
    ShellOpener opener;
};

OpenerSlot& Slot() {
    static OpenerSlot* slot = new OpenerSlot;
    return *slot;
}

bool IsUrl(std::string_view file) {
    static constexpr std::string_view schemes[] = {"http:", "https:", "ftp:", "mailto:", "file:"};
    return std::any_of(std::begin(schemes), std::end(schemes), [&](std::string_view scheme) {
        return file.size() > scheme.size() && EqualsIgnoringCase(file.substr(0, scheme.size()), scheme);
    });
}

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

std::intptr_t Fail(std::intptr_t code, DWORD error) {
    SetLastError(error);
    return code;
}

std::intptr_t Execute(const char* verb, const char* file, const char* directory) {
    if (verb && *verb && !EqualsIgnoringCase(verb, "open")) return Fail(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
    if (!file || !*file) return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);

    std::string workingDirectory = CurrentDirectory();
    if (directory && *directory) {
        PathCaseResult found = LookUpPathCase(directory);
        if (found.status != PathLookup::Found) return Fail(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
        workingDirectory = found.path;
    }

    std::string target = file;
    if (!IsUrl(target)) {
        std::string path = target.front() == '/' ? target : workingDirectory + "/" + target;
        PathCaseResult found = LookUpPathCase(path);
        if (found.status != PathLookup::Found && path.find('\\') != std::string::npos) {
            std::replace(path.begin(), path.end(), '\\', '/');
            found = LookUpPathCase(path);
        }
        if (found.status == PathLookup::FileMissing) return Fail(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
        if (found.status == PathLookup::PathMissing) return Fail(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
        target = found.path;
        // Never let a name pass for an option of the program that opens it.
        if (target.front() == '-') target = "./" + target;
    }

    ShellOpener opener;
    {
        std::lock_guard guard(Slot().mutex);
        opener = Slot().opener;
    }
    if (!opener) opener = DefaultShellOpener();
    if (!opener(target, workingDirectory)) return Fail(SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED);
    return kSuccess;
}

}  // namespace

void SetShellOpener(ShellOpener opener) {
    std::lock_guard guard(Slot().mutex);
    Slot().opener = std::move(opener);
}

ShellOpener DefaultShellOpener() {
    return [](const std::string& resolvedPath, const std::string& workingDirectory) {
        return DetachedChildren::Instance().Spawn("xdg-open", {resolvedPath}, workingDirectory);
    };
}

std::intptr_t ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                            const char* directory, int showCommand) {
    return NoThrow<std::intptr_t>(SE_ERR_OOM, [&] { return Execute(verb, file, directory); });
}

}  // namespace win

#include "platform/kernel/FileSystem.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/kernel/LastError.h"

namespace win {

bool MeansMissing(int errnoValue) { return errnoValue == ENOENT || errnoValue == ENOTDIR; }

namespace {

DWORD ReachError(int errnoValue) {
    return errnoValue == ENOTDIR ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errnoValue, ERROR_OPEN_FAILED);
}

}  // namespace

FileContents ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
    FileContents result;
    result.exists = true;
    struct stat info{};
    // Looked at before opening: opening a FIFO waits for a writer, and opening a device may act on it.
    if (stat(path.c_str(), &info) != 0) {
        result.exists = !MeansMissing(errno);
        result.error = ReachError(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = ERROR_ACCESS_DENIED;
        return result;
    }
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        result.exists = !MeansMissing(errno);
        result.error = ReachError(errno);
        return result;
    }
    // The path may have been replaced between the look and the open.
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        result.error = ERROR_ACCESS_DENIED;
        return result;
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        close(fd);
        result.error = ERROR_FILE_TOO_LARGE;
        return result;
    }
    result.bytes.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : ERROR_READ_FAULT;
            break;
        }
        if (n == 0) break;
        if (result.bytes.size() + static_cast<size_t>(n) > maxBytes) {
            result.error = ERROR_FILE_TOO_LARGE;
            break;
        }
        result.bytes.append(chunk, static_cast<size_t>(n));
    }
    close(fd);
    if (result.error != ERROR_SUCCESS) result.bytes.clear();
    return result;
}

DWORD EnsureDirectory(const std::string& path) {
    if (path.empty()) return ERROR_SUCCESS;
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (std::filesystem::is_directory(path)) return ERROR_SUCCESS;
    if (!ec) return ERROR_PATH_NOT_FOUND;
    return ec.value() == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(ec.value());
}

std::string ParentDirectory(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    size_t end = path.find_last_not_of('/', slash);
    return end == std::string::npos ? "/" : path.substr(0, end + 1);
}

bool HasDirectoryPart(const std::string& path) { return path.find('/') != std::string::npos; }

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(bufferSize > 0 ? static_cast<size_t>(bufferSize) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

}  // namespace win

#include "platform/kernel/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <random>

#include "platform/kernel/FileSystem.h"
#include "platform/kernel/LastError.h"

namespace win {

namespace {

std::string ResolveSymlink(const std::string& path) {
    struct stat info{};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved) return path;  // dangling link: replace the link itself
    std::string result(resolved);
    std::free(resolved);
    return result;
}

// Short fixed-length names so that a long target name cannot push the temporary one over NAME_MAX.
int CreateTemporary(const std::string& directory, std::string& name) {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937 random{std::random_device{}()};
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string leaf = ".tmp-";
        unsigned mix = random() ^ (static_cast<unsigned>(getpid()) << 8) ^ counter++;
        for (int i = 0; i < 10; ++i, mix /= 36) leaf += digits[mix % 36];
        name = (directory.empty() ? std::string{} : directory + "/") + leaf;
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void SyncDirectory(const std::string& directory) {
    int fd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

DWORD WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) return ERROR_INVALID_PARAMETER;
    std::string target = ResolveSymlink(path);
    std::string directory = ParentDirectory(target);
    std::string temporary;
    int fd = CreateTemporary(directory, temporary);
    if (fd < 0) {
        return errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno);
    }
    struct stat original{};
    if (stat(target.c_str(), &original) == 0 && S_ISREG(original.st_mode))
        fchmod(fd, original.st_mode & 07777);

    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        DWORD code = ErrorFromErrno(error);
        return code == ERROR_SUCCESS ? ERROR_WRITE_FAULT : code;
    }
    SyncDirectory(directory);
    return ERROR_SUCCESS;
}

DirectoryLock::DirectoryLock(const std::string& directory) {
    fd_ = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    while (flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        close(fd_);
        fd_ = -1;
        return;
    }
}

DirectoryLock::~DirectoryLock() {
    if (fd_ >= 0) close(fd_);  // closing the last descriptor releases the flock
}

}  // namespace win

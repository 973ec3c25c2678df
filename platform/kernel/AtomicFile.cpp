#include "platform/kernel/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <random>
#include <vector>

#include "platform/kernel/FileSystem.h"
#include "platform/kernel/LastError.h"

namespace win {

namespace {

// The kernel gives up on path resolution after 40 links; so do we.
constexpr int kMaxLinkHops = 40;

// The file a chain of symbolic links leads to, followed link by link so that a dangling link still
// names the file to create. Fails with ERROR_CANT_RESOLVE_FILENAME on a loop.
DWORD ResolveLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info{};
        if (lstat(target.c_str(), &info) != 0) {
            if (MeansMissing(errno)) return ERROR_SUCCESS;
            return ErrorFromErrno(errno, ERROR_OPEN_FAILED);
        }
        if (!S_ISLNK(info.st_mode)) return ERROR_SUCCESS;
        std::vector<char> buffer(static_cast<size_t>(std::max<off_t>(info.st_size, 255)) + 1);
        ssize_t length = readlink(target.c_str(), buffer.data(), buffer.size());
        if (length < 0) return ErrorFromErrno(errno, ERROR_OPEN_FAILED);
        std::string next(buffer.data(), static_cast<size_t>(length));
        if (next.empty()) return ERROR_CANT_RESOLVE_FILENAME;
        if (next.front() != '/') {
            std::string directory = ParentDirectory(target);
            if (!directory.empty()) next = (directory == "/" ? "/" : directory + "/") + next;
        }
        target = std::move(next);
    }
    return ERROR_CANT_RESOLVE_FILENAME;
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

struct HeldLock {
    unsigned long long device;
    unsigned long long inode;
    int depth;
};

// The directory locks this thread holds. flock conflicts between two descriptors of one process
// too, so a nested lock must not take a second one: it would wait for itself.
thread_local std::vector<HeldLock> heldLocks;

}  // namespace

DWORD WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) return ERROR_INVALID_PARAMETER;
    std::string target;
    if (DWORD error = ResolveLinks(path, target)) return error;
    struct stat original{};
    bool exists = stat(target.c_str(), &original) == 0;
    if (!exists && !MeansMissing(errno)) return ErrorFromErrno(errno, ERROR_OPEN_FAILED);
    if (exists && !S_ISREG(original.st_mode)) return ERROR_ACCESS_DENIED;

    std::string directory = ParentDirectory(target);
    std::string temporary;
    int fd = CreateTemporary(directory, temporary);
    if (fd < 0) {
        return errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno);
    }
    if (exists) fchmod(fd, original.st_mode & 07777);

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
    int fd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat info{};
    if (fd < 0 || fstat(fd, &info) != 0) {
        error_ = ErrorFromErrno(errno, ERROR_LOCK_VIOLATION);
        if (error_ == ERROR_FILE_NOT_FOUND) error_ = ERROR_PATH_NOT_FOUND;
        if (fd >= 0) close(fd);
        return;
    }
    device_ = info.st_dev;
    inode_ = info.st_ino;
    for (HeldLock& held : heldLocks) {
        if (held.device == device_ && held.inode == inode_) {
            ++held.depth;
            close(fd);
            return;
        }
    }
    while (flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        error_ = ERROR_LOCK_VIOLATION;
        close(fd);
        return;
    }
    fd_ = fd;
    heldLocks.push_back(HeldLock{device_, inode_, 1});
}

DirectoryLock::~DirectoryLock() {
    if (error_ != ERROR_SUCCESS) return;
    auto held = std::find_if(heldLocks.begin(), heldLocks.end(),
                             [&](const HeldLock& lock) { return lock.device == device_ && lock.inode == inode_; });
    if (held != heldLocks.end() && --held->depth == 0) heldLocks.erase(held);
    if (fd_ >= 0) close(fd_);  // closing the last descriptor releases the flock
}

}  // namespace win

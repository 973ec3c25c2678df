#include "tests/faults/FileFaults.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

namespace faults {

namespace {

struct State {
    std::mutex mutex;
    std::string directory;  // empty: nothing armed
    Call call = Call::Open;
    unsigned nth = 0;
    unsigned seen = 0;
    int error = 0;
    bool struck = false;
    std::set<int> descriptors;  // opened under the directory
};

State& Faults() {
    static State* state = new State;  // never destroyed: calls may come from static destructors
    return *state;
}

template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool Under(const State& state, const char* path) {
    if (state.directory.empty() || !path) return false;
    std::string text(path);
    return text.compare(0, state.directory.size(), state.directory) == 0;
}

// True when this call is the one to fail; sets errno then.
bool Strike(State& state, Call call) {
    if (state.directory.empty() || state.call != call || state.struck) return false;
    if (++state.seen != state.nth) return false;
    state.struck = true;
    errno = state.error;
    return true;
}

bool StrikePath(Call call, const char* path) {
    State& state = Faults();
    std::lock_guard guard(state.mutex);
    return Under(state, path) && Strike(state, call);
}

bool StrikeDescriptor(Call call, int fd) {
    State& state = Faults();
    std::lock_guard guard(state.mutex);
    return state.descriptors.count(fd) && Strike(state, call);
}

void Track(const char* path, int fd) {
    if (fd < 0) return;
    State& state = Faults();
    std::lock_guard guard(state.mutex);
    if (Under(state, path)) state.descriptors.insert(fd);
}

// Relative paths are not resolved: the code under test opens only absolute ones.
int OpenAt(int dirfd, const char* path, int flags, mode_t mode) {
    if (StrikePath(Call::Open, path)) return -1;
    int fd = Next<int (*)(int, const char*, int, ...)>("openat")(dirfd, path, flags, mode);
    Track(path, fd);
    return fd;
}

mode_t ModeArgument(int flags, va_list args) {
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

const char* CallName(Call call) {
    switch (call) {
        case Call::Open: return "open";
        case Call::Read: return "read";
        case Call::Write: return "write";
        case Call::Fsync: return "fsync";
        case Call::Rename: return "rename";
        case Call::Lock: return "flock";
    }
    return "?";
}

void Arm(const std::string& directory, Call call, unsigned nth, int errnoValue) {
    State& state = Faults();
    std::lock_guard guard(state.mutex);
    state.directory = directory;
    state.call = call;
    state.nth = nth;
    state.seen = 0;
    state.error = errnoValue;
    state.struck = false;
}

void Disarm() {
    State& state = Faults();
    std::lock_guard guard(state.mutex);
    state.directory.clear();
    state.descriptors.clear();
}

bool Struck() {
    State& state = Faults();
    std::lock_guard guard(state.mutex);
    return state.struck;
}

}  // namespace faults

using faults::Call;

extern "C" {

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    mode_t mode = faults::ModeArgument(flags, args);
    va_end(args);
    return faults::OpenAt(AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    mode_t mode = faults::ModeArgument(flags, args);
    va_end(args);
    return faults::OpenAt(AT_FDCWD, path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    mode_t mode = faults::ModeArgument(flags, args);
    va_end(args);
    return faults::OpenAt(dirfd, path, flags, mode);
}

int close(int fd) {
    {
        faults::State& state = faults::Faults();
        std::lock_guard guard(state.mutex);
        state.descriptors.erase(fd);
    }
    return faults::Next<int (*)(int)>("close")(fd);
}

ssize_t read(int fd, void* buffer, size_t size) {
    if (faults::StrikeDescriptor(Call::Read, fd)) return -1;
    return faults::Next<ssize_t (*)(int, void*, size_t)>("read")(fd, buffer, size);
}

ssize_t write(int fd, const void* buffer, size_t size) {
    if (faults::StrikeDescriptor(Call::Write, fd)) return -1;
    return faults::Next<ssize_t (*)(int, const void*, size_t)>("write")(fd, buffer, size);
}

int fsync(int fd) {
    if (faults::StrikeDescriptor(Call::Fsync, fd)) return -1;
    return faults::Next<int (*)(int)>("fsync")(fd);
}

int rename(const char* from, const char* to) {
    if (faults::StrikePath(Call::Rename, to)) return -1;
    return faults::Next<int (*)(const char*, const char*)>("rename")(from, to);
}

int flock(int fd, int operation) {
    if ((operation & (LOCK_SH | LOCK_EX)) && faults::StrikeDescriptor(Call::Lock, fd)) return -1;
    return faults::Next<int (*)(int, int)>("flock")(fd, operation);
}

}  // extern "C"

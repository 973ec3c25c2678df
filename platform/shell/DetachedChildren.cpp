#include "platform/shell/DetachedChildren.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace win {

namespace {

size_t ReapLocked(std::vector<pid_t>& running, int options) {
    for (size_t i = 0; i < running.size();) {
        int status = 0;
        pid_t done = waitpid(running[i], &status, options);
        if (done == running[i] || (done < 0 && errno == ECHILD)) {
            running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (done < 0 && errno == EINTR) {
            continue;
        } else {
            ++i;
        }
    }
    return running.size();
}

}  // namespace

DetachedChildren& DetachedChildren::Instance() {
    static DetachedChildren* instance = new DetachedChildren;  // outlives other static destructors
    return *instance;
}

bool DetachedChildren::Spawn(const std::string& program, const std::vector<std::string>& args,
                             const std::string& directory) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    // The child starts with a clean signal state whatever the host blocks or ignores.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::lock_guard guard(mutex_);
    ReapLocked(running_, WNOHANG);
    pid_t pid = 0;
    int error = posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return false;
    running_.push_back(pid);
    return true;
}

size_t DetachedChildren::ReapFinished() {
    std::lock_guard guard(mutex_);
    return ReapLocked(running_, WNOHANG);
}

void DetachedChildren::WaitAll() {
    std::lock_guard guard(mutex_);
    ReapLocked(running_, 0);
}

}  // namespace win

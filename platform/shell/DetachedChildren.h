#pragma once
// Programs started without waiting for them, such as the desktop's file opener. Each is reaped with
// a non-blocking waitpid the next time anything is started (or on request), so no zombie outlives
// the next call and no SIGCHLD handler is needed. Used by the default shell opener.
#include <sys/types.h>

#include <mutex>
#include <string>
#include <vector>

namespace win {

class DetachedChildren {
public:
    static DetachedChildren& Instance();

    // Starts program, searched on PATH, with args in directory (the current one when empty), using
    // posix_spawnp: no shell, no command line. False when it could not be started.
    bool Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& directory);
    // Collects children that have exited; returns how many are still running.
    size_t ReapFinished();
    // Blocks until every child has exited: for tests and orderly shutdown.
    void WaitAll();

private:
    std::mutex mutex_;
    std::vector<pid_t> running_;
};

}  // namespace win

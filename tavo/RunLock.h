// The advisory lock that tells other processes a model is running in the library.
//
// It is a flock() on a per-user lock file: $XDG_RUNTIME_DIR/libtavo.lock when that variable
// names an absolute directory, else /tmp/libtavo-<uid>.lock. parser_main holds an exclusive lock
// for the whole run; the kernel drops it when the descriptor closes, also when the process dies,
// so a crashed run never leaves the library "busy". flock locks belong to the open file
// description, not the process: IsBusy opens the file anew, so it also reports busy when called
// from inside a run of this very process (which is the truth).
#pragma once

#include <string>

namespace tavo {

std::string RunLockPath();

class RunLock {
public:
    RunLock() = default;
    RunLock(const RunLock &) = delete;
    RunLock &operator=(const RunLock &) = delete;
    ~RunLock();

    // False when another run holds the lock. A lock file that cannot be opened at all (no
    // writable directory) does not prevent the run: it then simply goes unannounced.
    bool Acquire();

    // Whether some run holds the lock now.
    static bool Busy();

private:
    int fd_ = -1;
};

} // namespace tavo

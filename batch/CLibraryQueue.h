#pragma once
// nuv-run --wait: runs that wait for a busy interpreter library queue here,
// one behind the other, so that they do not all rush at it once it is free.
// The queue is a lock file of this user's ($XDG_RUNTIME_DIR/nuv-run.queue, or
// /tmp/nuv-run-<uid>.queue), held from before the library is asked whether it
// is busy until the process ends. The library's own rule (one run at a time,
// its lock) stays the library's: the queue only orders the waiters.
class CInterpreterEntryPoints;

class CLibraryQueue {
public:
    CLibraryQueue() = default;
    ~CLibraryQueue();  // leaves the queue
    CLibraryQueue(const CLibraryQueue&) = delete;
    CLibraryQueue& operator=(const CLibraryQueue&) = delete;

    // Waits for this run's turn, then until `library` is not busy. False when
    // SIGINT or SIGTERM came meanwhile.
    bool WaitForTurn(const CInterpreterEntryPoints& library);

private:
    bool Enter();

    int m_fd = -1;
};

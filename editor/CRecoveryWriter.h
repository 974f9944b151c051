#pragma once
// Writes recovery copies away from the user-interface thread, so that a
// keystroke never waits for a disk. Each file is written whole into a
// temporary file beside it, synced and renamed over it: a crash at any moment
// leaves the previous copy or the new one, never a half.
//
// Jobs for the same path replace each other while they wait: only the newest
// text of a window is worth writing.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>

class CRecoveryWriter {
public:
    CRecoveryWriter();
    ~CRecoveryWriter();  // finishes the waiting jobs first
    CRecoveryWriter(const CRecoveryWriter&) = delete;
    CRecoveryWriter& operator=(const CRecoveryWriter&) = delete;

    void Write(const std::string& path, std::string bytes);
    // A write whose bytes `make` gives on the writer's thread. A job that cannot
    // have its memory fails as a failed write does.
    void Write(const std::string& path, std::function<std::string()> make);
    void Remove(const std::string& path);
    // Returns when every job queued so far is done.
    void Flush();
    // Whether the last write done for `path` failed (a full disk, a folder
    // that cannot be written), so that the file does not hold its newest text.
    bool Failed(const std::string& path);

private:
    struct Job {
        std::string path;
        std::string bytes;
        std::function<std::string()> make;  // when set, gives the bytes
        bool remove = false;
    };
    void Queue(Job job);
    void Loop();
    static bool Run(const Job& job);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    std::set<std::string> m_failed;
    bool m_working = false;
    bool m_stop = false;
    std::thread m_thread;
};

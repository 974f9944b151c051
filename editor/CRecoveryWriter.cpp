#include "editor/CRecoveryWriter.h"

#include "editor/FileWriter.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

CRecoveryWriter::CRecoveryWriter() : m_thread([this] { Loop(); }) {}

CRecoveryWriter::~CRecoveryWriter()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CRecoveryWriter::Write(const std::string& path, std::string bytes)
{
    Queue({path, std::move(bytes), false});
}

void CRecoveryWriter::Remove(const std::string& path)
{
    Queue({path, {}, true});
}

void CRecoveryWriter::Queue(Job job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto same = std::find_if(m_jobs.begin(), m_jobs.end(), [&job](const Job& j) { return j.path == job.path; });
        if (same != m_jobs.end())
            *same = std::move(job);
        else
            m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void CRecoveryWriter::Flush()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_working; });
}

void CRecoveryWriter::Loop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
        if (m_jobs.empty()) {
            m_idle.notify_all();
            return;  // stopping, and nothing left to write
        }
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_working = true;
        lock.unlock();
        Run(job);
        lock.lock();
        m_working = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}

void CRecoveryWriter::Run(const Job& job)
{
    if (job.remove) {
        ::unlink(job.path.c_str());
        return;
    }
    const std::string temp = job.path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    // The plain writer: a test's injected one belongs to the user-interface thread.
    FileWriter plain;
    const bool written = WriteAll(plain, fd, job.bytes.data(), job.bytes.size()) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), job.path.c_str()) != 0)
        ::unlink(temp.c_str());
}

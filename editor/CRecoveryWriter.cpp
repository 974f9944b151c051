#include "editor/CRecoveryWriter.h"

#include <algorithm>
#include <new>
#include <unistd.h>

#include "editor/FileWriter.h"
#include "editor/ModelFile.h"

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
    Queue({path, std::move(bytes), {}, false});
}

void CRecoveryWriter::Write(const std::string& path, std::function<std::string()> make)
{
    Queue({path, {}, std::move(make), false});
}

void CRecoveryWriter::Remove(const std::string& path)
{
    Queue({path, {}, {}, true});
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

bool CRecoveryWriter::Failed(const std::string& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failed.count(path) != 0;
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
        const bool done = Run(job);
        lock.lock();
        if (done || job.remove)
            m_failed.erase(job.path);
        else
            m_failed.insert(job.path);
        m_working = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}

bool CRecoveryWriter::Run(const Job& job)
{
    if (job.remove)
        return ::unlink(job.path.c_str()) == 0;
    // The plain writer: a test's injected one belongs to the user-interface
    // thread. The copies are the user's text: readable by the user alone.
    FileWriter plain;
    if (!job.make)
        return WriteFileReplacing(job.path, job.bytes.data(), job.bytes.size(), plain, 0600);
    try {
        const std::string bytes = job.make();
        return WriteFileReplacing(job.path, bytes.data(), bytes.size(), plain, 0600);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

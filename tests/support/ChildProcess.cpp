#include "ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& changes)
{
    std::vector<std::string> merged;
    for (char** entry = environ; *entry; ++entry)
        merged.emplace_back(*entry);
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(merged, [&](const std::string& entry) { return entry.compare(0, name.size() + 1, name + "=") == 0; });
        if (change.find('=') != std::string::npos)
            merged.push_back(change);
    }
    return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

int ChildResult::ExitCode() const
{
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
}

int ChildResult::Signal() const
{
    return WIFSIGNALED(waitStatus) ? WTERMSIG(waitStatus) : 0;
}

std::vector<std::string> ChildResult::ErrLines() const
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < err.size()) {
        const std::size_t end = err.find('\n', start);
        lines.push_back(err.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

ChildProcess::ChildProcess(std::vector<std::string> argv, std::vector<std::string> environment,
                           const std::string& stdoutFile)
    : m_argv(std::move(argv)), m_environment(MergedEnvironment(environment)), m_stdoutFile(stdoutFile)
{
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0)
        ::close(m_out);
    if (m_err >= 0)
        ::close(m_err);
}

bool ChildProcess::Start()
{
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return false;
    std::vector<char*> argv = Pointers(m_argv);
    std::vector<char*> envp = Pointers(m_environment);
    const int file = m_stdoutFile.empty() ? -1 : ::open(m_stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(file >= 0 ? file : out[1], STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        const int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, STDIN_FILENO);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    if (file >= 0)
        ::close(file);
    ::close(out[1]);
    ::close(err[1]);
    m_out = out[0];
    m_err = err[0];
    return m_pid > 0;
}

// One poll over both pipes; false once both are at their end.
bool ChildProcess::ReadAvailable(int timeoutMs)
{
    pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    if (m_out < 0 && m_err < 0)
        return false;
    if (::poll(fds, 2, timeoutMs) <= 0)
        return true;
    int* ends[2] = {&m_out, &m_err};
    std::string* texts[2] = {&m_result.out, &m_result.err};
    for (int i = 0; i < 2; ++i) {
        if (*ends[i] < 0 || fds[i].revents == 0)
            continue;
        char buffer[65536];
        const ssize_t n = ::read(*ends[i], buffer, sizeof buffer);
        if (n > 0) {
            texts[i]->append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            ::close(*ends[i]);
            *ends[i] = -1;
        }
    }
    return true;
}

bool ChildProcess::WaitForOutput(const std::string& text, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_result.out.find(text) == std::string::npos) {
        if (MillisecondsLeft(deadline) == 0 || !ReadAvailable(MillisecondsLeft(deadline)))
            return false;
    }
    return true;
}

void ChildProcess::Signal(int signal) const
{
    if (m_pid > 0)
        ::kill(m_pid, signal);
}

ChildResult ChildProcess::Finish(int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (ReadAvailable(MillisecondsLeft(deadline))) {
        if (MillisecondsLeft(deadline) == 0) {
            m_result.timedOut = true;
            ::kill(m_pid, SIGKILL);
            break;
        }
    }
    if (m_pid > 0) {
        ::waitpid(m_pid, &m_result.waitStatus, 0);
        m_pid = -1;
    }
    return m_result;
}

ChildResult RunChild(std::vector<std::string> argv, std::vector<std::string> environment,
                     const std::string& stdoutFile, int timeoutMs)
{
    ChildProcess child(std::move(argv), std::move(environment), stdoutFile);
    if (!child.Start())
        return {};
    return child.Finish(timeoutMs);
}

#pragma once
// A program the test starts and watches: its standard output and error are
// read through pipes while it runs, it can be signalled, and it is killed if
// it outlives the time the test gives it (a hang fails the test, never the
// whole run). Plain POSIX, no Qt.
#include <string>
#include <sys/types.h>
#include <vector>

struct ChildResult {
    int waitStatus = 0;
    bool timedOut = false;
    std::string out;
    std::string err;

    // The exit status, or -1 when the program ended by a signal.
    int ExitCode() const;
    // The signal that ended it, or 0.
    int Signal() const;
    // The lines of standard error.
    std::vector<std::string> ErrLines() const;
};

class ChildProcess {
public:
    // `environment`: "NAME=value" sets, "NAME" alone removes; the rest is the
    // test's own environment. `stdoutFile`: the program's standard output goes
    // there instead of the pipe when given.
    ChildProcess(std::vector<std::string> argv, std::vector<std::string> environment = {},
                 const std::string& stdoutFile = {});
    ~ChildProcess();  // kills a program still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start();
    pid_t Pid() const { return m_pid; }
    // Reads until `text` shows on standard output; false after `timeoutMs`
    // or when the program ended first.
    bool WaitForOutput(const std::string& text, int timeoutMs);
    void Signal(int signal) const;
    // Reads to the end and waits; after `timeoutMs` the program is killed.
    ChildResult Finish(int timeoutMs);

private:
    bool ReadAvailable(int timeoutMs);

    std::vector<std::string> m_argv;
    std::vector<std::string> m_environment;
    std::string m_stdoutFile;
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    ChildResult m_result;
};

// Runs the program to its end (at most `timeoutMs`).
ChildResult RunChild(std::vector<std::string> argv, std::vector<std::string> environment = {},
                     const std::string& stdoutFile = {}, int timeoutMs = 20000);

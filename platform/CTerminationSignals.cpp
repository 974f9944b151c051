#include "platform/CTerminationSignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <mutex>
#include <semaphore.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_writeEnd = -1;
// The first signal; 0 before it. Never cleared: any later one ends the process.
volatile std::sig_atomic_t g_received = 0;
// Posted by the handler (async-signal-safe), and by the destructor to stop the watchdog.
sem_t g_wake;
std::atomic<bool> g_taken{false};
std::atomic<bool> g_stop{false};
std::mutex g_mutex;
std::condition_variable g_takenChanged;
std::atomic<int> g_patienceMs{3000};

// The signal's default action, now: nothing of this process runs on.
void EndNow(int signal)
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signal);
}

void OnTermination(int signal)
{
    if (g_received != 0 || g_writeEnd < 0) {
        EndNow(signal);
        return;
    }
    g_received = signal;
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_writeEnd, &byte, 1);
    ::sem_post(&g_wake);
    errno = saved;
}

void SetHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

// Waits for the first signal, then gives the event loop its time to take it.
void Watch()
{
    while (::sem_wait(&g_wake) != 0 && errno == EINTR) {
    }
    if (g_stop)
        return;
    std::unique_lock<std::mutex> lock(g_mutex);
    const bool answered = g_takenChanged.wait_for(lock, std::chrono::milliseconds(g_patienceMs.load()),
                                                  [] { return g_taken || g_stop; });
    if (!answered)
        EndNow(g_received);
}

}  // namespace

void CTerminationSignals::SetPatienceForTests(int milliseconds)
{
    g_patienceMs = milliseconds;
}

CTerminationSignals::CTerminationSignals(QObject* parent) : QObject(parent)
{
    if (g_writeEnd >= 0 || ::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    if (::sem_init(&g_wake, 0, 0) != 0) {
        ::close(m_pipe[0]);
        ::close(m_pipe[1]);
        return;
    }
    g_received = 0;
    g_taken = false;
    g_stop = false;
    m_watchdog = std::thread(Watch);
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CTerminationSignals::OnReadable);
    SetHandler(OnTermination);
}

CTerminationSignals::~CTerminationSignals()
{
    if (!m_notifier)
        return;
    SetHandler(SIG_DFL);
    g_writeEnd = -1;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_stop = true;
    }
    g_takenChanged.notify_all();
    ::sem_post(&g_wake);
    m_watchdog.join();
    ::sem_destroy(&g_wake);
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void CTerminationSignals::OnReadable()
{
    unsigned char byte = 0;
    while (::read(m_pipe[0], &byte, 1) == 1) {
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            g_taken = true;
        }
        g_takenChanged.notify_all();
        emit terminationRequested(byte);
    }
}

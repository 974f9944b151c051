#include "platform/CTerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_writeEnd = -1;

void OnTermination(int signal)
{
    const int fd = g_writeEnd;
    if (fd < 0)
        return;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
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

}  // namespace

CTerminationSignals::CTerminationSignals(QObject* parent) : QObject(parent)
{
    if (g_writeEnd >= 0 || ::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
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
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void CTerminationSignals::OnReadable()
{
    unsigned char byte = 0;
    while (::read(m_pipe[0], &byte, 1) == 1)
        emit terminationRequested(byte);
}

#include "platform/BreakSignals.h"

#include <csignal>
#include <initializer_list>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_signal = 0;
unsigned g_grace = 3;
const char* volatile g_abandoned = nullptr;
alignas(16) char g_alternateStack[64 * 1024];

void SetHandler(int signal, void (*handler)(int), int flags)
{
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

// The default action of `signal`, with the abandoned file gone first.
[[noreturn]] void Die(int signal)
{
    if (const char* path = g_abandoned)
        ::unlink(path);
    SetHandler(signal, SIG_DFL, 0);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);  // a signal whose default action is to ignore it
}

void OnBreak(int signal)
{
    if (g_signal != 0)
        Die(signal);
    g_signal = signal;
    ::alarm(g_grace);
}

void OnGraceOver(int)
{
    Die(g_signal != 0 ? static_cast<int>(g_signal) : SIGTERM);
}

void OnCrash(int signal)
{
    Die(signal);
}

}  // namespace

void BreakSignals::Install(unsigned graceSeconds)
{
    g_grace = graceSeconds;
    // SA_RESTART: the library's own reads and writes must not fail because
    // someone asked the run to stop; the flag is what stops it.
    for (const int signal : {SIGINT, SIGTERM})
        SetHandler(signal, OnBreak, SA_RESTART);
    SetHandler(SIGALRM, OnGraceOver, SA_RESTART);

    stack_t stack {};
    stack.ss_sp = g_alternateStack;
    stack.ss_size = sizeof g_alternateStack;
    ::sigaltstack(&stack, nullptr);
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        SetHandler(signal, OnCrash, SA_NODEFER | SA_ONSTACK);
}

int BreakSignals::Requested()
{
    return g_signal;
}

void BreakSignals::Disarm()
{
    ::alarm(0);
}

void BreakSignals::SetAbandonedFile(const char* path)
{
    g_abandoned = path;
}

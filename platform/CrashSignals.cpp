#include "platform/CrashSignals.h"

#include <csignal>
#include <cstring>
#include <initializer_list>
#include <unistd.h>

namespace {

const char* g_duringRun = "";
std::size_t g_duringRunLength = 0;
const char* g_otherwise = "";
std::size_t g_otherwiseLength = 0;
volatile std::sig_atomic_t g_running = 0;

// A stack of its own for the handler: a stack overflow leaves none.
alignas(16) char g_alternateStack[64 * 1024];

void OnCrash(int signal)
{
    const char* text = g_running ? g_duringRun : g_otherwise;
    const std::size_t length = g_running ? g_duringRunLength : g_otherwiseLength;
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::write(STDERR_FILENO, text + done, length - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    // SA_RESETHAND put the default action back: the signal now ends the process.
    ::raise(signal);
}

}  // namespace

void InstallCrashSignalHandlers(const char* duringRun, const char* otherwise)
{
    g_duringRun = duringRun ? duringRun : "";
    g_duringRunLength = std::strlen(g_duringRun);
    g_otherwise = otherwise ? otherwise : "";
    g_otherwiseLength = std::strlen(g_otherwise);

    stack_t stack {};
    stack.ss_sp = g_alternateStack;
    stack.ss_size = sizeof g_alternateStack;
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_handler = OnCrash;
    action.sa_flags = SA_RESETHAND | SA_NODEFER | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        ::sigaction(signal, &action, nullptr);
}

void SetRunInProgress(bool running)
{
    g_running = running ? 1 : 0;
}

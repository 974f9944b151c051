#include "run/IRunHost.h"

namespace {
IRunHost* g_current = nullptr;
}

IRunHost* CurrentRunHost()
{
    return g_current;
}

IRunHost* SetCurrentRunHost(IRunHost* host)
{
    IRunHost* previous = g_current;
    g_current = host;
    return previous;
}

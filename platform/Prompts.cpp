#include "platform/Prompts.h"

#include "platform/QtPrompts.h"

namespace {
IPrompts* g_installed = nullptr;
}

IPrompts& Prompts()
{
    static QtPrompts qtPrompts;
    return g_installed ? *g_installed : qtPrompts;
}

void SetPrompts(IPrompts* prompts)
{
    g_installed = prompts;
}

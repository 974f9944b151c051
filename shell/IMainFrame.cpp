#include "shell/IMainFrame.h"

namespace {
IMainFrame* g_frame = nullptr;
}

IMainFrame* TheFrame()
{
    return g_frame;
}

void SetTheFrame(IMainFrame* frame)
{
    g_frame = frame;
}

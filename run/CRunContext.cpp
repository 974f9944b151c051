#include "run/CRunContext.h"

namespace {
CRunContext* g_current = nullptr;
}

CRunContext::CRunContext(CNuvOutput* output, CRunPump* pump)
    : m_output(output), m_pump(pump), m_previous(g_current)
{
    g_current = this;
}

CRunContext::~CRunContext()
{
    g_current = m_previous;
}

CRunContext* CRunContext::Current()
{
    return g_current;
}

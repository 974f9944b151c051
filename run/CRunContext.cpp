#include "run/CRunContext.h"

#include "output/CNuvOutput.h"
#include "run/CRunPump.h"
#include "run/PreprocListing.h"

namespace {
CRunContext* g_current = nullptr;
}

CRunContext::CRunContext(CNuvOutput* output, CRunPump* pump)
    : m_output(output), m_pump(pump), m_previous(g_current), m_previousHost(SetCurrentRunHost(this))
{
    g_current = this;
}

CRunContext::~CRunContext()
{
    g_current = m_previous;
    SetCurrentRunHost(m_previousHost);
}

CRunContext* CRunContext::Current()
{
    return g_current;
}

int CRunContext::OutputResult(const char* text)
{
    return m_output ? m_output->AddOutput(text) : 0;
}

int CRunContext::IsBreak()
{
    return m_pump ? m_pump->IsBreak() : 0;
}

int CRunContext::ReceivePreprocText(const char* text)
{
    if (!m_output)
        return 0;
    if (m_output->GetOption(CNuvOutput::kOptionSendToFile))
        return ListingToFile(m_output->m_szModelPath, text, m_output->GetOption(CNuvOutput::kOptionAppend));
    return ListingToEditor(m_output->m_szModelPath, text);
}

#include "ShadowSink.h"

BOOL ShadowSink::AddOutputText(const char *text, std::size_t length)
{
    if (!m_store.AddLine(text, length))
        return FALSE;
    lines.emplace_back(text, length);
    return TRUE;
}

BOOL ShadowSink::AddOutputEmptyLine()
{
    if (!m_store.AddEmptyLine())
        return FALSE;
    lines.emplace_back();
    return TRUE;
}

BOOL ShadowSink::AppendToLastLine(const char *text)
{
    if (!m_store.AppendToLine(m_store.m_nCount - 1, text))
        return FALSE;
    lines.back() += text;
    return TRUE;
}

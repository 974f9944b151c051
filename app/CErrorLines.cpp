#include "app/CErrorLines.h"

#include <algorithm>
#include <cstring>

#include "editor/ErrorLine.h"
#include "output/COutputStore.h"

// Every line a run prints is read here, and the open last line again at every
// idle pass while it grows. A name has at most kMaxErrorFileName bytes, so a
// line without '(' among its first bytes names no error however long it is
// or grows: only those first bytes are read for most lines.
bool CErrorLines::IsErrorLine(const COutputStore& store, int index)
{
    const char* line = store.GetLine(index);
    if (!line || !std::memchr(line, '(', strnlen(line, kMaxErrorFileName + 1)))
        return false;
    ErrorLocation location;
    return ParseErrorLine(line, std::strlen(line), &location);
}

void CErrorLines::Sync(const COutputStore& store)
{
    if (store.m_nClears != m_nClears || store.m_nCount < m_nRead) {
        *this = CErrorLines();
        m_nClears = store.m_nClears;
    }
    // The line read last may have grown into an error line; one never stops being one.
    if (m_nRead > 0 && !m_bLastIsError && IsErrorLine(store, m_nRead - 1)) {
        m_bLastIsError = true;
        ++m_nErrorLines;
    }
    for (; m_nRead < store.m_nCount; ++m_nRead) {
        m_bLastIsError = IsErrorLine(store, m_nRead);
        m_nErrorLines += m_bLastIsError ? 1 : 0;
    }
}

int CErrorLines::Next(const COutputStore& store, int index)
{
    for (int i = std::max(index + 1, 0); i < store.m_nCount; ++i) {
        if (IsErrorLine(store, i))
            return i;
    }
    return -1;
}

int CErrorLines::Previous(const COutputStore& store, int index)
{
    for (int i = std::min(index, store.m_nCount) - 1; i >= 0; --i) {
        if (IsErrorLine(store, i))
            return i;
    }
    return -1;
}

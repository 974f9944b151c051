#include "app/CErrorLines.h"

#include <algorithm>
#include <cstring>

#include "editor/ErrorLine.h"
#include "output/COutputStore.h"

namespace {

// A name has at most kMaxErrorFileName bytes: a line without '(' among its
// first bytes names no error, however long it grows.
bool MayNameAnError(const char* line)
{
    return line && std::memchr(line, '(', strnlen(line, kMaxErrorFileName + 1));
}

}  // namespace

// Every line a run prints is read here once: most have no '(' at all, which
// one pass over the line tells.
bool CErrorLines::IsErrorLine(const COutputStore& store, int index)
{
    const char* line = store.GetLine(index);
    if (!line || !std::strchr(line, '('))
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
    // The line read last may have grown into an error line; one never stops
    // being one. It is read again at every pass while it grows, so only its
    // first bytes are, unless they hold a '('.
    if (m_nRead > 0 && !m_bLastIsError && MayNameAnError(store.GetLine(m_nRead - 1)) &&
        IsErrorLine(store, m_nRead - 1)) {
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

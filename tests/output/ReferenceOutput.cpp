#include "ReferenceOutput.h"

#include "output/COutputStore.h"

void ReferenceOutput::Add(const std::string& chunk)
{
    std::string line;  // what has been written in this chunk, overwrites included
    std::size_t column = 0;
    bool endedWithLineFeed = false;
    auto put = [&](char c) {
        if (line.size() <= column)
            line.resize(column + 1, ' ');
        line[column++] = c;
    };
    auto store = [&](const std::string& text) {
        if (atLineStart)
            lines.push_back(text);
        else
            lines.back() += text;
    };
    for (char c : chunk) {
        switch (c) {
        case '\a': ++bells; break;
        case '\b':
            if (column > 0)
                --column;
            break;
        case '\r': column = 0; break;
        case '\t':
            do
                put(' ');
            while (column % 4 != 0);
            endedWithLineFeed = false;
            break;
        case '\n':
            if (column > 0)
                store(line.substr(0, column));
            else if (atLineStart)
                lines.emplace_back();
            atLineStart = true;
            line.clear();
            column = 0;
            endedWithLineFeed = true;
            break;
        case '\v': {
            const std::size_t empties = 4 - lines.size() % 4;
            lines.push_back(line.substr(0, column));
            lines.resize(lines.size() + empties);
            line = std::string(column, ' ');
            break;
        }
        default:
            put(c);
            endedWithLineFeed = false;
            break;
        }
    }
    if (endedWithLineFeed)
        return;
    store(line.substr(0, column));
    atLineStart = false;
}

BOOL StoreSink::AddOutputText(const char* text, std::size_t length)
{
    return Refuse() ? FALSE : m_store.AddLine(text, length);
}

BOOL StoreSink::AddOutputEmptyLine()
{
    return Refuse() ? FALSE : m_store.AddEmptyLine();
}

BOOL StoreSink::AppendToLastLine(const char* text)
{
    return Refuse() ? FALSE : m_store.AppendToLine(m_store.m_nCount - 1, text);
}

int StoreSink::OutputLineCount() const
{
    return m_store.m_nCount;
}

std::vector<std::string> LinesOf(const COutputStore& store)
{
    std::vector<std::string> lines;
    for (int i = 0; i < store.m_nCount; ++i)
        lines.emplace_back(store.GetLine(i));
    return lines;
}

#include "ReferenceOutput.h"

#include <QString>
#include <QStringDecoder>
#include <QList>
#include <algorithm>

#include "output/COutputStore.h"

bool ReadsAsUtf8(const std::string& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

std::size_t CharactersOf(const std::string& bytes)
{
    if (!ReadsAsUtf8(bytes))
        return bytes.size();
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return static_cast<std::size_t>(text.toUcs4().size());
}

void ReferenceOutput::Add(const std::string& chunk)
{
    std::string line;  // what has been written in this chunk, overwrites included
    std::size_t column = 0;  // in bytes
    bool endedWithLineFeed = false;
    // Columns that the control characters count are characters of what was
    // written so far: UTF-8 while it reads as UTF-8, else bytes.
    auto characterColumn = [&] { return CharactersOf(line.substr(0, column)); };
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
        longest = std::max(longest, CharactersOf(lines.back()));
    };
    for (char c : chunk) {
        switch (c) {
        case '\a': ++bells; break;
        case '\b':
            if (column > 0 && ReadsAsUtf8(line.substr(0, column))) {
                do
                    --column;
                while (column > 0 && (static_cast<unsigned char>(line[column]) & 0xC0) == 0x80);
            } else if (column > 0) {
                --column;
            }
            break;
        case '\r': column = 0; break;
        case '\t':
            for (std::size_t spaces = 4 - characterColumn() % 4; spaces > 0; --spaces)
                put(' ');
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
            longest = std::max(longest, CharactersOf(lines.back()));
            lines.resize(lines.size() + empties);
            column = characterColumn();
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

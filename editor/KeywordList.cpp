#include "editor/KeywordList.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "platform/DataFiles.h"

namespace {

bool IsWord(QByteArrayView line)
{
    if (line.isEmpty() || line.size() > KeywordList::kMaxWordLength)
        return false;
    auto wordChar = [](char c) {
        return c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    return std::all_of(line.begin(), line.end(), wordChar) && !(line[0] >= '0' && line[0] <= '9');
}

}  // namespace

const KeywordList& KeywordList::Installed()
{
    static const KeywordList list = FromFile(DataFilePath(QStringLiteral("nuv_keywords.txt")));
    return list;
}

// Opened without blocking on something that is no plain file (a FIFO), read to
// the limit and no further.
KeywordList KeywordList::FromFile(const QString& path)
{
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return FromText(file.read(kMaxBytes));
}

KeywordList KeywordList::FromText(QByteArrayView contents)
{
    KeywordList list;
    qsizetype start = 0;
    while (start < contents.size()) {
        qsizetype end = contents.indexOf('\n', start);
        if (end < 0)
            end = contents.size();
        const QByteArrayView line = contents.sliced(start, end - start).trimmed();
        if (IsWord(line))
            list.m_words.push_back(QString::fromLatin1(line));
        start = end + 1;
    }
    std::sort(list.m_words.begin(), list.m_words.end());
    list.m_words.erase(std::unique(list.m_words.begin(), list.m_words.end()), list.m_words.end());
    return list;
}

bool KeywordList::Contains(QStringView word) const
{
    const auto it = std::lower_bound(m_words.begin(), m_words.end(), word,
                                     [](const QString& a, QStringView b) { return QStringView(a) < b; });
    return it != m_words.end() && QStringView(*it) == word;
}

#include "platform/LineBreaks.h"

#include <cstring>

// The string's own searches do the scanning: they are vectorised.
QString ExpandToCrLf(const QString& text, QChar lineBreak)
{
    const qsizetype breaks = text.count(lineBreak);
    if (breaks == 0)
        return text;
    QString expanded(text.size() + breaks, Qt::Uninitialized);
    QChar* to = expanded.data();
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(lineBreak, from);
        const qsizetype run = (at < 0 ? text.size() : at) - from;
        std::memcpy(static_cast<void*>(to), text.constData() + from, static_cast<std::size_t>(run) * sizeof(QChar));
        to += run;
        if (at < 0)
            return expanded;
        *to++ = u'\r';
        *to++ = u'\n';
        from = at + 1;
    }
}

// As many CRs as LFs, and an LF after each CR: then each LF has its CR.
bool HasOnlyCrLf(const QString& text)
{
    if (text.contains(QChar::ParagraphSeparator) || text.count(u'\r') != text.count(u'\n'))
        return false;
    for (qsizetype cr = text.indexOf(u'\r'); cr >= 0; cr = text.indexOf(u'\r', cr + 2)) {
        if (cr + 1 >= text.size() || text.at(cr + 1) != u'\n')
            return false;
    }
    return true;
}

#include "editor/TextSearch.h"

#include <algorithm>

namespace {

char16_t Folded(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? static_cast<char16_t>(u + (u'a' - u'A')) : u;
}

bool Same(QChar a, QChar b, bool matchCase)
{
    return matchCase ? a == b : Folded(a) == Folded(b);
}

bool IsAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The next (or previous) position from `from` where the first character of a
// match can be. Where case does not matter for it, the string's own search,
// which is vectorised, finds it.
qsizetype Candidate(QStringView text, QChar first, qsizetype from, bool down, bool matchCase)
{
    if (from < 0 || from >= text.size())
        return -1;
    if (matchCase || !IsAsciiLetter(first))
        return down ? text.indexOf(first, from) : text.lastIndexOf(first, from);
    for (qsizetype p = from; p >= 0 && p < text.size(); p += down ? 1 : -1) {
        if (Same(text[p], first, false))
            return p;
    }
    return -1;
}

}  // namespace

bool MatchesAt(QStringView text, QStringView what, qsizetype pos, bool matchCase)
{
    if (what.isEmpty() || pos < 0 || pos > text.size() - what.size())
        return false;
    for (qsizetype k = 0; k < what.size(); ++k) {
        if (!Same(text[pos + k], what[k], matchCase))
            return false;
    }
    return true;
}

qsizetype FindInText(QStringView text, QStringView what, qsizetype start, bool down, bool matchCase)
{
    if (what.isEmpty() || what.size() > text.size())
        return -1;
    // A match must lie wholly within the text.
    const qsizetype last = text.size() - what.size();
    const qsizetype from = down ? std::max<qsizetype>(start, 0) : std::min(start, last);
    qsizetype p = Candidate(text, what[0], from, down, matchCase);
    while (p >= 0 && p <= last && !MatchesAt(text, what, p, matchCase))
        p = Candidate(text, what[0], down ? p + 1 : p - 1, down, matchCase);
    return p <= last ? p : -1;
}

ReplaceAllResult ReplaceAllInText(QStringView text, QStringView what, QStringView with, qsizetype start,
                                  bool matchCase)
{
    ReplaceAllResult result;
    qsizetype found = FindInText(text, what, start, true, matchCase);
    if (found < 0)
        return result;
    result.first = found;
    qsizetype copied = found;  // text before this position is already in the replacement
    while (found >= 0) {
        result.replacement += text.sliced(copied, found - copied);
        result.replacement += with;
        copied = found + what.size();
        ++result.count;
        found = FindInText(text, what, copied, true, matchCase);
    }
    result.end = copied;
    return result;
}

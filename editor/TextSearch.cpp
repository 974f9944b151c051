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
    if (what.isEmpty())
        return -1;
    if (down) {
        // A match must lie wholly within the text.
        for (qsizetype p = std::max<qsizetype>(start, 0); p <= text.size() - what.size(); ++p) {
            if (Same(text[p], what[0], matchCase) && MatchesAt(text, what, p, matchCase))
                return p;
        }
        return -1;
    }
    for (qsizetype p = std::min(start, text.size() - what.size()); p >= 0; --p) {
        if (Same(text[p], what[0], matchCase) && MatchesAt(text, what, p, matchCase))
            return p;
    }
    return -1;
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

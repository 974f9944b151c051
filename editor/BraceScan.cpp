#include "editor/BraceScan.h"

namespace {

class Scanner {
public:
    Scanner(QStringView text, QChar open, QChar close, BracePair* pairs, int* stack,
            const std::function<void(BraceIssue, int)>& report)
        : m_text(text), m_n(text.size()), m_open(open), m_close(close), m_pairs(pairs), m_stack(stack),
          m_report(report)
    {
    }

    qsizetype Run(bool skipComments)
    {
        qsizetype i = 0;
        while (i < m_n && i >= 0)
            i = skipComments ? StepSkipping(i) : Brace(i);
        return m_count;
    }

private:
    // The next position to scan after `i`, or -1 when the scan ends.
    qsizetype StepSkipping(qsizetype i)
    {
        const bool hasNext = i + 1 < m_n;
        const QChar c = m_text[i];
        const QChar next = hasNext ? m_text[i + 1] : QChar();
        if (c == u'/' && next == u'/')
            return LineEnd(i);
        if (c == u'/' && next == u'*')
            return AfterComment(i);
        if (c == u'"' && i > 0 && hasNext && m_text[i - 1] != u'\\' && !(m_text[i - 1] == u'\'' && next == u'\''))
            return AfterString(i);
        if (c == u'*' && next == u'/') {
            Report(BraceIssue::MisplacedCommentEnd, i);
            return i + 2;
        }
        return Brace(i);
    }

    // Every line break is CR LF: the line ends at the next CR.
    qsizetype LineEnd(qsizetype i) const
    {
        const qsizetype cr = m_text.indexOf(u'\r', i);
        return cr < 0 ? m_n : cr;
    }

    qsizetype AfterComment(qsizetype i)
    {
        for (qsizetype j = i + 2; j + 1 < m_n; ++j) {
            if (m_text[j] == u'*' && m_text[j + 1] == u'/')
                return j + 2;
        }
        Report(BraceIssue::CommentToEnd, i);
        return -1;
    }

    qsizetype AfterString(qsizetype i)
    {
        for (qsizetype j = i + 1; j < m_n; ++j) {
            if (m_text[j] == u'"' && m_text[j - 1] != u'\'' && m_text[j - 1] != u'\\')
                return j + 1;
        }
        Report(BraceIssue::StringToEnd, i);
        return -1;
    }

    qsizetype Brace(qsizetype i)
    {
        const QChar c = m_text[i];
        if (c == m_open) {
            m_pairs[m_count] = {static_cast<int>(i), BracePair::kNone};
            m_stack[m_depth++] = static_cast<int>(m_count++);
        } else if (c == m_close && m_depth > 0) {
            m_pairs[m_stack[--m_depth]].close = static_cast<int>(i);
        }
        return i + 1;
    }

    void Report(BraceIssue issue, qsizetype at)
    {
        if (m_report)
            m_report(issue, LineOf(at));
    }

    // The 1-based line of `pos`, counted forward: issues come in text order, so
    // every line feed is passed once and a whole scan costs one pass.
    int LineOf(qsizetype pos)
    {
        for (; m_counted < pos; ++m_counted) {
            if (m_text[m_counted] == u'\n')
                ++m_line;
        }
        return m_line;
    }

    QStringView m_text;
    qsizetype m_n;
    QChar m_open;
    QChar m_close;
    BracePair* m_pairs;
    int* m_stack;
    const std::function<void(BraceIssue, int)>& m_report;
    qsizetype m_count = 0;
    qsizetype m_depth = 0;
    qsizetype m_counted = 0;
    int m_line = 1;
};

}  // namespace

qsizetype ScannedLength(QStringView text)
{
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text.size() : zero;
}

qsizetype CountOpenBraces(QStringView text, QChar open)
{
    return text.first(ScannedLength(text)).count(open);
}

qsizetype ScanBraces(QStringView text, QChar open, QChar close, bool skipComments, BracePair* pairs, int* stack,
                     const std::function<void(BraceIssue, int)>& report)
{
    return Scanner(text.first(ScannedLength(text)), open, close, pairs, stack, report).Run(skipComments);
}

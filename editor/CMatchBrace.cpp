#include "editor/CMatchBrace.h"

#include <QByteArray>
#include <new>

#include "editor/CNuvEdit.h"
#include "platform/Prompts.h"
#include "res/StringTable.h"
#include "shell/MessageFromTable.h"

CMatchBrace theMatchBrace;

namespace {

bool g_failNextAllocation = false;

QChar CloseOf(QChar open)
{
    return open == u'(' ? u')' : open == u'[' ? u']' : u'}';
}

int MessageOf(BraceIssue issue)
{
    switch (issue) {
    case BraceIssue::CommentToEnd: return IDS_COMMENT_TO_END;
    case BraceIssue::StringToEnd: return IDS_STRING_TO_END;
    case BraceIssue::MisplacedCommentEnd: return IDS_MISPLACED_COMMENT_END;
    }
    return IDS_MISPLACED_COMMENT_END;
}

}  // namespace

QChar BraceKind(QChar c)
{
    switch (c.unicode()) {
    case u'(':
    case u')': return u'(';
    case u'[':
    case u']': return u'[';
    case u'{':
    case u'}': return u'{';
    default: return QChar();
    }
}

void CMatchBrace::FailNextAllocationForTests()
{
    g_failNextAllocation = true;
}

bool CMatchBrace::Answers(const CNuvEdit* edit, QChar kind, BOOL skipComments) const
{
    return m_pEdit == edit && BraceKind(m_chOpen) == kind && !edit->m_bBraceTableStale &&
           m_bSkipComments == skipComments && !m_bError && m_bValid;
}

BOOL CMatchBrace::BuildTable(CNuvEdit* edit, QChar kind, BOOL skipComments)
{
    m_bSkipComments = skipComments;
    m_pEdit = edit;
    m_chOpen = kind;
    m_chClose = CloseOf(kind);
    m_pPairs.reset();
    m_nPairs = 0;
    const QString text = edit->Edit().GetText();
    const qsizetype room = CountOpenBraces(text, m_chOpen);
    std::unique_ptr<BracePair[]> pairs(g_failNextAllocation ? nullptr : new (std::nothrow) BracePair[room]);
    std::unique_ptr<int[]> stack(pairs ? new (std::nothrow) int[room] : nullptr);
    g_failNextAllocation = false;
    if (!stack) {
        Prompts().Beep(MB_ICONHAND);
        MessageFromTable(IDS_NO_MEMORY, MB_ICONHAND);
        m_bValid = FALSE;
        return FALSE;
    }
    m_bError = FALSE;
    const auto report = [this](BraceIssue issue, int line) {
        Prompts().Beep(MB_ICONEXCLAMATION);
        MessageFromTable(MessageOf(issue), MB_ICONEXCLAMATION, {QByteArray::number(line).constData()});
        m_bError = TRUE;
    };
    m_nPairs = ScanBraces(text, m_chOpen, m_chClose, skipComments, pairs.get(), stack.get(), report);
    m_pPairs = std::move(pairs);
    m_bValid = TRUE;
    return TRUE;
}

int CMatchBrace::FindMatch(int pos) const
{
    if (!m_bValid)
        return -1;
    for (qsizetype i = 0; i < m_nPairs; ++i) {
        const BracePair& pair = m_pPairs[i];
        if (pair.open == pos)
            return pair.close;
        if (pair.close == pos)
            return pair.open;
    }
    return -1;
}

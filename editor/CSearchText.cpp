#include "editor/CSearchText.h"

#include "platform/EditControl.h"

namespace {

// `what` with its CR LF pairs as U+2029; false when the result still holds a
// character that would not mean a break (see the header).
bool InControlForm(const QString& what, QString* form)
{
    if (what.contains(QChar::ParagraphSeparator))
        return false;
    *form = what;
    form->replace(QLatin1String("\r\n"), QString(QChar::ParagraphSeparator));
    return !form->contains(u'\r') && !form->contains(u'\n');
}

}  // namespace

CSearchText::CSearchText(const CEditControl& edit, const QString& what) : m_edit(edit)
{
    m_raw = InControlForm(what, &m_what);
    if (m_raw) {
        m_text = edit.GetRawText();
    } else {
        m_what = what;
        m_text = edit.GetText();
    }
}

qsizetype CSearchText::FromControl(int pos) const
{
    return m_raw ? m_edit.ToDocument(pos) : pos;
}

int CSearchText::ToControl(qsizetype pos) const
{
    return m_raw ? m_edit.FromDocument(static_cast<int>(pos)) : static_cast<int>(pos);
}

#include "editor/CGotoLineDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// `text` as a line number within 1..lineCount: digits, with an optional sign
// and blanks around them; 0 for any other text. Any number of digits: one too
// large for an int still means the last line.
int ParseLine(const QString& text, int lineCount)
{
    const QString trimmed = text.trimmed();
    const bool negative = trimmed.startsWith(u'-');
    const QStringView digits = QStringView(trimmed).sliced(negative || trimmed.startsWith(u'+') ? 1 : 0);
    if (digits.isEmpty())
        return 0;
    long long value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
        value = std::min(value * 10 + (c.unicode() - u'0'), static_cast<long long>(lineCount));
    }
    return negative ? 1 : std::clamp(static_cast<int>(value), 1, lineCount);
}

}  // namespace

CGotoLineDlg::CGotoLineDlg(QWidget* owner, int currentLine, int lineCount)
    : QDialog(owner), m_nLineCount(std::max(lineCount, 1))
{
    setWindowTitle(QStringLiteral("Go to Line"));
    // A title and a close box, as the find dialog has: nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_pField = new QLineEdit(QString::number(std::clamp(currentLine, 1, m_nLineCount)), this);
    m_pField->selectAll();
    // Wide enough for the largest line number with room to spare.
    m_pField->setMinimumWidth(m_pField->fontMetrics().horizontalAdvance(QString::number(m_nLineCount)) * 2 + 16);
    auto* label = new QLabel(QStringLiteral("&Line number (1 - %1):").arg(m_nLineCount), this);
    label->setBuddy(m_pField);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pField, &QLineEdit::textChanged, this, [this] { m_pOk->setEnabled(Line() > 0); });

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_pField, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

int CGotoLineDlg::Line() const
{
    return ParseLine(m_pField->text(), m_nLineCount);
}
